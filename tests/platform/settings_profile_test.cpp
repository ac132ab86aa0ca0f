// The settings store: values round trip through the file, absent or wrong-typed values give
// the default, and a store that cannot be written says so.
#include "platform/qt/settings_profile.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(SettingsProfile, ValuesSurviveIntoANewProfileSectionBySection) {
    const QByteArray blob("\x00\x01\xFF\x7F placement", 15);
    const QString text = QStringLiteral("/tmp/ünï cödé \"x\".txt");
    {
        SettingsProfile profile("TintwatchTests", "RoundTrip");
        EXPECT_TRUE(profile.WriteProfileInt("Settings", "Column2", -140));
        EXPECT_TRUE(profile.WriteProfileInt("Other", "Column2", 9));
        EXPECT_TRUE(profile.WriteProfileString("Settings", "FilePath", text));
        EXPECT_TRUE(profile.WriteProfileBinary("Settings", "LastLocation", blob));
    }
    SettingsProfile profile("TintwatchTests", "RoundTrip");
    EXPECT_EQ(profile.GetProfileInt("Settings", "Column2", 0), -140);
    EXPECT_EQ(profile.GetProfileInt("Other", "Column2", 0), 9);
    EXPECT_EQ(profile.GetProfileString("Settings", "FilePath", QString()), text);
    EXPECT_EQ(profile.GetProfileBinary("Settings", "LastLocation"), blob);
    // Absent, or of another type: the default.
    EXPECT_EQ(profile.GetProfileInt("Settings", "Nope", 77), 77);
    EXPECT_EQ(profile.GetProfileString("Settings", "Nope", "dflt"), "dflt");
    EXPECT_EQ(profile.GetProfileBinary("Settings", "Nope"), std::nullopt);
    EXPECT_EQ(profile.GetProfileInt("Settings", "FilePath", 5), 5);
    EXPECT_EQ(profile.GetProfileBinary("Settings", "FilePath"), std::nullopt);
}

TEST(SettingsProfile, AWriteThatCannotReachTheFileReportsFailure) {
    // A folder where the settings file should be: no user, root included, can write there.
    const QString fileName = QSettings("TintwatchTests", "Unwritable").fileName();
    ASSERT_TRUE(QDir().mkpath(fileName));
    SettingsProfile profile("TintwatchTests", "Unwritable");
    EXPECT_FALSE(profile.WriteProfileInt("Settings", "X", 1));
    EXPECT_TRUE(QFileInfo(fileName).isDir());
}
