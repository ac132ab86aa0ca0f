#include "save_requests.h"

#include "main_frame_pointer.h"
#include "platform/cmd_target.h"
#include "res/resource_ids.h"

SaveRequests::SaveRequests(QObject* fallback) : m_fallback(fallback) {
    m_spacing.setSingleShot(true);
    m_spacing.setTimerType(Qt::PreciseTimer);
    connect(&m_spacing, &QTimer::timeout, this, &SaveRequests::SaveNow);
}

void SaveRequests::Request(Pace pace) {
    if (m_bPosted)
        return;
    if (pace == Pace::Spaced && m_sinceLastSave.isValid()) {
        const auto wait = kDetectionSpacing.count() - m_sinceLastSave.elapsed();
        if (wait > 0) {
            if (!m_spacing.isActive())
                m_spacing.start(static_cast<int>(wait));
            return;
        }
    }
    m_spacing.stop();
    m_bPosted = true;
    QMetaObject::invokeMethod(this, &SaveRequests::OnPosted, Qt::QueuedConnection);
}

void SaveRequests::OnPosted() {
    // Already run when closing or by SaveNow.
    if (m_bPosted)
        SaveNow();
}

void SaveRequests::RunQueued() {
    if (m_bPosted || m_spacing.isActive())
        SaveNow();
}

void SaveRequests::SaveNow() {
    m_bPosted = false;
    m_spacing.stop();
    // Before the save, which may open a box whose event loop runs further detections: they
    // queue a save of their own, spaced from this one.
    m_sinceLastSave.start();
    QObject* frame = MainFramePointer().data();
    SendCommand(frame ? frame : m_fallback.data(), ID_FILE_SAVE);
}
