#include "win_folders.h"

#include "win32_calls.h"

#include <QStandardPaths>

QString WinFolders::DesktopFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString WinFolders::DefaultEditorPath() {
    const QString folder = win32::WindowsFolder();
    if (folder.isEmpty())
        return {};
    QString path = folder + QStringLiteral("\\Notepad.exe");
    // A folder given with a trailing separator still makes one separator.
    path.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    return path;
}
