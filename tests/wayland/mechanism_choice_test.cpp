// The mechanisms chosen from what a desktop's portal advertises: interfaces missing, present at
// old versions, or lacking a feature; the offer read from the portal's properties; and which
// monitors a share covers.
#include "platform/wayland/portal_names.h"
#include "platform/wayland/portal_offer.h"
#include "platform/wayland/shared_monitors.h"

#include <gtest/gtest.h>

namespace {

// Cursor modes: 1 hidden, 2 embedded, 4 metadata. Device types: 1 keyboard, 2 pointer.
constexpr auto kKeys = PickKeys::GlobalShortcuts, kOverlay = PickKeys::Overlay;
constexpr auto kMeta = PointerPosition::CursorMetadata, kSeen = PointerPosition::Overlay;
constexpr auto kRemote = PointerMove::RemoteDesktop, kVirtual = PointerMove::VirtualPointer,
               kMarker = PointerMove::Marker;

} // namespace

TEST(MechanismChoiceTest, EachNeedTakesTheBestWayTheDesktopAdvertises) {
    const struct {
        const char* desktop;
        PortalOffer offer; // versions (0: the interface is missing) and features
        bool virtualPointer;
        PointerMechanisms expected;
    } cases[] = {
        {"KDE Plasma 6", {5, 7, 2, 3, 1}, false, {kKeys, kMeta, kRemote}},
        {"GNOME 43: no shortcut portal", {4, 7, 2, 3, 0}, false, {kOverlay, kMeta, kRemote}},
        {"sway: wlr portal, virtual pointers", {4, 3, 0, 0, 0}, true, {kOverlay, kSeen, kVirtual}},
        {"wlroots without virtual pointers", {4, 3, 0, 0, 0}, false, {kOverlay, kSeen, kMarker}},
        {"keys, but nothing tells where", {4, 3, 0, 0, 1}, true, {kOverlay, kSeen, kVirtual}},
        {"screen cast 1: no cursor modes", {1, 0, 2, 3, 1}, false, {kOverlay, kSeen, kRemote}},
        {"remote desktop 1, asked at the first move",
         {4, 7, 1, 3, 1},
         true,
         {kKeys, kMeta, kRemote}},
        {"no pointer device to move", {4, 7, 2, 1, 0}, false, {kOverlay, kMeta, kMarker}},
        {"no stream to move the pointer in", {0, 0, 2, 7, 1}, false, {kOverlay, kSeen, kMarker}},
        {"no portal at all", {}, true, {kOverlay, kSeen, kVirtual}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseMechanisms(c.offer, c.virtualPointer), c.expected) << c.desktop;
    const auto offer =
        OfferOf({{kScreenCastInterface, {{"version", 5u}, {"AvailableCursorModes", 7u}}},
                 {kRemoteDesktopInterface, {{"version", 2u}, {"AvailableDeviceTypes", 3u}}}});
    EXPECT_EQ(ChooseMechanisms(offer, false), (PointerMechanisms{kOverlay, kMeta, kRemote}));
}

TEST(SharedMonitorTest, StreamsWithoutAPlaceCountAloneAndMonitorsLeftOutAreNamed) {
    const SharedMonitor left{1, QRect(0, 0, 1280, 720)}, right{2, QRect(1280, 0, 640, 480)},
        somewhere{3, QRect(0, 0, 800, 600)};
    EXPECT_EQ(PlaceStreams({}, {somewhere}).size(), 1u);
    EXPECT_EQ(PlaceStreams({left}, {somewhere}).size(), 1u);
    EXPECT_TRUE(PlaceStreams({}, {somewhere, somewhere}).empty());

    const std::vector<KnownMonitor> known{{"DP-1", left.area}, {"DP-2", right.area}};
    EXPECT_EQ(MonitorsLeftOut({left}, known), std::vector<QString>{"DP-2"});
    // An area a little off (a rescaled monitor, rounded) still covers its monitor.
    EXPECT_TRUE(MonitorsLeftOut({right, {4, QRect(2, 0, 1277, 719)}}, known).empty());
}
