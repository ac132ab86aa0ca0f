// Ownership of the replies and errors xcb hands out, which are malloc'd and freed with free().
#pragma once

#include <cstdlib>
#include <memory>

struct XcbFree {
    void operator()(void* p) const { std::free(p); }
};

template <class T> using XcbReply = std::unique_ptr<T, XcbFree>;
