// SIGTERM, SIGINT and SIGHUP turned into a Qt signal on the UI thread, so the program can end
// through its ordinary close handling instead of dying with unsaved state.
#pragma once

#include "unique_fd.h"

#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Catches the signals from now on. Only one may exist at a time; the handler writes to a
    // socket pair, the only thing safe to do inside a signal handler.
    explicit TerminationSignals(QObject* parent = nullptr);
    // Gives the signals back their default handling.
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // Whether the handlers are in place (false when the socket pair could not be made).
    bool IsActive() const { return m_writeEnd.IsValid(); }

signals:
    void Received(int signalNumber);

private:
    void Drain();

    UniqueFd m_readEnd;
    UniqueFd m_writeEnd;
    QSocketNotifier* m_pNotifier = nullptr;
};
