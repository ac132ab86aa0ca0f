// The event record's defaults, copy rules and byte layout in the archive.
#include "model/archive.h"
#include "model/event_info.h"
#include "model/exceptions.h"

#include <gtest/gtest.h>

namespace {

QByteArray Store(CEventInfo& event) {
    QByteArray bytes;
    CArchive ar(bytes, CArchive::store);
    event.Serialize(ar);
    return bytes;
}

QByteArray Words(std::initializer_list<std::uint32_t> words) {
    QByteArray bytes;
    CArchive ar(bytes, CArchive::store);
    for (auto word : words)
        ar << word;
    return bytes;
}

QByteArray Utf16Line(const QString& text, const char* end = "\n") {
    QByteArray bytes;
    for (QChar unit : text + QString::fromLatin1(end))
        bytes.append(static_cast<char>(unit.unicode() & 0xFF))
            .append(static_cast<char>(unit.unicode() >> 8));
    return bytes;
}

CEventInfo Load(QByteArray bytes) {
    CEventInfo event;
    CArchive ar(bytes, CArchive::load);
    event.Serialize(ar);
    return event;
}

CEventInfo Unusual() {
    CEventInfo event;
    event.m_nInterval = -5;
    event.m_nMaxCount = 7;
    event.m_nDetectCount = 3;
    event.m_ptLocation = QPoint(-1200, 2400);
    event.m_clrMatch = RGB(1, 2, 3);
    event.m_clrTarget = RGB(250, 128, 7);
    event.m_bEnabled = 0;
    event.m_sCommand = QStringLiteral("print");
    event.m_sFilePath = QStringLiteral("/home/zoë/Bücher/日本.txt");
    event.m_sComment = QStringLiteral("naïve 😀 comment");
    event.m_bOnlySpecificColor = 2;
    event.m_bAudioAlert = 0;
    event.m_nFrequency = 4000000000u;
    event.m_nDuration = 12;
    event.m_bExecute = 0;
    return event;
}

void ExpectSameStoredFields(const CEventInfo& a, const CEventInfo& b) {
    EXPECT_EQ(a.m_nInterval, b.m_nInterval);
    EXPECT_EQ(a.m_nMaxCount, b.m_nMaxCount);
    EXPECT_EQ(a.m_nDetectCount, b.m_nDetectCount);
    EXPECT_EQ(a.m_ptLocation, b.m_ptLocation);
    EXPECT_EQ(a.m_clrMatch, b.m_clrMatch);
    EXPECT_EQ(a.m_clrTarget, b.m_clrTarget);
    EXPECT_EQ(a.m_bEnabled, b.m_bEnabled);
    EXPECT_EQ(a.m_sCommand, b.m_sCommand);
    EXPECT_EQ(a.m_sFilePath, b.m_sFilePath);
    EXPECT_EQ(a.m_sComment, b.m_sComment);
    EXPECT_EQ(a.m_bOnlySpecificColor, b.m_bOnlySpecificColor);
    EXPECT_EQ(a.m_bAudioAlert, b.m_bAudioAlert);
    EXPECT_EQ(a.m_nFrequency, b.m_nFrequency);
    EXPECT_EQ(a.m_nDuration, b.m_nDuration);
    EXPECT_EQ(a.m_bExecute, b.m_bExecute);
}

} // namespace

TEST(EventRecord, DefaultRecordStoresAsItsKnown82Bytes) {
    CEventInfo event;
    const QByteArray expected =
        Words({0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1000, 1, 1, 2000, 5000, 1}) +
        Utf16Line(QStringLiteral("Open")) + Utf16Line({}) + Utf16Line({});
    ASSERT_EQ(expected.size(), 82);
    EXPECT_EQ(Store(event), expected);
}

TEST(EventRecord, RoundTripKeepsEveryStoredFieldButNotTheColourText) {
    CEventInfo original = Unusual();
    original.m_sColorText = QStringLiteral("stale");
    CEventInfo loaded;
    loaded.m_sColorText = QStringLiteral("mine");
    QByteArray bytes = Store(original);
    CArchive ar(bytes, CArchive::load);
    loaded.Serialize(ar);
    ExpectSameStoredFields(loaded, original);
    EXPECT_EQ(loaded.m_sColorText, QStringLiteral("mine"));
    EXPECT_EQ(ar.Remaining(), 0);
}

TEST(EventRecord, StoredColourWordsAreChannelsAndLoadKeepsLowBits) {
    CEventInfo event;
    event.m_clrMatch = RGB(0x12, 0x34, 0x56);
    const QByteArray bytes = Store(event);
    EXPECT_EQ(bytes.left(12), Words({0x12, 0x34, 0x56}));

    QByteArray wide = Words({300, 2, 3, 256 + 9, 0xFFFFFFFF, 0});
    wide += Store(event).mid(24);
    const CEventInfo loaded = Load(wide);
    EXPECT_EQ(loaded.m_clrMatch, RGB(44, 2, 3));
    EXPECT_EQ(loaded.m_clrTarget, RGB(9, 255, 0));
}

TEST(EventRecord, DataEndingAfterTheIntegersLoadsEmptyTexts) {
    CEventInfo event = Unusual();
    const CEventInfo loaded = Load(Store(event).left(68));
    EXPECT_EQ(loaded.m_nDuration, 12u);
    EXPECT_EQ(loaded.m_bExecute, 0);
    EXPECT_TRUE(loaded.m_sCommand.isEmpty());
    EXPECT_TRUE(loaded.m_sFilePath.isEmpty());
    EXPECT_TRUE(loaded.m_sComment.isEmpty());
}

TEST(EventRecord, DataEndingInsideTheIntegersThrowsAndKeepsWhatWasRead) {
    CEventInfo source = Unusual();
    for (int cut : {0, 3, 24, 40, 67}) {
        QByteArray bytes = Store(source).left(cut);
        CEventInfo event;
        CArchive ar(bytes, CArchive::load);
        EXPECT_THROW(event.Serialize(ar), CArchiveException) << "cut at " << cut;
        if (cut == 40) {
            EXPECT_EQ(event.m_ptLocation, source.m_ptLocation);
            EXPECT_EQ(event.m_nMaxCount, source.m_nMaxCount);
            EXPECT_EQ(event.m_nDetectCount, 0);
        }
    }
}

TEST(EventRecord, TextLinesEndWithLfOrCrLfAndALastLineMayBeUnended) {
    CEventInfo blank;
    QByteArray bytes = Store(blank).left(68);
    bytes += Utf16Line(QStringLiteral("Edit"), "\r\n") + Utf16Line(QStringLiteral("a\rb")) +
             Utf16Line(QStringLiteral("tail"), "");
    const CEventInfo loaded = Load(bytes);
    EXPECT_EQ(loaded.m_sCommand, QStringLiteral("Edit"));
    EXPECT_EQ(loaded.m_sFilePath, QStringLiteral("a\rb"));
    EXPECT_EQ(loaded.m_sComment, QStringLiteral("tail"));
}

TEST(EventRecord, CopyTakesStoredFieldsAndLeavesColourTextBehind) {
    CEventInfo source = Unusual();
    source.m_sColorText = QStringLiteral("Red 1 Green 2 Blue 3");
    const CEventInfo copy(source);
    ExpectSameStoredFields(copy, source);
    EXPECT_EQ(copy.m_bExecute, 0);
    EXPECT_TRUE(copy.m_sColorText.isEmpty());

    CEventInfo target;
    target.m_sColorText = QStringLiteral("kept");
    target = source;
    ExpectSameStoredFields(target, source);
    EXPECT_EQ(target.m_sColorText, QStringLiteral("kept"));
}

TEST(EventRecord, ModeIsTargetOnlyForExactlyOne) {
    CEventInfo event;
    for (int flag : {1, 0, 2, -1}) {
        event.m_bOnlySpecificColor = flag;
        EXPECT_EQ(event.IsTargetMode(), flag == 1) << flag;
    }
}
