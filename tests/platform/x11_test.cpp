// The pointer, the hot keys (who holds a key, partial grabs, lock keys, the screen DISPLAY
// names) and the display check before Qt connects, on Xvfb.
#include "platform/hotkeys/xcb_hot_keys.h"
#include "platform/hotkeys/xcb_keycode.h"
#include "platform/real/display_setup.h"
#include "platform/x11/xcb_reply.h"
#include "platform/x11/xcb_screen.h"
#include "support/private_xvfb.h"
#include "support/waiting.h"
#include "support/x11_session.h"

#include <gtest/gtest.h>

TEST(XcbScreenTest, PointerWarpsReadsBackAndStaysOnTheScreen) {
    XcbScreen screen;
    const QSize size = screen.VirtualScreenSize();
    for (const auto& [to, at] :
         {std::pair{QPoint(123, 456), QPoint(123, 456)}, std::pair{QPoint(0, 0), QPoint(0, 0)},
          std::pair{QPoint(size.width() + 100, 7), QPoint(size.width() - 1, 7)},
          std::pair{QPoint(5, 66000), QPoint(5, size.height() - 1)}}) {
        screen.SetCursorPos(to);
        EXPECT_EQ(screen.GetCursorPos(), at);
    }
    // Sent at once: another client sees the pointer there before this one asks anything.
    screen.SetCursorPos(QPoint(321, 234));
    EXPECT_TRUE(Xdotool({"getmouselocation"}).value_or("").startsWith("x:321 y:234 "));
}

namespace {

constexpr int kLock = XCB_MOD_MASK_LOCK;
constexpr int kNumLock = XCB_MOD_MASK_2;
constexpr int kLockVariants[] = {0, kLock, kNumLock, kLock | kNumLock};

// Another client of the display, on a connection of its own, holding what it grabs till it goes.
class OtherClient {
public:
    // Waits until the server has let go, so that the next grab does not race the release.
    ~OtherClient() {
        if (m_keycode)
            xcb_request_check(
                m_connection.get(),
                xcb_ungrab_key_checked(m_connection.get(), m_keycode, Root(), XCB_MOD_MASK_ANY));
    }
    bool Grab(std::uint16_t key, int modifiers) {
        const std::optional<xcb_keysym_t> keysym = FunctionKeySym(key);
        m_keycode = keysym ? KeycodeForKeysym(m_connection.get(), *keysym).value_or(0) : 0;
        return m_keycode &&
               !XcbReply<xcb_generic_error_t>(xcb_request_check(
                   m_connection.get(),
                   xcb_grab_key_checked(m_connection.get(), 1, Root(),
                                        static_cast<std::uint16_t>(modifiers), m_keycode,
                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
    }

private:
    xcb_window_t Root() const {
        return xcb_setup_roots_iterator(xcb_get_setup(m_connection.get())).data->root;
    }
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> m_connection{
        xcb_connect(nullptr, nullptr), &xcb_disconnect};
    xcb_keycode_t m_keycode = 0; // none: keycodes start at 8
};

class XcbHotKeysTest : public ::testing::Test {
protected:
    std::unique_ptr<IHotKeyRegistration> Register(std::uint16_t key) {
        return hotKeys.RegisterHotKey(
            key, [this](std::uint16_t pressed) { presses.push_back(pressed); });
    }
    XcbHotKeys hotKeys;
    std::vector<std::uint16_t> presses;
};

} // namespace

TEST_F(XcbHotKeysTest, HeldKeysAreTakenForOthersAndAKeyHeldElsewhereLeavesNoPartialGrab) {
    EXPECT_EQ(Register(0x41), nullptr) << "only function keys";
    EXPECT_NE(Register(0x70), nullptr) << "F1, the first of them";
    auto registration = Register(VK_F6);
    ASSERT_NE(registration, nullptr);
    for (const int modifiers : kLockVariants)
        EXPECT_FALSE(OtherClient().Grab(VK_F6, modifiers)) << "modifiers " << modifiers;
    EXPECT_EQ(Register(VK_F6), nullptr) << "a key this program holds is not free either";
    registration.reset();
    for (const int modifiers : kLockVariants)
        EXPECT_TRUE(OtherClient().Grab(VK_F6, modifiers)) << "modifiers " << modifiers;
    EXPECT_NE(Register(VK_F6), nullptr);

    // The other client holds only the CapsLock variant: our other three grabs succeed first.
    std::optional<OtherClient> other(std::in_place);
    ASSERT_TRUE(other->Grab(VK_F7, kLock));
    EXPECT_EQ(Register(VK_F7), nullptr);
    for (const int modifiers : {0, kNumLock, kLock | kNumLock})
        EXPECT_TRUE(OtherClient().Grab(VK_F7, modifiers)) << "modifiers " << modifiers;
    other.reset();
    EXPECT_NE(Register(VK_F7), nullptr);
}

TEST_F(XcbHotKeysTest, PressesArriveWithAnyLockKeys) {
    auto registration = Register(VK_F8);
    ASSERT_NE(registration, nullptr);
    // NumLock, both, CapsLock alone, then neither again for the tests after.
    for (const char* lock : {"", "Num_Lock", "Caps_Lock", "Num_Lock", "Caps_Lock"}) {
        if (*lock) {
            ASSERT_TRUE(Xdotool({"key", lock}));
        }
        const std::size_t before = presses.size();
        ASSERT_TRUE(Xdotool({"key", "F8"}));
        EXPECT_TRUE(WaitUntil([&] { return presses.size() == before + 1; })) << lock;
    }
    EXPECT_EQ(presses, std::vector<std::uint16_t>(5, VK_F8));
}

TEST(HotKeysOnAnotherScreen, PressesArriveOnTheScreenTheDisplayNames) {
    // Started on DISPLAY=:N.1, the program grabs its keys on that screen, where it reads pixels:
    // this test, run again in a process of its own there, waits for a press.
    if (qEnvironmentVariableIsSet("TW_SECOND_SCREEN")) {
        XcbScreen().SetCursorPos(QPoint(10, 10));
        XcbHotKeys hotKeys;
        bool pressed = false;
        const auto held = hotKeys.RegisterHotKey(VK_F6, [&](std::uint16_t) { pressed = true; });
        ASSERT_NE(held, nullptr);
        std::fprintf(stderr, "ready\n");
        EXPECT_TRUE(WaitUntil([&] { return pressed; }));
        return;
    }
    PrivateXvfb server({QStringLiteral("640x480x24"), QStringLiteral("800x600x24")});
    ASSERT_FALSE(server.Display().isEmpty()) << "Xvfb did not start";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), server.Display() + QStringLiteral(".1"));
    environment.insert(QStringLiteral("TW_SECOND_SCREEN"), QStringLiteral("1"));
    QProcess probe, xdotool;
    for (QProcess* process : {&probe, &xdotool})
        process->setProcessEnvironment(environment);
    probe.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=HotKeysOnAnotherScreen.*")});
    QByteArray said;
    ASSERT_TRUE(
        WaitUntil([&] { return (said += probe.readAllStandardError()).contains("ready"); }));
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("F6")});
    EXPECT_TRUE(xdotool.waitForFinished(5000));
    EXPECT_TRUE(probe.waitForFinished(10000));
    EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardOutput().constData();
}

TEST(DisplaySetup, QtCanConnectRightAfterTheCheckOnAServerWithNoOtherClient) {
    // A lone client's end resets the server, refusing connections meanwhile: the check's
    // connection is held until Qt has its own (refused one time in two without it).
    for (int round = 0; round < 6; ++round) {
        PrivateXvfb server;
        ASSERT_FALSE(server.Display().isEmpty()) << "Xvfb did not start";
        const QByteArray shared = qgetenv("DISPLAY");
        qputenv("DISPLAY", server.Display().toLatin1());
        PreparedDisplay display = PrepareDisplay();
        qputenv("DISPLAY", shared);
        ASSERT_TRUE(display.problem.isEmpty()) << display.problem.toStdString();
        xcb_connection_t* qt = xcb_connect(server.Display().toLatin1().constData(), nullptr);
        EXPECT_EQ(xcb_connection_has_error(qt), 0) << "round " << round;
        xcb_disconnect(qt);
    }
}
