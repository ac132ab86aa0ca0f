// Shows the event editor in add mode with the real hot keys, for screenshots.
#include "fakes/fake_platform.h"
#include "model/event_info.h"
#include "platform/hotkeys/xcb_hot_keys.h"
#include "ui/editor/dlg_color_event.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FakePlatform fakes;
    fakes.screen.background = RGB(40, 120, 200);
    XcbHotKeys hotKeys;
    PlatformServices services = fakes.Services();
    PlatformServices real{services.screen,      services.tone,       services.launcher,
                          services.profile,     services.messageBox, hotKeys,
                          services.fileChooser, services.folders};
    CEventInfo event;
    CDlgColorEvent dialog(real, nullptr);
    dialog.m_pEvent = &event;
    dialog.move(20, 20);
    return dialog.DoModal() == IDOK ? 0 : 1;
}
