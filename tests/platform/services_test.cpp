// The settings store, and the termination signals through which the program learns to end.
#include "platform/qt/settings_profile.h"
#include "platform/real/termination_signals.h"
#include "support/processes.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(SettingsProfile, ValuesSurviveIntoANewProfileAndOthersGiveTheDefault) {
    const QByteArray blob("\x00\x01\xFF\x7F placement", 15);
    const QString text = QStringLiteral("/tmp/ünï cödé \"x\".txt");
    const QString file = QSettings("TintwatchTests", "RoundTrip").fileName();
    {
        SettingsProfile profile("TintwatchTests", "RoundTrip");
        EXPECT_TRUE(profile.WriteProfileInt("Settings", "Column2", -140));
        EXPECT_TRUE(profile.WriteProfileInt("Other", "Column2", 9));
        EXPECT_TRUE(profile.WriteProfileString("Settings", "FilePath", text));
        EXPECT_TRUE(profile.WriteProfileBinary("Settings", "LastLocation", blob));
        EXPECT_TRUE(ReadFile(file).contains("-140")) << "not written through at once";
    }
    SettingsProfile profile("TintwatchTests", "RoundTrip");
    EXPECT_EQ(profile.GetProfileInt("Settings", "Column2", 0), -140);
    EXPECT_EQ(profile.GetProfileInt("Other", "Column2", 0), 9);
    EXPECT_EQ(profile.GetProfileString("Settings", "FilePath", QString()), text);
    EXPECT_EQ(profile.GetProfileBinary("Settings", "LastLocation"), blob);
    // Absent, or of another type.
    EXPECT_EQ(profile.GetProfileString("Settings", "Nope", "dflt"), "dflt");
    EXPECT_EQ(profile.GetProfileInt("Settings", "FilePath", 5), 5);
    EXPECT_EQ(profile.GetProfileBinary("Settings", "FilePath"), std::nullopt);

    // A folder where the settings file should be: no user, root included, can write there.
    ASSERT_TRUE(QDir().mkpath(QSettings("TintwatchTests", "Unwritable").fileName()));
    EXPECT_FALSE(SettingsProfile("TintwatchTests", "Unwritable").WriteProfileInt("S", "X", 1));
}

TEST(TerminationSignalsTest, EachSignalArrivesThroughTheEventLoopWhileCaught) {
    {
        TerminationSignals catcher;
        QSignalSpy received(&catcher, &TerminationSignals::Received);
        for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
            ASSERT_EQ(::raise(signalNumber), 0);
            // Nothing runs inside the handler itself; the event loop delivers it.
            EXPECT_TRUE(received.isEmpty());
            ASSERT_TRUE(received.wait(2000)) << signalNumber;
            EXPECT_EQ(received.takeFirst().at(0).toInt(), signalNumber);
        }
    }
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction current {};
        ::sigaction(signalNumber, nullptr, &current);
        EXPECT_EQ(current.sa_handler, SIG_DFL) << signalNumber;
    }
}
