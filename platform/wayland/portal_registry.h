// Telling the portal who we are. A program not started from its desktop entry (a terminal, a
// test) has no application id the portal can find by itself; then KDE files every shortcut
// session under a name of its own and asks for the keys again each time.
#pragma once

#include <QDBusConnection>

// Registers the program's application id (its desktop entry's name) for `bus` with the portal,
// where the portal offers it (host registry, xdg-desktop-portal 1.19 and later). Must come before
// any other portal call on that connection; nothing waits for the answer, and later calls are
// handled after it.
void RegisterWithPortal(const QDBusConnection& bus);
