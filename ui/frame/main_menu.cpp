#include "main_menu.h"

#include "command_action.h"
#include "platform/browser/help_links.h"
#include "res/resource_ids.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace {

QAction* AddItem(QMenu& menu, CCmdTarget& target, int id, const QString& text,
                 const QString& prompt = {}) {
    QAction* action = MakeCommandAction(&menu, target, id, text, prompt);
    menu.addAction(action);
    return action;
}

QAction* AddToggle(QMenu& menu, CCmdTarget& target, int id, const QString& text) {
    QAction* action = AddItem(menu, target, id, text);
    action->setCheckable(true);
    action->setChecked(true);
    return action;
}

// A menu bar holds no right-justified command of its own, so the hide command is a flat button
// in the bar's right corner; its caption's mnemonic gives it Alt+N like any menu title.
void AddHideCommand(QMainWindow& frame, CCmdTarget& target) {
    const QString caption = QStringLiteral("Hide to &Notification Area");
    QAction* hide =
        MakeCommandAction(frame.menuBar(), target, ID_HIDE_TO_NOTIFICATION_AREA, caption);
    auto* button = new QToolButton(frame.menuBar());
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setText(caption);
    QObject::connect(button, &QToolButton::clicked, hide, &QAction::trigger);
    frame.menuBar()->setCornerWidget(button, Qt::TopRightCorner);
}

} // namespace

MainMenuToggles BuildMainMenu(QMainWindow& frame, CCmdTarget& target) {
    QMenuBar& bar = *frame.menuBar();

    QMenu* file = bar.addMenu(QStringLiteral("&File"));
    AddItem(*file, target, ID_EVENT_NEW, QStringLiteral("New Color Matching Event...\tCtrl+N"),
            QStringLiteral("Create New Color Event to Detect (Ctrl+N)"));
    file->addSeparator();
    AddItem(*file, target, ID_APP_EXIT, QStringLiteral("E&xit"));

    QMenu* edit = bar.addMenu(QStringLiteral("&Edit"));
    AddItem(*edit, target, ID_EVENT_EDIT, QStringLiteral("Edit Selected Record\tEnter"),
            QStringLiteral("Edit Selected Record\tEnter"));
    AddItem(*edit, target, ID_EVENT_DELETE, QStringLiteral("Delete Selected Record\tDel"));
    edit->addSeparator();
    AddItem(*edit, target, ID_EVENT_TOGGLE,
            QStringLiteral("Enable / Disable Change Detection for Selected Record(s)"));

    QMenu* view = bar.addMenu(QStringLiteral("&View"));
    const MainMenuToggles toggles{
        AddToggle(*view, target, ID_VIEW_TOOLBAR, QStringLiteral("&Toolbar")),
        AddToggle(*view, target, ID_VIEW_STATUS_BAR, QStringLiteral("&Status Bar")),
    };

    QMenu* help = bar.addMenu(QStringLiteral("&Help"));
    AddItem(*help, target, ID_APP_ABOUT, QStringLiteral("&About Tintwatch..."));
    help->addSeparator();
    AddItem(*help, target, ID_HELP_TUTORIAL, QStringLiteral("Monitor Screen Changes.."));
    help->addSeparator();
    AddItem(*help, target, ID_HELP_WEBSITE, WebsiteCaption());

    AddHideCommand(frame, target);
    return toggles;
}
