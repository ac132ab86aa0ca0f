#include "frame_store.h"

#include <algorithm>

void FrameStore::SetOutputs(const std::vector<QRect>& areas) {
    m_outputs.clear();
    {
        std::lock_guard lock(m_pointerMutex);
        m_pointer.reset();
    }
    for (const QRect& area : areas) {
        auto output = std::make_unique<Output>();
        output->area = area;
        m_outputs.push_back(std::move(output));
    }
}

std::shared_ptr<const Frame> FrameStore::Publish(std::size_t output,
                                                 std::shared_ptr<const Frame> frame) {
    if (output >= m_outputs.size())
        return frame;
    return m_outputs[output]->frame.exchange(std::move(frame), std::memory_order_acq_rel);
}

COLORREF MonitorStill::PixelAt(int x, int y) const {
    if (!frame || !area.contains(x, y))
        return kUnreadablePixel;
    const auto scaled = [](int offset, int frameSize, int areaSize) {
        return static_cast<int>(static_cast<long long>(offset) * frameSize / areaSize);
    };
    return frame->PixelAt(scaled(x - area.x(), frame->width, area.width()),
                          scaled(y - area.y(), frame->height, area.height()));
}

COLORREF FrameStore::PixelAt(int x, int y) const {
    for (const auto& output : m_outputs) {
        if (output->area.contains(x, y))
            return MonitorStill{output->area, output->frame.load(std::memory_order_acquire)}
                .PixelAt(x, y);
    }
    return kUnreadablePixel;
}

std::optional<StreamPoint> FrameStore::InStream(QPoint point) const {
    for (std::size_t i = 0; i < m_outputs.size(); ++i) {
        const QRect& area = m_outputs[i]->area;
        if (!area.contains(point))
            continue;
        const QPointF offset = point - area.topLeft();
        const auto frame = m_outputs[i]->frame.load(std::memory_order_acquire);
        if (!frame)
            return StreamPoint{i, offset};
        return StreamPoint{i, QPointF(offset.x() * frame->width / area.width(),
                                      offset.y() * frame->height / area.height())};
    }
    return std::nullopt;
}

void FrameStore::PublishPointer(std::size_t output, std::optional<QPoint> inFrame,
                                QSize frameSize) {
    if (output >= m_outputs.size() || frameSize.isEmpty())
        return;
    const QRect& area = m_outputs[output]->area;
    std::lock_guard lock(m_pointerMutex);
    if (!inFrame) {
        // Gone from this monitor; the one it went to says where it is now.
        if (m_nPointerOutput == output)
            m_pointer.reset();
        return;
    }
    const auto along = [](int offset, int areaSize, int frameSide) {
        return static_cast<int>(static_cast<long long>(offset) * areaSize / frameSide);
    };
    m_pointer = QPoint(area.x() + along(inFrame->x(), area.width(), frameSize.width()),
                       area.y() + along(inFrame->y(), area.height(), frameSize.height()));
    m_nPointerOutput = output;
}

std::optional<QPoint> FrameStore::Pointer() const {
    std::lock_guard lock(m_pointerMutex);
    return m_pointer;
}

std::vector<MonitorStill> FrameStore::Stills() const {
    std::vector<MonitorStill> stills;
    for (const auto& output : m_outputs) {
        if (auto frame = output->frame.load(std::memory_order_acquire))
            stills.push_back({output->area, std::move(frame)});
    }
    return stills;
}

QSize FrameStore::VirtualSize() const {
    QRect all;
    for (const auto& output : m_outputs)
        all = all.united(output->area);
    return all.size();
}

bool FrameStore::HasEveryFrame() const {
    return !m_outputs.empty() &&
           std::all_of(m_outputs.begin(), m_outputs.end(), [](const auto& output) {
               return output->frame.load(std::memory_order_acquire) != nullptr;
           });
}
