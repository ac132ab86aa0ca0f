#include "portal_offer.h"

#include "portal_names.h"

PortalOffer OfferOf(const QHash<QString, QVariantMap>& properties) {
    const auto read = [&properties](const QString& interface, const char* name) {
        return properties.value(interface).value(QString::fromLatin1(name)).toUInt();
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

unsigned ChooseCursorMode(const PortalOffer& offer, const PointerMechanisms& mechanisms) {
    if (offer.screenCastVersion < 2)
        return 0;
    if (mechanisms.position == PointerPosition::CursorMetadata)
        return kCursorModeMetadata;
    // Hidden, so that the pointer never covers the colour under it; else the portal's own.
    return (offer.cursorModes & kCursorModeHidden) != 0 ? kCursorModeHidden : 0;
}
