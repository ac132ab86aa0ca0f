// Drives the Windows hot-key backend for the tests that run under Wine.
// tw_win_probe VK SECONDS prints "registered" or "refused" (exit 3), then "pressed VK" at each
// press until SECONDS have passed; it shows a small window, which Wine needs to get the keys.
// tw_win_probe record FOLDER PATH is a file association's program: each start writes PATH into
// a new file of FOLDER, so launches that run at once are all kept.
#include "platform/win/win_hot_keys.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

int HotKey(std::uint16_t virtualKey, int seconds) {
    WinHotKeys keys;
    const auto registration = keys.RegisterHotKey(virtualKey, [](std::uint16_t key) {
        std::printf("pressed %u\n", static_cast<unsigned>(key));
        std::fflush(stdout);
    });
    std::printf("%s\n", registration ? "registered" : "refused");
    std::fflush(stdout);
    if (!registration)
        return 3;
    QWidget window;
    window.setWindowTitle(QStringLiteral("tw_win_probe"));
    window.setGeometry(10, 10, 120, 60);
    window.show();
    QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

// The next free launch-N, taken with CREATE_NEW: two starts never share a file.
int Record(const QString& folder, const QString& path) {
    for (int n = 1; n < 10000; ++n) {
        QFile file(QDir(folder).filePath(QStringLiteral("launch-%1").arg(n)));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file.write(path.toUtf8()) == path.toUtf8().size() && file.flush() ? 0 : 1;
        if (file.error() != QFileDevice::OpenError)
            return 1;
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == QLatin1String("record"))
        return Record(arguments[2], arguments[3]);
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: tw_win_probe VK SECONDS | record FOLDER PATH\n");
        return 2;
    }
    return HotKey(static_cast<std::uint16_t>(arguments[1].toUInt()), arguments[2].toInt());
}
