// The toolbar: six commands in four groups, with tooltips and status-bar prompts.
#pragma once

class CCmdTarget;
class QToolBar;
class QWidget;

// A new dockable toolbar owned by `parent` whose buttons send their commands to `target`.
// Images follow the desktop's icon theme where it has a fitting icon, else our own.
QToolBar* CreateMainToolBar(QWidget* parent, CCmdTarget& target);
