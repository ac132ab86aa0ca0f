// The one main frame of the process, once it exists. It clears itself when the frame is
// destroyed, so a holder never posts to a window that is gone.
#pragma once

#include <QObject>
#include <QPointer>

QPointer<QObject>& MainFramePointer();
