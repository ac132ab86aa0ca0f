#include "pick_window.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kCells = 15;   // desktop pixels across the magnifier, an odd number
constexpr int kCellSize = 9; // window pixels per magnified pixel
constexpr int kInfoHeight = 40;
constexpr int kGap = 24; // from the pointer to the magnifier
constexpr int kMargin = 12;

QString HintFor(OverlayPick clickPicks) {
    return clickPicks == OverlayPick::Location
               ? QStringLiteral("Click or Press F6 to Take this Location and its Color, F7 to "
                                "Take the Target Color, Esc to Cancel.")
               : QStringLiteral("Click or Press F7 to Take the Target Color, F6 to Take this "
                                "Location and its Color, Esc to Cancel.");
}

QColor ColorOf(COLORREF colour) {
    return QColor(static_cast<int>(GetRValue(colour)), static_cast<int>(GetGValue(colour)),
                  static_cast<int>(GetBValue(colour)));
}

} // namespace

PickWindow::PickWindow(MonitorStill still, OverlayPick clickPicks, QWidget* parent)
    : StillWindow(std::move(still), parent), m_sHint(HintFor(clickPicks)) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

QRect PickWindow::MagnifierRect() const {
    // Wide enough for the largest place and colour in this font.
    const int text =
        std::max(fontMetrics().horizontalAdvance(QStringLiteral("X : 00000  Y : 00000")),
                 fontMetrics().horizontalAdvance(QStringLiteral("R 255  G 255  B 255")));
    const QSize size(std::max(kCells * kCellSize, kInfoHeight + text + kMargin),
                     kCells * kCellSize + kInfoHeight);
    if (!m_pointer)
        return {};
    // Below right of the pointer, turned over at the window's edges.
    const QPoint at = m_pointer->toPoint();
    int x = at.x() + kGap;
    int y = at.y() + kGap;
    if (x + size.width() > width())
        x = at.x() - kGap - size.width();
    if (y + size.height() > height())
        y = at.y() - kGap - size.height();
    return QRect(QPoint(x, y), size);
}

QRect PickWindow::HintRect() const {
    const QRect text = fontMetrics().boundingRect(m_sHint);
    QRect box(0, 0, text.width() + 2 * kMargin, text.height() + kMargin);
    box.moveCenter(QPoint(width() / 2, kMargin + box.height() / 2));
    // Out of the way of a pointer that goes to the top.
    if (m_pointer && box.adjusted(0, 0, 0, kMargin).contains(m_pointer->toPoint()))
        box.moveBottom(height() - kMargin);
    return box;
}

void PickWindow::paintEvent(QPaintEvent* event) {
    StillWindow::paintEvent(event);
    QPainter painter(this);
    const QRect hint = HintRect();
    painter.fillRect(hint, QColor(0, 0, 0, 200));
    painter.setPen(Qt::white);
    painter.drawText(hint, Qt::AlignCenter, m_sHint);
    if (!m_pointer)
        return;

    const QPoint centre = DesktopPoint(*m_pointer);
    const QRect panel = MagnifierRect();
    painter.fillRect(panel, QColor(0, 0, 0, 220));
    const int side = kCells * kCellSize;
    const QRect box(panel.x() + (panel.width() - side) / 2, panel.y(), side, side);
    for (int row = 0; row < kCells; ++row)
        for (int column = 0; column < kCells; ++column) {
            const COLORREF colour =
                Still().PixelAt(centre.x() + column - kCells / 2, centre.y() + row - kCells / 2);
            painter.fillRect(box.x() + column * kCellSize, box.y() + row * kCellSize, kCellSize,
                             kCellSize,
                             colour == kUnreadablePixel ? QColor(Qt::darkGray) : ColorOf(colour));
        }
    // The picked pixel, framed in black and white so it shows on any colour.
    const QRect picked(box.x() + kCells / 2 * kCellSize, box.y() + kCells / 2 * kCellSize,
                       kCellSize - 1, kCellSize - 1);
    painter.setPen(Qt::black);
    painter.drawRect(picked);
    painter.setPen(Qt::white);
    painter.drawRect(picked.adjusted(-1, -1, 1, 1));
    painter.drawRect(box.x(), box.y(), side - 1, side - 1);

    const COLORREF colour = Still().PixelAt(centre.x(), centre.y());
    const QRect info(panel.x(), panel.y() + side, panel.width(), kInfoHeight);
    painter.fillRect(info.x() + 4, info.y() + 4, kInfoHeight - 8, kInfoHeight - 8, ColorOf(colour));
    painter.drawText(info.adjusted(kInfoHeight, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("X : %1  Y : %2\nR %3  G %4  B %5")
                         .arg(centre.x())
                         .arg(centre.y())
                         .arg(GetRValue(colour))
                         .arg(GetGValue(colour))
                         .arg(GetBValue(colour)));
}

void PickWindow::MovePointer(std::optional<QPointF> local) {
    // Only what changes is painted again: the magnifier where it was and where it goes, and
    // the hint, which may move out of the pointer's way.
    update(MagnifierRect());
    update(HintRect());
    m_pointer = local;
    update(MagnifierRect());
    update(HintRect());
    if (m_pointer)
        emit PointerMoved(DesktopPoint(*m_pointer));
}

void PickWindow::enterEvent(QEnterEvent* event) {
    MovePointer(event->position());
}

void PickWindow::leaveEvent(QEvent*) {
    MovePointer(std::nullopt);
}

void PickWindow::mouseMoveEvent(QMouseEvent* event) {
    MovePointer(event->position());
}

void PickWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit Clicked(DesktopPoint(event->position()));
}

void PickWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_F6:
        emit KeyPicked(OverlayPick::Location);
        break;
    case Qt::Key_F7:
        emit KeyPicked(OverlayPick::Color);
        break;
    case Qt::Key_Escape:
        emit Cancelled();
        break;
    default:
        StillWindow::keyPressEvent(event);
    }
}
