// "Show location": the pointer moves to the point where the desktop lets the program move it;
// elsewhere, or where the stream shows it landed elsewhere, the point is marked for a moment
// over its monitor's picture.
#pragma once

#include <QPoint>

class IScreen;
class QWidget;

void ShowLocation(IScreen& screen, QPoint location, QWidget* parent);
