// What the desktop's portal offers for reaching the pointer and the keys, read from the
// interfaces and versions it advertises, and the mechanisms chosen from it: by feature, never by
// the desktop's name.
#pragma once

#include "platform/pointer_mechanisms.h"

#include <QString>
#include <optional>

// The bits of ScreenCast's AvailableCursorModes and RemoteDesktop's AvailableDeviceTypes that
// matter here.
inline constexpr unsigned kCursorModeMetadata = 4;
inline constexpr unsigned kDevicePointer = 2;

struct PortalOffer {
    unsigned screenCastVersion = 0; // 0: no screen-cast portal
    unsigned cursorModes = 0;
    unsigned remoteDesktopVersion = 0; // 0: no remote-desktop portal
    unsigned deviceTypes = 0;
    unsigned globalShortcutsVersion = 0; // 0: no shortcut portal
};

// The portal's properties, as its D-Bus object answers them.
class IPortalProperties {
public:
    virtual ~IPortalProperties() = default;
    // The unsigned property `name` of portal interface `interface`; nullopt when the portal or
    // that interface is missing, or the property is not there.
    virtual std::optional<unsigned> Read(const QString& interface, const QString& name) = 0;
};

PortalOffer ReadPortalOffer(IPortalProperties& portal);

// `virtualPointer`: whether the compositor lets a client add a pointer device of its own.
PointerMechanisms ChooseMechanisms(const PortalOffer& offer, bool virtualPointer);
