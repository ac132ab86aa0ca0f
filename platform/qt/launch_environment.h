// What the programs we start inherit: the user's environment, not our own changes to it.
#pragma once

#include <QByteArray>
#include <QByteArrayList>

// Sets `name` for this program alone (QT_QPA_PLATFORM, chosen for Qt's own start): the
// programs it starts get the value the user had, or none.
void SetOwnEnvironmentVariable(const char* name, const QByteArray& value);

// This process's environment, "NAME=value" each, with every variable set through
// SetOwnEnvironmentVariable back as the user had it.
QByteArrayList UserEnvironment();
