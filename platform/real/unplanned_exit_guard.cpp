#include "unplanned_exit_guard.h"

#include "display_connection.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdlib>
#include <utility>

UnplannedExitGuard::UnplannedExitGuard(std::function<void()> action)
    : m_action(std::move(action)), m_connectionBroken(WatchDisplayConnection()),
      m_previousHandler(qInstallMessageHandler(&UnplannedExitGuard::OnMessage)) {
    s_pActive = this;
    // Any other exit() while the guard lives, and the X connection's own should logging rules
    // filter out its warning. Exit handlers run after the globals made since are destroyed,
    // which is why the warning is the first choice.
    [[maybe_unused]] static const bool registered = std::atexit(&UnplannedExitGuard::OnExit) == 0;
}

UnplannedExitGuard::~UnplannedExitGuard() {
    // Restored first, so that no message finds the guard half gone.
    qInstallMessageHandler(m_previousHandler);
    s_pActive = nullptr;
}

void UnplannedExitGuard::OnMessage(QtMsgType type, const QMessageLogContext& context,
                                   const QString& message) {
    UnplannedExitGuard* guard = s_pActive;
    if (!guard)
        return;
    guard->m_previousHandler(type, context, message);
    // Qt warns that the connection broke, then calls exit(1) at once: the last moment when
    // all of it still stands.
    if (guard->m_connectionBroken() &&
        QThread::currentThread() == QCoreApplication::instance()->thread())
        RunOnce();
}

void UnplannedExitGuard::OnExit() {
    RunOnce();
}

void UnplannedExitGuard::RunOnce() {
    if (!s_pActive)
        return;
    // Taken first: whatever the action does, it never runs twice.
    if (const std::function<void()> action = std::exchange(s_pActive->m_action, nullptr))
        action();
}
