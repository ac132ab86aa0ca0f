// What the desktop's portal offers for reaching the pointer and the keys, read from the
// interfaces and versions it advertises, and the mechanisms chosen from it: by feature, never by
// the desktop's name.
#pragma once

#include "platform/pointer_mechanisms.h"

#include <QHash>
#include <QString>
#include <QVariantMap>

// The bits of ScreenCast's AvailableCursorModes and RemoteDesktop's AvailableDeviceTypes that
// matter here.
inline constexpr unsigned kCursorModeHidden = 1;
inline constexpr unsigned kCursorModeMetadata = 4;
inline constexpr unsigned kDevicePointer = 2;

struct PortalOffer {
    unsigned screenCastVersion = 0; // 0: no screen-cast portal
    unsigned cursorModes = 0;
    unsigned remoteDesktopVersion = 0; // 0: no remote-desktop portal
    unsigned deviceTypes = 0;
    unsigned globalShortcutsVersion = 0; // 0: no shortcut portal
};

// The offer in the portal's properties, by interface as GetAll answers them; an interface the
// portal lacks is missing or empty.
PortalOffer OfferOf(const QHash<QString, QVariantMap>& properties);

// `virtualPointer`: whether the compositor lets a client add a pointer device of its own.
PointerMechanisms ChooseMechanisms(const PortalOffer& offer, bool virtualPointer);

// The cursor mode to ask for: metadata where `mechanisms` read the pointer from it, else
// hidden. Never one the portal does not offer (asking for it ends the session); 0: ask none.
unsigned ChooseCursorMode(const PortalOffer& offer, const PointerMechanisms& mechanisms);
