// The PipeWire side of one screen share: a connection over the descriptor the portal handed
// out, its own loop thread, and one stream per shared monitor.
#pragma once

#include "frame_store.h"
#include "pipewire_handles.h"
#include "pipewire_stream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class PipeWireCast {
public:
    // Connects through `fd` (taken over) and streams `nodes[i]` into monitor i of `store`.
    // `onEnded` runs on the loop thread, at most once, when a stream or the connection ends.
    // nullptr when the connection cannot be made.
    static std::unique_ptr<PipeWireCast> Open(int fd, const std::vector<std::uint32_t>& nodes,
                                              FrameStore& store, std::function<void()> onEnded);
    // Stops the loop thread before anything it uses goes.
    ~PipeWireCast();
    PipeWireCast(const PipeWireCast&) = delete;
    PipeWireCast& operator=(const PipeWireCast&) = delete;

private:
    PipeWireCast() = default;
    static void OnCoreError(void* self, std::uint32_t id, int seq, int res, const char* message);
    void End();

    std::function<void()> m_onEnded;
    bool m_bEnded = false;
    // Declared in the order they must be made; they go in reverse.
    PwThreadLoopPtr m_loop;
    PwContextPtr m_context;
    PwCorePtr m_core;
    spa_hook m_coreListener{};
    std::vector<std::unique_ptr<PipeWireStream>> m_streams;
};
