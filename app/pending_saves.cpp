#include "pending_saves.h"

#include "platform/cmd_target.h"
#include "res/resource_ids.h"

#include <QCoreApplication>

namespace {

// Lets the queued save commands through to their target and swallows the rest.
class SaveOnlyFilter : public QObject {
public:
    int saves = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != CommandEvent::EventType())
            return false;
        if (static_cast<CommandEvent*>(event)->Id() != ID_FILE_SAVE)
            return true;
        ++saves;
        return false;
    }
};

} // namespace

int RunPendingSaves(QObject* target) {
    if (!target)
        return 0;
    SaveOnlyFilter filter;
    target->installEventFilter(&filter);
    QCoreApplication::sendPostedEvents(target, CommandEvent::EventType());
    target->removeEventFilter(&filter);
    return filter.saves;
}
