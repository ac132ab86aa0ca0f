#include "data_file_path.h"

#include "platform/shell/shell_api.h"

#include <QDir>
#include <QFileInfo>

namespace {

// One pass from the left: "a//b" gives "a/b", and "///" gives "//".
void FoldDoubledSeparators(QString& path) {
    path.replace(QStringLiteral("//"), QStringLiteral("/"));
}

} // namespace

void GetDataFilePath(QString& path) {
    path.clear();
    {
        // The module is held only for this one look-up.
        const CShellApi shell;
        shell.SHGetSpecialFolderPath(path, CSIDL_LOCAL_APPDATA, true);
    }
    path += QStringLiteral("/Tintwatch/");
    FoldDoubledSeparators(path);
    if (!QFileInfo(path).isDir())
        QDir().mkdir(path);
    QDir::setCurrent(path);
    path += QStringLiteral("/Tintwatchv7.1.dat");
    FoldDoubledSeparators(path);
}
