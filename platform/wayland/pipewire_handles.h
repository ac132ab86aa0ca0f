// PipeWire objects owned like any other handle: released when their owner goes.
#pragma once

#include <pipewire/pipewire.h>

#include <memory>

struct PwThreadLoopDeleter {
    void operator()(pw_thread_loop* loop) const { pw_thread_loop_destroy(loop); }
};
struct PwContextDeleter {
    void operator()(pw_context* context) const { pw_context_destroy(context); }
};
struct PwCoreDeleter {
    void operator()(pw_core* core) const { pw_core_disconnect(core); }
};
struct PwStreamDeleter {
    void operator()(pw_stream* stream) const { pw_stream_destroy(stream); }
};

using PwThreadLoopPtr = std::unique_ptr<pw_thread_loop, PwThreadLoopDeleter>;
using PwContextPtr = std::unique_ptr<pw_context, PwContextDeleter>;
using PwCorePtr = std::unique_ptr<pw_core, PwCoreDeleter>;
using PwStreamPtr = std::unique_ptr<pw_stream, PwStreamDeleter>;

// Holds the loop's lock for as long as it lives.
class PwLoopLock {
public:
    explicit PwLoopLock(pw_thread_loop* loop) : m_pLoop(loop) { pw_thread_loop_lock(m_pLoop); }
    ~PwLoopLock() { pw_thread_loop_unlock(m_pLoop); }
    PwLoopLock(const PwLoopLock&) = delete;
    PwLoopLock& operator=(const PwLoopLock&) = delete;

private:
    pw_thread_loop* m_pLoop;
};
