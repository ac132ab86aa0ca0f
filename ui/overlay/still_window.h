// A window over one whole monitor showing that monitor's picture held still. Its own points map
// to desktop points through the monitor's place on the desktop, never through where Qt thinks
// the window is (Qt does not know that on Wayland).
#pragma once

#include "platform/monitor_still.h"

#include <QImage>
#include <QWidget>

class StillWindow : public QWidget {
    Q_OBJECT
public:
    StillWindow(MonitorStill still, QWidget* parent);

    // Shows the window full screen on the monitor of the still.
    void Open();

    // The desktop point under window point `local`.
    QPoint DesktopPoint(QPointF local) const;
    // The window point over desktop point `desktop`.
    QPointF WindowPoint(QPoint desktop) const;

    const MonitorStill& Still() const { return m_still; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MonitorStill m_still;
    QImage m_image; // over the still's own bytes, which m_still keeps
};
