// A static area painted in one solid colour: the colour swatches of the event editor.
#pragma once

#include "platform/types.h"

#include <QBrush>
#include <QLabel>

#include <optional>

class CColorStatic : public QLabel {
    Q_OBJECT
public:
    explicit CColorStatic(QWidget* parent = nullptr) : QLabel(parent) {}

    // Paints the whole area in `color` from now on.
    void SetColor(COLORREF color);

    COLORREF m_clrColor = 0;
    // Empty until the first SetColor; the area then paints as an ordinary static.
    std::optional<QBrush> m_brush;

protected:
    void paintEvent(QPaintEvent* event) override;
};
