// One monitor of the pick overlay: its picture held still, the way to pick written across it, and
// beside the pointer a magnifier with the colour and the place under it.
#pragma once

#include "still_window.h"

#include <optional>

// What an overlay pick takes: the location with its colour, or the target colour.
enum class OverlayPick { Location, Color };

class PickWindow : public StillWindow {
    Q_OBJECT
public:
    // `clickPicks`: what a click takes.
    PickWindow(MonitorStill still, OverlayPick clickPicks, QWidget* parent);

signals:
    // The pointer is over desktop point `desktop`.
    void PointerMoved(QPoint desktop);
    void Clicked(QPoint desktop);
    // F6 (location) or F7 (target colour), taken where the pointer is.
    void KeyPicked(OverlayPick pick);
    void Cancelled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void MovePointer(std::optional<QPointF> local);
    QRect MagnifierRect() const;
    QRect HintRect() const;

    QString m_sHint;
    // Where the pointer is over this window; nullopt while it is elsewhere.
    std::optional<QPointF> m_pointer;
};
