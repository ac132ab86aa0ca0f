// The About box: the program's name, version and where to get help.
#pragma once

#include <QDialog>

inline constexpr char kAboutVersionText[] = "Tintwatch Version " TINTWATCH_VERSION;
inline constexpr char kAboutSupportText[] =
    "Support: report problems on the project's issue tracker.";

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // OK is the default button; Enter and Escape both close the box.
    explicit CAboutDlg(QWidget* parent = nullptr);
};
