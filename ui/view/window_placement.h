// A window placement saved by an earlier run, brought back on the screens there are now.
#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>

class QWidget;

// `window` moved, and shrunk only where it is larger than the screen, so that it lies whole in
// one of the `screens` (their available areas): the one it overlaps most, else the closest.
// Unchanged when it already lies whole in one, or when there are no screens.
QRect KeepOnScreen(const QRect& window, const QList<QRect>& screens);

// Restores a placement from QWidget::saveGeometry() on `window` and keeps it on the screens,
// whatever scale or monitors it was saved with. False when the window refused the bytes; it
// then stays where it was.
bool RestorePlacement(QWidget& window, const QByteArray& placement);
