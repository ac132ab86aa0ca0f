// Helpers for tests on a real X display: real input through xdotool, another X client that
// holds a key, and waiting for the event loop to deliver what they cause.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QThread>

#include <functional>

// Runs the event loop until `done` holds; false after `timeoutMs`.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

// Runs the event loop for `ms`, so that whatever is queued gets delivered.
inline void Settle(int ms = 200) {
    WaitUntil([] { return false; }, ms);
}

// Runs xdotool with `arguments` (e.g. {"key", "F6"}); true when it succeeded.
inline bool Xdotool(const QStringList& arguments) {
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

// The test grabber (tests/hotkeys/key_grabber.cpp) run as another client of the display.
class KeyGrabber {
public:
    // Grabs function key F`number` with `modifiers`; "grabbed", "taken" or "" on failure.
    QString Grab(int number, int modifiers = 0) {
        m_process.start(QStringLiteral(TW_KEY_GRABBER),
                        {QString::number(number), QString::number(modifiers)});
        if (!m_process.waitForStarted(3000) || !m_process.waitForReadyRead(3000))
            return {};
        return QString::fromLatin1(m_process.readLine()).trimmed();
    }
    // Lets the key go by ending the grabber.
    void Release() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }
    ~KeyGrabber() { Release(); }

private:
    QProcess m_process;
};

// Whether a key can be grabbed by another client right now (it grabs and lets go at once).
inline bool FreeForOthers(int number, int modifiers = 0) {
    KeyGrabber probe;
    return probe.Grab(number, modifiers) == QStringLiteral("grabbed");
}
