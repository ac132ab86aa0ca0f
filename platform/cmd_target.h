// Commands by number, routed from target to target as menus, keys and other processes send
// them, and posted ones delivered later through the event queue.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Handles command `id` or passes it along its route; returns whether anyone handled it.
    virtual bool OnCommand(int id) = 0;
};

// A command queued for a target; the target's event() hands it to its OnCommand.
class CommandEvent : public QEvent {
public:
    static QEvent::Type EventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    explicit CommandEvent(int id) : QEvent(EventType()), m_nId(id) {}
    int Id() const { return m_nId; }

private:
    int m_nId;
};

// Queues command `id` for `target`; it runs after the caller has returned. Never waits.
inline void PostCommand(QObject* target, int id) {
    if (target)
        QCoreApplication::postEvent(target, new CommandEvent(id));
}

// Runs command `id` on `target` now, through its event() as a posted one would run later.
// Returns whether the target took it.
inline bool SendCommand(QObject* target, int id) {
    if (!target)
        return false;
    CommandEvent command(id);
    return QCoreApplication::sendEvent(target, &command);
}

// For a target's event(): runs a posted command; returns false for any other event.
inline bool DispatchPostedCommand(CCmdTarget& target, QEvent* event) {
    if (event->type() != CommandEvent::EventType())
        return false;
    target.OnCommand(static_cast<CommandEvent*>(event)->Id());
    return true;
}
