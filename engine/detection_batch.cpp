#include "detection_batch.h"

#include "model/event_info.h"
#include "platform/screen.h"

void DetectionBatch::Run(std::span<const std::uintptr_t> ids, IEventList& list, ITimerHost& timers,
                         DetectionServices& services,
                         const std::function<void(int row)>& afterDetection) {
    if (m_bRunning) {
        DetectionBatch nested;
        nested.Run(ids, list, timers, services, afterDetection);
        return;
    }
    m_bRunning = true;
    m_points.clear();
    m_slots.clear();
    for (const std::uintptr_t id : ids) {
        const CEventInfo* event = EventToSample(id, list);
        m_slots.push_back(event ? m_points.size() : kNoSample);
        if (event)
            m_points.push_back(event->m_ptLocation);
    }
    m_pixels.assign(m_points.size(), kUnreadablePixel);
    // Without a picture of the screen the steps compare nothing.
    if (services.screen.CanBeRead())
        services.screen.GetPixels(m_points, m_pixels);

    for (std::size_t i = 0; i < ids.size(); ++i) {
        std::optional<PixelSample> sample;
        if (const std::size_t slot = m_slots[i]; slot != kNoSample)
            sample = PixelSample{m_points[slot], m_pixels[slot]};
        if (RunDetectionStep(ids[i], list, timers, services, sample) == TickOutcome::Detection &&
            afterDetection)
            afterDetection(static_cast<int>(ids[i] - 1));
    }
    m_bRunning = false;
}
