#include "private_xvfb.h"

#include <QDeadlineTimer>

PrivateXvfb::PrivateXvfb(const QStringList& screens, const QStringList& options) {
    // -displayfd: the server picks a free number and writes it once it accepts clients.
    QStringList arguments{QStringLiteral("-displayfd"), QStringLiteral("1"),
                          QStringLiteral("-nolisten"), QStringLiteral("tcp")};
    for (int i = 0; i < screens.size(); ++i)
        arguments << QStringLiteral("-screen") << QString::number(i) << screens[i];
    arguments << options;
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_server.start(QStringLiteral("Xvfb"), arguments);
    QDeadlineTimer deadline(10000);
    QByteArray number;
    while (!number.endsWith('\n') && !deadline.hasExpired() &&
           m_server.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
        number += m_server.readAllStandardOutput();
    if (number.endsWith('\n'))
        m_display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
}

PrivateXvfb::~PrivateXvfb() {
    m_server.terminate();
    if (!m_server.waitForFinished(5000))
        Kill();
}

void PrivateXvfb::Kill() {
    m_server.kill();
    m_server.waitForFinished(5000);
}
