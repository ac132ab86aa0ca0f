// An X server of the test's own, for other screen layouts or to end it under a running program.
#pragma once

#include <QProcess>

class PrivateXvfb {
public:
    // One screen per entry ("1280x1024x24"); Display() stays empty when it did not start.
    explicit PrivateXvfb(const QStringList& screens = {QStringLiteral("1280x1024x24")},
                         const QStringList& options = {});
    ~PrivateXvfb();
    PrivateXvfb(const PrivateXvfb&) = delete;
    PrivateXvfb& operator=(const PrivateXvfb&) = delete;

    // ":N", the display as a whole (its screen 0 by default).
    const QString& Display() const { return m_display; }
    // Ends the server at once, as a crash would.
    void Kill();

private:
    QProcess m_server;
    QString m_display;
};
