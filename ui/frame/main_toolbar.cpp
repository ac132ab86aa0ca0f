#include "main_toolbar.h"

#include "command_action.h"
#include "res/resource_ids.h"

#include <QIcon>
#include <QToolBar>

namespace {

struct Button {
    int id; // 0: a separator
    const char* themeIcon;
    const char* image;
    const char* prompt;
    const char* tooltip;
};

// Theme names are the freedesktop ones; the cursor and toggle buttons have none that fits.
constexpr Button kButtons[] = {
    {ID_EVENT_NEW, "document-new", "event-new.png", "Create New Color Event to Detect (Ctrl+N)",
     "Create New Color Event to Detect (Ctrl + N)"},
    {0, nullptr, nullptr, nullptr, nullptr},
    {ID_POPUP_EVENT_EDIT, "document-properties", "event-edit.png", "Edit Selected Record",
     "Edit Selected Record"},
    {ID_POPUP_EVENT_DELETE, "edit-delete", "event-delete.png", "Delete Selected Record",
     "Delete Selected Record"},
    {0, nullptr, nullptr, nullptr, nullptr},
    {ID_POPUP_SHOW_CURSOR, nullptr, "show-cursor.png", "Show Cursor Position",
     "Show Cursor Position"},
    {0, nullptr, nullptr, nullptr, nullptr},
    {ID_POPUP_EVENT_TOGGLE, nullptr, "event-toggle.png", "Enable / Disable Selected Record",
     "Enable / Disable Selected Record"},
    {0, nullptr, nullptr, nullptr, nullptr},
    {ID_APP_ABOUT, "help-about", "about.png", "", "About"},
};

QIcon ButtonIcon(const Button& button) {
    const QIcon own(QStringLiteral(":/toolbar/") + QLatin1String(button.image));
    return button.themeIcon ? QIcon::fromTheme(QLatin1String(button.themeIcon), own) : own;
}

} // namespace

QToolBar* CreateMainToolBar(QWidget* parent, CCmdTarget& target) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QStringLiteral("mainToolBar"));
    bar->setIconSize(QSize(16, 15));
    for (const Button& button : kButtons) {
        if (button.id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action =
            MakeCommandAction(bar, target, button.id, QString(), QLatin1String(button.prompt));
        action->setIcon(ButtonIcon(button));
        action->setToolTip(QLatin1String(button.tooltip));
        action->setIconText(QLatin1String(button.tooltip));
        bar->addAction(action);
    }
    return bar;
}
