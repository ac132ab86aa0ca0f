// Rectangles of a window read through a shared-memory segment (MIT-SHM): the server writes the
// pixels straight into our memory instead of sending them through the socket, which costs a
// third as much per pixel. Works only with a server on this machine that can attach our segment.
#pragma once

#include "pixel_rows.h"

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <optional>

class XcbShmArea {
public:
    // Nothing is attached until the first read.
    explicit XcbShmArea(xcb_connection_t* connection);
    ~XcbShmArea();
    XcbShmArea(const XcbShmArea&) = delete;
    XcbShmArea& operator=(const XcbShmArea&) = delete;

    // False once the server lacks the extension or refused our segment; then stays false.
    bool Usable() const { return m_bUsable; }
    // The pixels of `area` of `window`, valid until the next read; nullopt when the read fails
    // (the area is not all on the window, the segment cannot be had).
    std::optional<PixelRows> Read(xcb_window_t window, QRect area);

private:
    // Makes the attached segment hold at least `bytes`.
    bool Reserve(std::size_t bytes);
    void Release();

    xcb_connection_t* m_pConnection;
    bool m_bUsable = false;
    xcb_shm_seg_t m_segment = 0; // 0: none attached
    void* m_pMemory = nullptr;
    std::size_t m_nCapacity = 0;
};
