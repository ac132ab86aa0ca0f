// Drives the Windows hot-key backend, and stands in for a launched program, for the tests
// that run under Wine.
//   tw_win_probe hotkey VK SECONDS  prints "registered" or "refused" (exit 3), then
//                                   "pressed VK" at each press until SECONDS have passed; it
//                                   shows a small window, which Wine needs to get the keys
//   tw_win_probe record LOG ARG...  appends its arguments to LOG, one line of "ARG|" each
#include "platform/win/win_hot_keys.h"

#include <QApplication>
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

int Record(const QString& log, const QStringList& arguments) {
    QFile file(log);
    if (!file.open(QIODevice::Append))
        return 2;
    QByteArray line;
    for (const QString& argument : arguments)
        line += argument.toUtf8() + '|';
    file.write(line + '\n');
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments().mid(1);
    const QString command = arguments.value(0);
    if (command == QLatin1String("hotkey") && arguments.size() == 3)
        return HotKey(static_cast<std::uint16_t>(arguments[1].toUInt()), arguments[2].toInt());
    if (command == QLatin1String("record") && arguments.size() >= 2)
        return Record(arguments[1], arguments.mid(2));
    std::fprintf(stderr, "usage: tw_win_probe hotkey|record ...\n");
    return 2;
}
