// A stand-in start of the program for the single-instance tests: claims the instance in the
// folder given as its argument, prints its role, and while it runs prints every command that
// later starts hand it. It ends when its standard input closes.
#include "app/single_instance.h"
#include "res/resource_ids.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    switch (instance.Claim(ID_TRAY_CONFIGURE)) {
    case SingleInstance::Role::Secondary:
        std::puts("secondary");
        return 0;
    case SingleInstance::Role::Unreachable:
        std::puts("unreachable");
        return 3;
    case SingleInstance::Role::Unguarded:
        std::puts("unguarded");
        return 4;
    case SingleInstance::Role::Primary:
        break;
    }
    std::puts("primary");
    std::fflush(stdout);
    QObject::connect(&instance, &SingleInstance::CommandReceived, [](int command) {
        std::printf("received %d\n", command);
        std::fflush(stdout);
    });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&app] {
        char byte = 0;
        if (::read(STDIN_FILENO, &byte, 1) <= 0)
            app.quit();
    });
    return app.exec();
}
