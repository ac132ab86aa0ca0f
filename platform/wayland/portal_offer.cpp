#include "portal_offer.h"

#include "portal_names.h"

PortalOffer ReadPortalOffer(IPortalProperties& portal) {
    const auto read = [&portal](const QString& interface, const char* name) {
        return portal.Read(interface, QString::fromLatin1(name)).value_or(0);
    };
    PortalOffer offer;
    offer.screenCastVersion = read(kScreenCastInterface, "version");
    offer.cursorModes = read(kScreenCastInterface, "AvailableCursorModes");
    offer.remoteDesktopVersion = read(kRemoteDesktopInterface, "version");
    offer.deviceTypes = read(kRemoteDesktopInterface, "AvailableDeviceTypes");
    offer.globalShortcutsVersion = read(kGlobalShortcutsInterface, "version");
    return offer;
}

PointerMechanisms ChooseMechanisms(const PortalOffer& offer, bool virtualPointer) {
    PointerMechanisms chosen;
    // Cursor modes are an option of SelectSources from version 2 on.
    const bool metadata =
        offer.screenCastVersion >= 2 && (offer.cursorModes & kCursorModeMetadata) != 0;
    chosen.position = metadata ? PointerPosition::CursorMetadata : PointerPosition::Overlay;
    // A key that fires where the pointer cannot be read would pick nothing.
    chosen.keys = metadata && offer.globalShortcutsVersion >= 1 ? PickKeys::GlobalShortcuts
                                                                : PickKeys::Overlay;
    // The pointer is moved within the streams of a screen cast of its own, in a session asked
    // for only when "Show location" is first used.
    const bool remoteDesktop = offer.screenCastVersion >= 1 && offer.remoteDesktopVersion >= 1 &&
                               (offer.deviceTypes & kDevicePointer) != 0;
    if (remoteDesktop)
        chosen.move = PointerMove::RemoteDesktop;
    else
        chosen.move = virtualPointer ? PointerMove::VirtualPointer : PointerMove::Marker;
    return chosen;
}
