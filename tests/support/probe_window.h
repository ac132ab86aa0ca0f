// A window of one colour that notes where the pointer last was over it: where a Wayland
// desktop tells no client where the pointer is, this is how a test learns where it went.
#pragma once

#include <QEnterEvent>
#include <QWidget>
#include <optional>

class ProbeWindow : public QWidget {
public:
    explicit ProbeWindow(QColor colour) {
        setPalette(colour);
        setAutoFillBackground(true);
        setMouseTracking(true);
    }
    std::optional<QPointF> pointer;

protected:
    void enterEvent(QEnterEvent* event) override { pointer = event->position(); }
    void mouseMoveEvent(QMouseEvent* event) override { pointer = event->position(); }
};
