// A real notification area for tests on Xvfb: a tint2 panel holding only its system tray.
#pragma once

#include <QProcess>
#include <QTemporaryDir>

class TrayHost {
public:
    TrayHost();
    ~TrayHost();
    TrayHost(const TrayHost&) = delete;
    TrayHost& operator=(const TrayHost&) = delete;

    // Starts the panel; true once it owns the tray (tint2 first waits a few seconds for a
    // window manager, which Xvfb does not have).
    bool Start();
    // Kills the panel, as a crashing desktop shell would go, and waits until Qt saw it go.
    void Kill();

private:
    QTemporaryDir m_folder;
    QProcess m_panel;
};
