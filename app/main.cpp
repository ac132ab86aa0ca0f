// Tintwatch: watches points of the screen and acts when their colour changes.
#include "app_icon.h"
#include "command_line.h"
#include "model/data_file_path.h"
#include "platform/qt/qt_message_box.h"
#include "platform/real/display_setup.h"
#include "platform/real/real_platform.h"
#include "platform/real/runtime_folder.h"
#include "platform/real/termination_signals.h"
#include "platform/real/unplanned_exit_guard.h"
#include "res/resource_ids.h"
#include "screen_share_notice.h"
#include "single_instance.h"
#include "tintwatch_app.h"
#include "ui/frame/main_frame.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    // Answered before anything looks for a display, so they work anywhere.
    if (const auto answer = ReadCommandLine({argv + 1, static_cast<std::size_t>(argc - 1)})) {
        std::fputs(answer->text.c_str(), answer->isError ? stderr : stdout);
        return answer->exitStatus;
    }
    QCoreApplication::setOrganizationName(QString::fromLatin1(kVendorKey));
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    QCoreApplication::setApplicationVersion(QStringLiteral(TINTWATCH_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TINTWATCH_APP_ID));

    PreparedDisplay display = PrepareDisplay();
    if (!display.problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(display.problem));
        return 1;
    }
    QApplication application(argc, argv);
    display.check.reset();

    // Before any window: a later start for the same data file, from whatever session, only
    // hands its command over and ends.
    QString dataFile;
    GetDataFilePath(dataFile);
    SingleInstance instance(QFileInfo(dataFile).absolutePath(), PrivateRuntimeFolder());
    switch (const auto role = instance.Claim(ID_TRAY_CONFIGURE)) {
    case SingleInstance::Role::Secondary:
        return 0;
    case SingleInstance::Role::Unreachable:
    case SingleInstance::Role::Unguarded: {
        // Never run beside another instance: both would write the one list.
        const QString why = instance.WhyNotRunning(role);
        std::fprintf(stderr, "%s\n", qPrintable(why));
        QtMessageBox().MessageBox(nullptr, why, MbButtons::Ok, MbIcon::Error);
        return 1;
    }
    case SingleInstance::Role::Primary:
        break;
    }

    QApplication::setWindowIcon(AppIcon());
    // The window hides to the notification area and message boxes may be the only windows
    // for a while; only the frame's close handling ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    RealPlatform platform;
    CTintwatchApp app(platform.Services(), &RealPlatform::MakeTimerHost);
    QObject::connect(&instance, &SingleInstance::CommandReceived, &app,
                     &CTintwatchApp::PostToMainFrame);
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::Received, &app,
                     &CTintwatchApp::RequestClose);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &app,
                     &CTintwatchApp::RunQueuedSaves);

    if (!app.InitInstance())
        return 1;
    // On Wayland the desktop may refuse or stop sharing its screen; the user hears of it.
    std::unique_ptr<ScreenShareNotice> shareNotice;
    if (IScreenShare* share = platform.ScreenShare())
        shareNotice = std::make_unique<ScreenShareNotice>(
            *share, platform.Services().screen, platform.Services().messageBox, *app.MainFrame());
    // Losing the X server ends the process from inside the loop: what is counted but not yet
    // written is written then, and nothing is shown any more.
    const UnplannedExitGuard unplannedExit([&] {
        platform.WithoutDisplay();
        app.RunQueuedSaves();
        // Saved first: a launch that runs is always of a detection the file holds.
        platform.Services().launcher.StartPending();
    });
    return QApplication::exec();
}
