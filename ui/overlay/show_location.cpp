#include "show_location.h"

#include "platform/screen.h"
#include "still_window.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace {

constexpr int kShownMs = 1500;
// Long enough for the stream to tell where a moved pointer went.
constexpr int kLandingMs = 400;
constexpr int kRingRadius = 18;

// A monitor's picture with rings around the point, closed by any key or click, or by itself.
class MarkWindow : public StillWindow {
public:
    MarkWindow(MonitorStill still, QPoint location, QWidget* parent)
        : StillWindow(std::move(still), parent), m_location(location) {
        setAttribute(Qt::WA_DeleteOnClose);
        QTimer::singleShot(kShownMs, this, &QWidget::close);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        StillWindow::paintEvent(event);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPointF centre = WindowPoint(m_location);
        // Red on white, seen on any colour; the point itself stays visible in the middle.
        for (const auto& [colour, width] : {std::pair{Qt::white, 6.0}, {Qt::red, 3.0}}) {
            painter.setPen(QPen(colour, width));
            painter.drawEllipse(centre, kRingRadius, kRingRadius);
            painter.drawEllipse(centre, kRingRadius / 3, kRingRadius / 3);
        }
    }
    void keyPressEvent(QKeyEvent*) override { close(); }
    void mousePressEvent(QMouseEvent*) override { close(); }

private:
    QPoint m_location;
};

// Rings around `location` over its monitor's picture.
void Mark(IScreen& screen, QPoint location, QWidget* parent) {
    for (MonitorStill& still : screen.Stills()) {
        if (still.area.contains(location)) {
            // Owned by `parent`, and gone once closed.
            (new MarkWindow(std::move(still), location, parent))->Open();
            return;
        }
    }
}

} // namespace

void ShowLocation(IScreen& screen, QPoint location, QWidget* parent) {
    const PointerMechanisms mechanisms = screen.Mechanisms();
    if (mechanisms.move == PointerMove::Marker)
        return Mark(screen, location, parent);
    // The desktop may ask the user first; by the time it answers, the window asking may be gone.
    screen.ShowPointerAt(
        location, [&screen, location, mechanisms, owner = QPointer<QWidget>(parent)](bool moved) {
            if (!owner)
                return;
            if (!moved)
                return Mark(screen, location, owner);
            // A desktop may place a moved pointer otherwise than asked (scaled monitors): where the
            // stream tells where it went, a pointer that missed leaves the point marked instead.
            if (mechanisms.position != PointerPosition::CursorMetadata)
                return;
            QTimer::singleShot(kLandingMs, owner, [&screen, location, owner] {
                const std::optional<QPoint> landed = screen.GetCursorPos();
                if (owner && (!landed || (*landed - location).manhattanLength() > 2))
                    Mark(screen, location, owner);
            });
        });
}
