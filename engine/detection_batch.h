// Ticks that came due together, served with one read of the screen: the points of the enabled
// events among them are read in one batch, then each tick's detection step runs, in the order
// the ticks came, with the pixel read for it. What a tick sees and does stays as it was.
#pragma once

#include "detection.h"

#include <cstddef>
#include <functional>
#include <limits>
#include <span>
#include <vector>

class DetectionBatch {
public:
    // `afterDetection`, when given, runs with the row of each tick that was a detection, right
    // after its step.
    void Run(std::span<const std::uintptr_t> ids, IEventList& list, ITimerHost& timers,
             DetectionServices& services,
             const std::function<void(int row)>& afterDetection = nullptr);

private:
    static constexpr std::size_t kNoSample = std::numeric_limits<std::size_t>::max();

    // Kept between runs, so that a run as large as the last allocates nothing.
    std::vector<QPoint> m_points;     // of the events sampled
    std::vector<COLORREF> m_pixels;   // read at m_points
    std::vector<std::size_t> m_slots; // per id: its index in m_points, or kNoSample
    // A step may open a box whose event loop runs the next batch before this one ends.
    bool m_bRunning = false;
};
