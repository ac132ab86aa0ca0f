// The newest frame of each shared monitor, and where each monitor lies on the desktop.
// Streams publish from their own thread while the UI thread reads pixels: each frame is
// immutable once published and swapped in whole, so a read sees one frame or the next, never a
// mix. The swap is std::atomic<shared_ptr>, which libstdc++ 12 implements with a spin lock in
// the pointer (not lock-free): a read may spin while a publish exchanges the pointer, never
// while a frame is copied.
#pragma once

#include "frame.h"
#include "platform/monitor_still.h"

#include <QPointF>
#include <QRect>
#include <QSize>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

// A point in one monitor's stream, in the stream's own pixels.
struct StreamPoint {
    std::size_t output = 0;
    QPointF at;
};

class FrameStore {
public:
    // Starts over with these monitors (desktop coordinates), none with a frame yet. Only while
    // no stream publishes.
    void SetOutputs(const std::vector<QRect>& areas);
    std::size_t OutputCount() const { return m_outputs.size(); }

    // Makes `frame` the newest of monitor `output`; returns the one it replaces.
    std::shared_ptr<const Frame> Publish(std::size_t output, std::shared_ptr<const Frame> frame);

    // Colour at desktop point (x, y) in the newest frame of the monitor holding it, scaled
    // when the frame's size differs from the monitor's; kUnreadablePixel on no monitor or
    // before that monitor's first frame.
    COLORREF PixelAt(int x, int y) const;
    // Desktop point `point` in the stream of the monitor holding it: its pixels, not the
    // desktop's units, where the monitor is scaled (GNOME maps its remote pointer so); as the
    // desktop's units before the first frame. nullopt on no monitor.
    std::optional<StreamPoint> InStream(QPoint point) const;
    // Where the pointer is over monitor `output`, in its frame of `frameSize` pixels; nullopt
    // when the pointer is not over it. From any thread.
    void PublishPointer(std::size_t output, std::optional<QPoint> inFrame, QSize frameSize);
    // The pointer's desktop position, as the monitor it was last seen over tells it; nullopt
    // while no monitor has it.
    std::optional<QPoint> Pointer() const;

    // The newest frame of every monitor that has had one.
    std::vector<MonitorStill> Stills() const;
    // Whether there are monitors and each has had its first frame.
    bool HasEveryFrame() const;
    // The size of the smallest rectangle holding every monitor; 0 x 0 without any.
    QSize VirtualSize() const;

private:
    struct Output {
        QRect area;
        std::atomic<std::shared_ptr<const Frame>> frame;
    };
    std::vector<std::unique_ptr<Output>> m_outputs;
    // Read only at a pick, so a lock costs nothing that matters.
    mutable std::mutex m_pointerMutex;
    std::optional<QPoint> m_pointer;
    std::size_t m_nPointerOutput = 0;
};
