// The settings store: values round trip through the file, absent or wrong-typed values give
// the default, and a store that cannot be written says so.
#include "platform/qt/settings_profile.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QString kOrg = QStringLiteral("TintwatchTests");

} // namespace

TEST(SettingsProfile, ValuesSurviveIntoANewProfileSectionBySection) {
    const QByteArray blob("\x00\x01\xFF\x7F placement", 15);
    {
        SettingsProfile profile(kOrg, QStringLiteral("RoundTrip"));
        EXPECT_TRUE(
            profile.WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("Column2"), -140));
        EXPECT_TRUE(profile.WriteProfileInt(QStringLiteral("Other"), QStringLiteral("Column2"), 9));
        EXPECT_TRUE(profile.WriteProfileString(QStringLiteral("Settings"),
                                               QStringLiteral("FilePath"),
                                               QStringLiteral("/tmp/ünï cödé \"x\".txt")));
        EXPECT_TRUE(profile.WriteProfileBinary(QStringLiteral("Settings"),
                                               QStringLiteral("LastLocation"), blob));
    }
    SettingsProfile profile(kOrg, QStringLiteral("RoundTrip"));
    EXPECT_EQ(profile.GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Column2"), 0),
              -140);
    EXPECT_EQ(profile.GetProfileInt(QStringLiteral("Other"), QStringLiteral("Column2"), 0), 9);
    EXPECT_EQ(
        profile.GetProfileString(QStringLiteral("Settings"), QStringLiteral("FilePath"), QString()),
        QStringLiteral("/tmp/ünï cödé \"x\".txt"));
    EXPECT_EQ(profile.GetProfileBinary(QStringLiteral("Settings"), QStringLiteral("LastLocation")),
              blob);
}

TEST(SettingsProfile, AbsentOrWrongTypedValuesGiveTheDefault) {
    SettingsProfile profile(kOrg, QStringLiteral("Defaults"));
    EXPECT_EQ(profile.GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Nope"), 77), 77);
    EXPECT_EQ(profile.GetProfileString(QStringLiteral("Settings"), QStringLiteral("Nope"),
                                       QStringLiteral("dflt")),
              QStringLiteral("dflt"));
    EXPECT_EQ(profile.GetProfileBinary(QStringLiteral("Settings"), QStringLiteral("Nope")),
              std::nullopt);

    ASSERT_TRUE(profile.WriteProfileString(QStringLiteral("Settings"), QStringLiteral("Text"),
                                           QStringLiteral("twelve")));
    EXPECT_EQ(profile.GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Text"), 5), 5);
    EXPECT_EQ(profile.GetProfileBinary(QStringLiteral("Settings"), QStringLiteral("Text")),
              std::nullopt);
}

TEST(SettingsProfile, AWriteThatCannotReachTheFileReportsFailure) {
    const QString app = QStringLiteral("Unwritable");
    // A folder where the settings file should be: no user, root included, can write there.
    const QString fileName = QSettings(kOrg, app).fileName();
    ASSERT_TRUE(QDir().mkpath(fileName));
    SettingsProfile profile(kOrg, app);
    EXPECT_FALSE(profile.WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("X"), 1));
    EXPECT_TRUE(QFileInfo(fileName).isDir());
}
