// Menu, toolbar and key actions that carry a command id and deliver it to a command target.
#pragma once

#include <QString>

class CCmdTarget;
class QAction;
class QObject;

// A new action owned by `owner` that runs target.OnCommand(id) when triggered. `prompt` is the
// status-bar text shown while the pointer rests on it (none when empty).
QAction* MakeCommandAction(QObject* owner, CCmdTarget& target, int id, const QString& text,
                           const QString& prompt = {});

// The command id an action carries; 0 for separators and foreign actions.
int CommandIdOf(const QAction* action);
