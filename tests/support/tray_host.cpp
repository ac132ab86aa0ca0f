#include "tray_host.h"

#include "waiting.h"
#include <QFile>
#include <QSystemTrayIcon>

namespace {
constexpr int kStartTimeoutMs = 30000;

// Whether Qt sees a notification area on the display, waiting up to `timeoutMs` for it.
bool WaitForTray(bool present, int timeoutMs) {
    return WaitUntil([present] { return QSystemTrayIcon::isSystemTrayAvailable() == present; },
                     timeoutMs);
}
} // namespace

TrayHost::TrayHost() {
    QFile config(m_folder.filePath("tint2rc"));
    if (config.open(QIODevice::WriteOnly))
        config.write("panel_items = S\npanel_size = 100% 30\npanel_position = bottom center "
                     "horizontal\nsystray_icon_size = 22\nsystray_padding = 2 2 2\n");
    m_panel.setProgram("tint2");
    m_panel.setArguments({"-c", config.fileName()});
    m_panel.setStandardOutputFile(QProcess::nullDevice());
    m_panel.setStandardErrorFile(QProcess::nullDevice());
}

TrayHost::~TrayHost() {
    Kill();
}

bool TrayHost::Start() {
    m_panel.start();
    return m_panel.waitForStarted() && WaitForTray(true, kStartTimeoutMs);
}

void TrayHost::Kill() {
    if (m_panel.state() == QProcess::NotRunning)
        return;
    m_panel.kill();
    m_panel.waitForFinished();
    // Until Qt has seen the tray go, it would still report the dead one as present.
    WaitForTray(false, kStartTimeoutMs);
}
