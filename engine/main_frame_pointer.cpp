#include "main_frame_pointer.h"

QPointer<QObject>& MainFramePointer() {
    static QPointer<QObject> frame;
    return frame;
}
