#include "termination_signals.h"

// A Windows program gets no termination signals: the end of the session arrives as Qt's
// commitDataRequest and the closing of its windows, which the program handles already.
TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;
