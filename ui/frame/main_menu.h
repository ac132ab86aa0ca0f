// The main menu: File, Edit, View, Help, and the right-justified hide command on the bar.
#pragma once

class CCmdTarget;
class QAction;
class QMainWindow;

struct MainMenuToggles {
    QAction* toolBar;
    QAction* statusBar;
};

// Fills `frame`'s menu bar; every item sends its command to `target`. Returns the two
// checkable View items, which the frame keeps in step with the bars they show.
MainMenuToggles BuildMainMenu(QMainWindow& frame, CCmdTarget& target);
