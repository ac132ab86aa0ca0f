#include "pipewire_stream.h"

#include "cursor_metadata.h"
#include "stream_buffers.h"

#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>

#include <array>
#include <atomic>

namespace {

// Formats whose bytes the processor can read directly; no DMA-BUF modifier is offered, so the
// producer falls back to memory buffers.
constexpr std::array<std::pair<spa_video_format, FramePixelFormat>, 4> kFormats{{
    {SPA_VIDEO_FORMAT_BGRx, FramePixelFormat::BGRx},
    {SPA_VIDEO_FORMAT_BGRA, FramePixelFormat::BGRA},
    {SPA_VIDEO_FORMAT_RGBx, FramePixelFormat::RGBx},
    {SPA_VIDEO_FORMAT_RGBA, FramePixelFormat::RGBA},
}};

std::optional<FramePixelFormat> FromSpa(std::uint32_t format) {
    for (const auto& [spa, ours] : kFormats)
        if (spa == format)
            return ours;
    return std::nullopt;
}

const spa_pod* FormatOffer(spa_pod_builder& builder) {
    const spa_rectangle defaultSize{1920, 1080}, minSize{1, 1}, maxSize{16384, 16384};
    const spa_fraction defaultRate{30, 1}, minRate{0, 1}, maxRate{1000, 1};
    return static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
        SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype,
        SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format,
        SPA_POD_CHOICE_ENUM_Id(5, kFormats[0].first, kFormats[0].first, kFormats[1].first,
                               kFormats[2].first, kFormats[3].first),
        SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&defaultSize, &minSize, &maxSize),
        SPA_FORMAT_VIDEO_framerate,
        SPA_POD_CHOICE_RANGE_Fraction(&defaultRate, &minRate, &maxRate)));
}

const spa_pod* MemoryBuffers(spa_pod_builder& builder) {
    return static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_dataType,
        SPA_POD_CHOICE_FLAGS_Int((1 << SPA_DATA_MemFd) | (1 << SPA_DATA_MemPtr))));
}

} // namespace

PipeWireStream::PipeWireStream(pw_core* core, std::uint32_t node, FrameStore& store,
                               std::size_t output, std::function<void()> onEnded)
    : m_store(store), m_nOutput(output), m_onEnded(std::move(onEnded)) {
    m_stream.reset(
        pw_stream_new(core, "Tintwatch screen",
                      pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY,
                                        "Capture", PW_KEY_MEDIA_ROLE, "Screen", nullptr)));
    if (!m_stream) {
        End();
        return;
    }
    static const pw_stream_events events = [] {
        pw_stream_events e{};
        e.version = PW_VERSION_STREAM_EVENTS;
        e.state_changed = &PipeWireStream::OnStateChanged;
        e.param_changed = &PipeWireStream::OnParamChanged;
        e.process = &PipeWireStream::OnProcess;
        return e;
    }();
    pw_stream_add_listener(m_stream.get(), &m_listener, &events, this);

    std::array<std::uint8_t, 1024> buffer{};
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer.data(), buffer.size());
    const spa_pod* params[] = {FormatOffer(builder)};
    const auto flags = static_cast<pw_stream_flags>(
        PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS | PW_STREAM_FLAG_DONT_RECONNECT);
    if (pw_stream_connect(m_stream.get(), PW_DIRECTION_INPUT, node, flags, params, 1) < 0)
        End();
}

PipeWireStream::~PipeWireStream() {
    if (m_stream)
        spa_hook_remove(&m_listener);
}

void PipeWireStream::OnStateChanged(void* self, pw_stream_state, pw_stream_state state,
                                    const char*) {
    auto& stream = *static_cast<PipeWireStream*>(self);
    // Once linked, going back to looking for the node (or losing it) means the producer went
    // away: the share was stopped, and no other node may stand in for it.
    if (state == PW_STREAM_STATE_PAUSED || state == PW_STREAM_STATE_STREAMING)
        stream.m_bLinked = true;
    if (state == PW_STREAM_STATE_ERROR || state == PW_STREAM_STATE_UNCONNECTED ||
        (state == PW_STREAM_STATE_CONNECTING && stream.m_bLinked))
        stream.End();
}

void PipeWireStream::End() {
    if (m_bEnded)
        return;
    m_bEnded = true;
    m_onEnded();
}

void PipeWireStream::OnParamChanged(void* self, std::uint32_t id, const spa_pod* param) {
    auto& stream = *static_cast<PipeWireStream*>(self);
    if (!param || id != SPA_PARAM_Format)
        return;
    spa_video_info_raw info{};
    if (spa_format_video_raw_parse(param, &info) < 0)
        return;
    stream.m_format = FromSpa(info.format);
    stream.m_nWidth = static_cast<int>(info.size.width);
    stream.m_nHeight = static_cast<int>(info.size.height);

    std::array<std::uint8_t, 512> buffer{};
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer.data(), buffer.size());
    // Cursor metadata comes only where the session asked for it; asking here costs nothing.
    const spa_pod* params[] = {MemoryBuffers(builder), CursorMetaParam(builder)};
    pw_stream_update_params(stream.m_stream.get(), params, 2);
}

void PipeWireStream::OnProcess(void* self) {
    auto& stream = *static_cast<PipeWireStream*>(self);
    // Only the newest picture and the newest pointer matter; they may come in different
    // buffers. The list keeps its storage: no allocation once the buffers are counted.
    std::vector<pw_buffer*>& waiting = stream.m_waiting;
    waiting.clear();
    while (pw_buffer* next = pw_stream_dequeue_buffer(stream.m_stream.get()))
        waiting.push_back(next);
    if (!waiting.empty() && waiting.back()->buffer)
        stream.KeepPointer(*waiting.back()->buffer);
    if (const spa_buffer* picture = NewestPicture(waiting))
        stream.Keep(*picture);
    for (pw_buffer* buffer : waiting)
        pw_stream_queue_buffer(stream.m_stream.get(), buffer);
}

void PipeWireStream::KeepPointer(const spa_buffer& buffer) {
    if (const std::optional<CursorReport> report = CursorReportOf(buffer))
        m_store.PublishPointer(
            m_nOutput, report->overThisMonitor ? std::optional(report->inFrame) : std::nullopt,
            QSize(m_nWidth, m_nHeight));
}

void PipeWireStream::Keep(const spa_buffer& buffer) {
    const spa_data& data = buffer.datas[0];
    if (!m_format)
        return;
    const std::uint32_t offset = data.chunk->offset % data.maxsize;
    const auto stride = data.chunk->stride > 0
                            ? static_cast<std::size_t>(data.chunk->stride)
                            : static_cast<std::size_t>(m_nWidth) * kFrameBytesPerPixel;
    auto frame = m_spare ? std::move(m_spare) : std::make_shared<Frame>();
    if (!frame->CopyFrom(static_cast<const std::uint8_t*>(data.data) + offset,
                         data.maxsize - offset, stride, m_nWidth, m_nHeight, *m_format)) {
        m_spare = std::move(frame);
        return;
    }
    std::shared_ptr<const Frame> previous = m_store.Publish(m_nOutput, std::move(frame));
    // Once out of the store, a frame nobody else holds can never be reached again: it is ours
    // to refill. use_count() is a relaxed read; the fence orders the refill after the last
    // reader's release of its copy, so its reads of the old pixels are done.
    if (previous && previous.use_count() == 1) {
        std::atomic_thread_fence(std::memory_order_acquire);
        m_spare = std::const_pointer_cast<Frame>(std::move(previous));
    }
}
