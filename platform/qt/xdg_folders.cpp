#include "xdg_folders.h"

#include <QStandardPaths>

QString XdgFolders::DesktopFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString XdgFolders::DefaultEditorPath() {
    // Graphical editors of the common desktops, most widespread first.
    static const char* const kEditors[] = {"gedit",  "gnome-text-editor", "kate",
                                           "kwrite", "mousepad",          "xed",
                                           "pluma",  "leafpad",           "featherpad"};
    for (const char* editor : kEditors) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(editor));
        if (!path.isEmpty())
            return path;
    }
    return {};
}
