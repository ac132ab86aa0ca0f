// One monitor's video stream: asks for frames in memory the processor can read, and publishes
// a copy of the newest one to the frame store. Runs its callbacks on the PipeWire loop thread.
#pragma once

#include "frame_store.h"
#include "pipewire_handles.h"

#include <spa/utils/hook.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class PipeWireStream {
public:
    // Connects to `node` through `core`; frames go to monitor `output` of `store`. `onEnded`
    // runs on the loop thread when the stream stops for good. Make and destroy it with the
    // loop locked (or stopped).
    PipeWireStream(pw_core* core, std::uint32_t node, FrameStore& store, std::size_t output,
                   std::function<void()> onEnded);
    ~PipeWireStream();
    PipeWireStream(const PipeWireStream&) = delete;
    PipeWireStream& operator=(const PipeWireStream&) = delete;

private:
    static void OnStateChanged(void* self, pw_stream_state old, pw_stream_state state,
                               const char* error);
    static void OnParamChanged(void* self, std::uint32_t id, const spa_pod* param);
    static void OnProcess(void* self);
    // Copies the picture of `buffer`, which carries one (CarriesPicture).
    void Keep(const spa_buffer& buffer);
    void KeepPointer(const spa_buffer& buffer);
    void End();

    FrameStore& m_store;
    std::size_t m_nOutput;
    std::function<void()> m_onEnded;
    PwStreamPtr m_stream;
    spa_hook m_listener{};
    // The negotiated picture; nullopt until the format is agreed.
    std::optional<FramePixelFormat> m_format;
    int m_nWidth = 0;
    int m_nHeight = 0;
    // A frame no reader holds any more, refilled by the next copy instead of a new allocation.
    std::shared_ptr<Frame> m_spare;
    // The buffers of one wake-up, oldest first.
    std::vector<pw_buffer*> m_waiting;
    bool m_bLinked = false; // has reached the producer once
    bool m_bEnded = false;
};
