#include "pipewire_cast.h"

#include <unistd.h>

std::unique_ptr<PipeWireCast> PipeWireCast::Open(int fd, const std::vector<std::uint32_t>& nodes,
                                                 FrameStore& store, std::function<void()> onEnded) {
    static const bool initialised = [] {
        pw_init(nullptr, nullptr);
        return true;
    }();
    (void)initialised;

    std::unique_ptr<PipeWireCast> cast(new PipeWireCast());
    cast->m_onEnded = std::move(onEnded);
    cast->m_loop.reset(pw_thread_loop_new("tintwatch-screen", nullptr));
    if (!cast->m_loop) {
        ::close(fd);
        return nullptr;
    }
    PwLoopLock lock(cast->m_loop.get());
    cast->m_context.reset(pw_context_new(pw_thread_loop_get_loop(cast->m_loop.get()), nullptr, 0));
    if (!cast->m_context) {
        ::close(fd);
        return nullptr;
    }
    // The connection owns the descriptor from here on, whether it succeeds or not.
    cast->m_core.reset(pw_context_connect_fd(cast->m_context.get(), fd, nullptr, 0));
    if (!cast->m_core)
        return nullptr;
    static const pw_core_events events = [] {
        pw_core_events e{};
        e.version = PW_VERSION_CORE_EVENTS;
        e.error = &PipeWireCast::OnCoreError;
        return e;
    }();
    pw_core_add_listener(cast->m_core.get(), &cast->m_coreListener, &events, cast.get());
    for (std::size_t i = 0; i < nodes.size(); ++i)
        cast->m_streams.push_back(std::make_unique<PipeWireStream>(
            cast->m_core.get(), nodes[i], store, i, [raw = cast.get()] { raw->End(); }));
    if (pw_thread_loop_start(cast->m_loop.get()) < 0)
        return nullptr;
    return cast;
}

PipeWireCast::~PipeWireCast() {
    if (m_loop)
        pw_thread_loop_stop(m_loop.get());
    m_streams.clear();
    if (m_core)
        spa_hook_remove(&m_coreListener);
}

void PipeWireCast::OnCoreError(void* self, std::uint32_t id, int, int, const char*) {
    // Errors about single objects are the streams' to report; this one is the connection.
    if (id == PW_ID_CORE)
        static_cast<PipeWireCast*>(self)->End();
}

void PipeWireCast::End() {
    if (m_bEnded)
        return;
    m_bEnded = true;
    m_onEnded();
}
