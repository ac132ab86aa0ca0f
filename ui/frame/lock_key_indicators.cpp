#include "lock_key_indicators.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

namespace {
// X sends no event when a lock changes while another program has the focus, so the panes ask.
constexpr int kPollMs = 250;
} // namespace

CLockKeyIndicators::CLockKeyIndicators(Reader reader, QWidget* parent)
    : QWidget(parent), m_reader(std::move(reader)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    int i = 0;
    for (const char* text : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(QLatin1String(text), this);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        pane->setEnabled(false);
        layout->addWidget(pane);
        m_panes[i++] = pane;
    }
    connect(&m_poll, &QTimer::timeout, this, &CLockKeyIndicators::Refresh);
    m_poll.start(kPollMs);
    Refresh();
}

void CLockKeyIndicators::Refresh() {
    // Hidden to the notification area, nobody sees the panes: spare the X round trip.
    if (window() && window()->isHidden() && window() != this)
        return;
    const std::optional<LockKeyState> state = m_reader ? m_reader() : std::nullopt;
    const bool lit[3] = {state && state->capsLock, state && state->numLock,
                         state && state->scrollLock};
    for (int i = 0; i < 3; ++i)
        m_panes[i]->setEnabled(lit[i]);
}

bool CLockKeyIndicators::IsLit(int pane) const {
    return m_panes[pane]->isEnabled();
}
