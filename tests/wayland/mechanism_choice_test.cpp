// The mechanisms chosen from what a desktop's portal advertises, read through a fake of the
// portal's property reads: interfaces missing, present at old versions, or lacking a feature.
#include "platform/wayland/portal_names.h"
#include "platform/wayland/portal_offer.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// A portal answering only the properties it was given.
class FakePortal : public IPortalProperties {
public:
    std::optional<unsigned> Read(const QString& interface, const QString& name) override {
        const auto it = properties.find({interface, name});
        return it != properties.end() ? std::optional<unsigned>(it->second) : std::nullopt;
    }
    std::map<std::pair<QString, QString>, unsigned> properties;
};

struct Advertised {
    unsigned screenCast = 0; // versions; 0: the interface is missing
    unsigned cursorModes = 0;
    unsigned remoteDesktop = 0;
    unsigned deviceTypes = 0;
    unsigned globalShortcuts = 0;
};

FakePortal PortalAdvertising(const Advertised& a) {
    FakePortal portal;
    const QString version = QStringLiteral("version");
    if (a.screenCast) {
        portal.properties[{kScreenCastInterface, version}] = a.screenCast;
        // The property exists from version 2 on.
        if (a.screenCast >= 2)
            portal.properties[{kScreenCastInterface, QStringLiteral("AvailableCursorModes")}] =
                a.cursorModes;
    }
    if (a.remoteDesktop) {
        portal.properties[{kRemoteDesktopInterface, version}] = a.remoteDesktop;
        portal.properties[{kRemoteDesktopInterface, QStringLiteral("AvailableDeviceTypes")}] =
            a.deviceTypes;
    }
    if (a.globalShortcuts)
        portal.properties[{kGlobalShortcutsInterface, version}] = a.globalShortcuts;
    return portal;
}

constexpr unsigned kHiddenEmbedded = 1 | 2;
constexpr unsigned kAllCursorModes = 1 | 2 | 4;
constexpr unsigned kKeyboardOnly = 1;
constexpr unsigned kKeyboardPointer = 1 | 2;

constexpr auto kShortcuts = PickKeys::GlobalShortcuts;
constexpr auto kKeysOverlay = PickKeys::Overlay;
constexpr auto kMetadata = PointerPosition::CursorMetadata;
constexpr auto kSeenOnOverlay = PointerPosition::Overlay;

} // namespace

TEST(MechanismChoiceTest, EachNeedTakesTheBestWayTheDesktopAdvertises) {
    const struct {
        const char* desktop;
        Advertised advertised;
        bool virtualPointer;
        PointerMechanisms expected;
    } cases[] = {
        {"KDE Plasma 6",
         {5, kAllCursorModes, 2, kKeyboardPointer, 1},
         false,
         {kShortcuts, kMetadata, PointerMove::RemoteDesktop}},
        {"GNOME 43: no shortcut portal",
         {4, kAllCursorModes, 2, kKeyboardPointer, 0},
         false,
         {kKeysOverlay, kMetadata, PointerMove::RemoteDesktop}},
        {"sway: wlr portal, virtual pointers",
         {4, kHiddenEmbedded, 0, 0, 0},
         true,
         {kKeysOverlay, kSeenOnOverlay, PointerMove::VirtualPointer}},
        {"wlroots desktop without virtual pointers",
         {4, kHiddenEmbedded, 0, 0, 0},
         false,
         {kKeysOverlay, kSeenOnOverlay, PointerMove::Marker}},
        {"shortcuts but no cursor metadata: a key could not tell where",
         {4, kHiddenEmbedded, 0, 0, 1},
         true,
         {kKeysOverlay, kSeenOnOverlay, PointerMove::VirtualPointer}},
        {"screen cast version 1 has no cursor modes",
         {1, 0, 2, kKeyboardPointer, 1},
         false,
         {kKeysOverlay, kSeenOnOverlay, PointerMove::RemoteDesktop}},
        {"remote desktop version 1 cannot be restored: asked at every start",
         {4, kAllCursorModes, 1, kKeyboardPointer, 1},
         true,
         {kShortcuts, kMetadata, PointerMove::VirtualPointer}},
        {"remote desktop without a pointer device",
         {4, kAllCursorModes, 2, kKeyboardOnly, 0},
         false,
         {kKeysOverlay, kMetadata, PointerMove::Marker}},
        {"remote desktop without screen cast has no stream to move in",
         {0, 0, 2, 7, 1},
         false,
         {kKeysOverlay, kSeenOnOverlay, PointerMove::Marker}},
        {"no portal at all", {}, true, {kKeysOverlay, kSeenOnOverlay, PointerMove::VirtualPointer}},
    };
    for (const auto& c : cases) {
        FakePortal portal = PortalAdvertising(c.advertised);
        EXPECT_EQ(ChooseMechanisms(ReadPortalOffer(portal), c.virtualPointer), c.expected)
            << c.desktop;
    }
}
