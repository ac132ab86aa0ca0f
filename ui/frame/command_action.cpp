#include "command_action.h"

#include "platform/cmd_target.h"

#include <QAction>

namespace {
constexpr char kCommandIdProperty[] = "tintwatchCommandId";
}

QAction* MakeCommandAction(QObject* owner, CCmdTarget& target, int id, const QString& text,
                           const QString& prompt) {
    auto* action = new QAction(text, owner);
    action->setProperty(kCommandIdProperty, id);
    action->setStatusTip(prompt);
    QObject::connect(action, &QAction::triggered, owner, [&target, id] { target.OnCommand(id); });
    return action;
}

int CommandIdOf(const QAction* action) {
    return action ? action->property(kCommandIdProperty).toInt() : 0;
}
