// Qt's X11 backend ends the process with exit(1) the moment it finds its X connection broken
// (the X server crashed or was killed, the session ended under us): from deep inside the event
// loop, so main() never returns and no close handling runs. While an UnplannedExitGuard lives,
// such an end first runs its action, once, on the UI thread, with every object of main() still
// standing.
#pragma once

#include <QtGlobal>
#include <functional>

class UnplannedExitGuard {
public:
    // Only one may exist at a time; make it after the QApplication.
    explicit UnplannedExitGuard(std::function<void()> action);
    // An ordinary return from main() destroys it first, and the action does not run then.
    ~UnplannedExitGuard();
    UnplannedExitGuard(const UnplannedExitGuard&) = delete;
    UnplannedExitGuard& operator=(const UnplannedExitGuard&) = delete;

private:
    static void OnMessage(QtMsgType type, const QMessageLogContext& context,
                          const QString& message);
    static void OnExit();
    static void RunOnce();

    static inline UnplannedExitGuard* s_pActive = nullptr;
    std::function<void()> m_action;
    std::function<bool()> m_connectionBroken;
    QtMessageHandler m_previousHandler;
};
