#include "color_static.h"

#include <QPainter>

void CColorStatic::SetColor(COLORREF color) {
    m_clrColor = color;
    m_brush.reset();
    m_brush.emplace(QColor(static_cast<int>(GetRValue(color)), static_cast<int>(GetGValue(color)),
                           static_cast<int>(GetBValue(color))));
    update();
}

void CColorStatic::paintEvent(QPaintEvent* event) {
    if (!m_brush) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), *m_brush);
}
