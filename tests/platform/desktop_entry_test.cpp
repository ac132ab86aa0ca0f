// Desktop entries: the Exec line split into one program and its arguments, with the file
// always kept whole.
#include "platform/qt/desktop_entry.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kFile = QStringLiteral("/home/u/my notes \"v2\" it's $HOME;rm -rf %f.txt");

QStringList Expand(const char* exec) {
    return ExpandDesktopExec(QString::fromUtf8(exec), kFile);
}

} // namespace

TEST(DesktopExec, FileFieldCodesTakeTheWholePath) {
    EXPECT_EQ(Expand("gedit %U"), (QStringList{"gedit", kFile}));
    EXPECT_EQ(Expand("kate -b %f"), (QStringList{"kate", "-b", kFile}));
    EXPECT_EQ(Expand("ed --file=%F"), (QStringList{"ed", "--file=" + kFile}));
    // No field code: the file goes last, as launchers do.
    EXPECT_EQ(Expand("leafpad"), (QStringList{"leafpad", kFile}));
}

TEST(DesktopExec, QuotingEscapesAndOtherFieldCodes) {
    EXPECT_EQ(Expand(R"("/opt/My Editor/bin/ed" --new  %u)"),
              (QStringList{"/opt/My Editor/bin/ed", "--new", kFile}));
    EXPECT_EQ(Expand(R"("ed \"x\" \\ \$y" %f)"), (QStringList{R"(ed "x" \ $y)", kFile}));
    EXPECT_EQ(Expand("ed %i %c %k 100%% %f"), (QStringList{"ed", "100%", kFile}));
    EXPECT_TRUE(Expand(R"("ed %f)").isEmpty());
    EXPECT_TRUE(Expand("").isEmpty());
    EXPECT_TRUE(Expand("   ").isEmpty());
}

TEST(DesktopExec, ReadsTheMainGroupsExecWithStringEscapes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ed.desktop"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Action window]\nExec=wrong --window\n"
               "[Desktop Entry]\nType=Application\nTryExec=wrong\nExecutable=wrong\n"
               "Exec = /opt/my\\sed --tab\\t%f\n"
               "[Desktop Action other]\nExec=wrong again\n");
    file.close();
    EXPECT_EQ(ReadDesktopExec(path), QStringLiteral("/opt/my ed --tab\t%f"));
    EXPECT_EQ(ReadDesktopExec(dir.filePath(QStringLiteral("missing.desktop"))), QString());
}

TEST(DesktopExec, EntriesAreFoundOnlyByPlainDesktopIds) {
    EXPECT_EQ(FindDesktopEntry(QString()), QString());
    EXPECT_EQ(FindDesktopEntry(QStringLiteral("../../etc/passwd")), QString());
    EXPECT_EQ(FindDesktopEntry(QStringLiteral("tintwatch-nothing-here.desktop")), QString());
}
