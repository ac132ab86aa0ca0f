#include "xcb_shm_area.h"

#include "xcb_reply.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdint>
#include <limits>

XcbShmArea::XcbShmArea(xcb_connection_t* connection) : m_pConnection(connection) {
    const xcb_query_extension_reply_t* shm =
        connection ? xcb_get_extension_data(connection, &xcb_shm_id) : nullptr;
    m_bUsable = shm && shm->present;
}

XcbShmArea::~XcbShmArea() {
    Release();
}

void XcbShmArea::Release() {
    if (m_segment != 0) {
        xcb_shm_detach(m_pConnection, m_segment);
        xcb_flush(m_pConnection);
    }
    if (m_pMemory)
        shmdt(m_pMemory);
    m_segment = 0;
    m_pMemory = nullptr;
    m_nCapacity = 0;
}

bool XcbShmArea::Reserve(std::size_t bytes) {
    if (bytes <= m_nCapacity)
        return true;
    Release();
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0)
        return false;
    void* memory = shmat(id, nullptr, 0);
    if (memory == reinterpret_cast<void*>(-1)) {
        shmctl(id, IPC_RMID, nullptr);
        return false;
    }
    const xcb_shm_seg_t segment = xcb_generate_id(m_pConnection);
    const XcbReply<xcb_generic_error_t> error(xcb_request_check(
        m_pConnection,
        xcb_shm_attach_checked(m_pConnection, segment, static_cast<std::uint32_t>(id), 0)));
    // Marked for removal only now that the server holds it too: the memory goes with the last
    // of us to detach, even after a crash.
    shmctl(id, IPC_RMID, nullptr);
    if (error) {
        // A server elsewhere, or in another IPC namespace, cannot see our memory.
        shmdt(memory);
        m_bUsable = false;
        return false;
    }
    m_segment = segment;
    m_pMemory = memory;
    m_nCapacity = bytes;
    return true;
}

std::optional<PixelRows> XcbShmArea::Read(xcb_window_t window, QRect area) {
    if (!m_bUsable || area.isEmpty())
        return std::nullopt;
    // A row is at most 4 bytes a pixel plus the 4 bytes of its padding.
    const auto width = static_cast<std::size_t>(area.width());
    const auto height = static_cast<std::size_t>(area.height());
    if (!Reserve(height * (width * 4 + 4)))
        return std::nullopt;
    xcb_generic_error_t* rawError = nullptr;
    const XcbReply<xcb_shm_get_image_reply_t> reply(xcb_shm_get_image_reply(
        m_pConnection,
        xcb_shm_get_image(
            m_pConnection, window, static_cast<std::int16_t>(area.x()),
            static_cast<std::int16_t>(area.y()), static_cast<std::uint16_t>(area.width()),
            static_cast<std::uint16_t>(area.height()), std::numeric_limits<std::uint32_t>::max(),
            XCB_IMAGE_FORMAT_Z_PIXMAP, m_segment, 0),
        &rawError));
    const XcbReply<xcb_generic_error_t> error(rawError);
    if (!reply || error || reply->size > m_nCapacity)
        return std::nullopt;
    return PixelRows{area, static_cast<const std::uint8_t*>(m_pMemory), reply->size,
                     reply->size / height};
}
