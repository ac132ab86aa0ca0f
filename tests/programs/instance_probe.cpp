// A stand-in start for the single-instance tests: claims the instance for the data folder given,
// as the program does from its session's runtime folder, prints its role and, while primary, every
// command handed to it; ends with its input.
#include "app/single_instance.h"
#include "platform/real/runtime_folder.h"
#include "res/resource_ids.h"

#include <QCoreApplication>
#include <QSocketNotifier>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SingleInstance instance(QString::fromLocal8Bit(argv[1]), PrivateRuntimeFolder());
    const auto role = instance.Claim(ID_TRAY_CONFIGURE);
    const char* const names[] = {"primary", "secondary", "unreachable", "unguarded"};
    std::puts(names[static_cast<int>(role)]);
    std::fflush(stdout);
    if (role != SingleInstance::Role::Primary) // 0 once the command is handed over
        return role == SingleInstance::Role::Secondary ? 0 : 3;
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
