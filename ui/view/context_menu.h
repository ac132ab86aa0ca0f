// The list's context menu (resource 134). Each action carries its command id as its data.
#pragma once

class QMenu;
class QWidget;

// Builds the menu as a child of `parent`, which owns it.
QMenu* CreateContextMenu(QWidget* parent);
