// The status bar's CAP, NUM and SCRL panes. Each is drawn normally while its lock is on and
// dimmed while it is off or while the window system does not tell the state.
#pragma once

#include "platform/keyboard/lock_keys.h"

#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

class CLockKeyIndicators : public QWidget {
public:
    using Reader = std::function<std::optional<LockKeyState>()>;

    explicit CLockKeyIndicators(Reader reader, QWidget* parent = nullptr);

    // Reads the locks now and redraws the panes.
    void Refresh();

    bool IsLit(int pane) const;

private:
    Reader m_reader;
    QLabel* m_panes[3];
    QTimer m_poll;
};
