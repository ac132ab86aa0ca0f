// A bare Qt program on the X display DISPLAY names, with the program's own guard against an
// unplanned end: once the display is gone, the guard's action writes "written at the end" to
// the file named by the first argument. Prints "ready" once its loop runs.
#include "model/data_file_io.h"
#include "platform/real/unplanned_exit_guard.h"

#include <QGuiApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const UnplannedExitGuard guard([&] { WriteWholeFile(path, "written at the end"); });
    QTimer::singleShot(0, [] {
        std::puts("ready");
        std::fflush(stdout);
    });
    return QGuiApplication::exec();
}
