// The mechanisms chosen from what a desktop's portal advertises, read through a fake of the
// portal's properties: interfaces missing, present at old versions, or lacking a feature.
#include "platform/wayland/portal_names.h"
#include "platform/wayland/portal_offer.h"

#include <gtest/gtest.h>

namespace {

struct Advertised {
    unsigned screenCast = 0; // versions; 0: the interface is missing
    unsigned cursorModes = 0;
    unsigned remoteDesktop = 0;
    unsigned deviceTypes = 0;
    unsigned globalShortcuts = 0;
};

// What GetAll answers for each interface that what is advertised has.
QHash<QString, QVariantMap> Properties(const Advertised& a) {
    QHash<QString, QVariantMap> properties;
    if (a.screenCast)
        properties[kScreenCastInterface] = {{"version", a.screenCast}};
    // The property exists from version 2 on.
    if (a.screenCast >= 2)
        properties[kScreenCastInterface].insert("AvailableCursorModes", a.cursorModes);
    if (a.remoteDesktop)
        properties[kRemoteDesktopInterface] = {{"version", a.remoteDesktop},
                                               {"AvailableDeviceTypes", a.deviceTypes}};
    if (a.globalShortcuts)
        properties[kGlobalShortcutsInterface] = {{"version", a.globalShortcuts}};
    return properties;
}

// Cursor modes: 1 hidden, 2 embedded, 4 metadata. Device types: 1 keyboard, 2 pointer.
constexpr auto kKeys = PickKeys::GlobalShortcuts, kOverlay = PickKeys::Overlay;
constexpr auto kMeta = PointerPosition::CursorMetadata, kSeen = PointerPosition::Overlay;
constexpr auto kRemote = PointerMove::RemoteDesktop, kVirtual = PointerMove::VirtualPointer,
               kMarker = PointerMove::Marker;

} // namespace

TEST(MechanismChoiceTest, EachNeedTakesTheBestWayTheDesktopAdvertises) {
    const struct {
        const char* desktop;
        Advertised advertised;
        bool virtualPointer;
        PointerMechanisms expected;
    } cases[] = {
        {"KDE Plasma 6", {5, 7, 2, 3, 1}, false, {kKeys, kMeta, kRemote}},
        {"GNOME 43: no shortcut portal", {4, 7, 2, 3, 0}, false, {kOverlay, kMeta, kRemote}},
        {"sway: wlr portal, virtual pointers", {4, 3, 0, 0, 0}, true, {kOverlay, kSeen, kVirtual}},
        {"wlroots without virtual pointers", {4, 3, 0, 0, 0}, false, {kOverlay, kSeen, kMarker}},
        {"keys, but nothing tells where", {4, 3, 0, 0, 1}, true, {kOverlay, kSeen, kVirtual}},
        {"screen cast 1: no cursor modes", {1, 0, 2, 3, 1}, false, {kOverlay, kSeen, kRemote}},
        {"remote desktop 1: not restored", {4, 7, 1, 3, 1}, true, {kKeys, kMeta, kVirtual}},
        {"no pointer device to move", {4, 7, 2, 1, 0}, false, {kOverlay, kMeta, kMarker}},
        {"no stream to move the pointer in", {0, 0, 2, 7, 1}, false, {kOverlay, kSeen, kMarker}},
        {"no portal at all", {}, true, {kOverlay, kSeen, kVirtual}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseMechanisms(OfferOf(Properties(c.advertised)), c.virtualPointer), c.expected)
            << c.desktop;
    }
}
