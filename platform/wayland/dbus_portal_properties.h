// The desktop portal's offer, read over the session bus without waiting for it.
#pragma once

#include "portal_offer.h"

#include <QDBusConnection>
#include <functional>

class QObject;

// Asks for the properties of each portal interface at once (one GetAll each); `onRead` runs
// once on the UI thread when all have answered, failed or timed out, unless `context` is gone.
// The first call may start the portal, which takes a moment: nothing waits for it meanwhile.
void ReadPortalOffer(QDBusConnection bus, QObject* context,
                     std::function<void(const PortalOffer&)> onRead);
