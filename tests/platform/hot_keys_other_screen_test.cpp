// A display of two screens, the program started on the second (DISPLAY=:N.1): its function
// keys must be grabbed on the screen it reads pixels from, where the pointer and the keyboard
// focus are.
#include "support/private_xvfb.h"
#include "support/waiting.h"

#include <QProcess>
#include <gtest/gtest.h>

TEST(HotKeysOnAnotherScreen, PressesArriveOnTheScreenTheDisplayNames) {
    PrivateXvfb server({QStringLiteral("640x480x24"), QStringLiteral("800x600x24")});
    ASSERT_FALSE(server.Display().isEmpty()) << "Xvfb did not start";
    QProcess probe;
    probe.setProcessEnvironment(server.Environment(1));
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QStringLiteral(HOT_KEY_PROBE), {});
    QByteArray said;
    const auto saidLine = [&](const QByteArray& line) {
        return WaitUntil([&] {
            said += probe.readAllStandardOutput();
            return said.contains(line + '\n');
        });
    };
    ASSERT_TRUE(saidLine("ready")) << said.constData();

    QProcess xdotool;
    xdotool.setProcessEnvironment(server.Environment(1));
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("F6")});
    ASSERT_TRUE(xdotool.waitForFinished(5000));
    EXPECT_TRUE(saidLine("pressed")) << said.constData();

    probe.closeWriteChannel();
    EXPECT_TRUE(probe.waitForFinished(5000));
}
