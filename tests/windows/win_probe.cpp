// Drives the Windows hot-key backend for the tests that run under Wine.
// tw_win_probe VK SECONDS prints "registered" or "refused" (exit 3), then "pressed VK" at each
// press until SECONDS have passed; it shows a small window, which Wine needs to get the keys.
#include "platform/win/win_hot_keys.h"

#include <QApplication>
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

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: tw_win_probe VK SECONDS\n");
        return 2;
    }
    return HotKey(static_cast<std::uint16_t>(arguments[1].toUInt()), arguments[2].toInt());
}
