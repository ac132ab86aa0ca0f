#include "context_menu.h"

#include "res/resource_ids.h"

#include <QMenu>

QMenu* CreateContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    const auto add = [menu](const char* caption, int id) {
        menu->addAction(QString::fromLatin1(caption))->setData(id);
    };
    // QMenu shows the text after the tab as the shortcut column, as the resource intends.
    add("Add New Color Detection\tCtrl+N", ID_POPUP_EVENT_NEW);
    menu->addSeparator();
    add("Edit Selected Record\tEnter", ID_POPUP_EVENT_EDIT);
    add("Delete Selected Record(s)\tDel", ID_POPUP_EVENT_DELETE);
    menu->addSeparator();
    add("Enable / Disable Change Detection for Selected Record(s)", ID_POPUP_EVENT_TOGGLE);
    menu->addSeparator();
    add("Show Cursor Position", ID_POPUP_SHOW_CURSOR);
    return menu;
}
