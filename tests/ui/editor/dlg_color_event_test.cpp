// The event editor's behaviour over fake platform services: opening in either mode, the
// screen picks, browsing, the test tone, the checks on OK and what reaches the record.
#include "editor_test_support.h"

#include "model/archive.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>

#include <gtest/gtest.h>

namespace {
const QString kCommandMessage = QStringLiteral(
    "Please Specify the Command to be Executed.\n\nThe Command is a String which is displayed "
    "when you Right Click on the Specified File.\n\nExamples of Command are Open, Print, Edit, "
    "etc, Specify it as Open if you are unsure about it.");
const QString kPathMessage = QStringLiteral(
    "Please Specify the File or Application Path to Continue.\n\nThis File Path will be "
    "executed when Color Change is Detected.");

QString Hint(const char* key) {
    return QStringLiteral("Move Cursor to the Desired Position and Press %1 Key to Get the Color "
                          "Under Curor.")
        .arg(QString::fromLatin1(key));
}

// Every stored field of a record, as the data file would hold it.
QByteArray Stored(CEventInfo event) {
    QByteArray bytes;
    CArchive archive(bytes, CArchive::store);
    event.Serialize(archive);
    return bytes;
}

CEventInfo EditedRecord() {
    CEventInfo event;
    event.m_ptLocation = QPoint(321, 654);
    event.m_clrMatch = RGB(1, 2, 3);
    event.m_clrTarget = RGB(200, 100, 50);
    event.m_sCommand = QStringLiteral("Print");
    event.m_sFilePath = QStringLiteral("/home/u/report.txt");
    event.m_sComment = QStringLiteral("watch the build light");
    event.m_nMaxCount = 7;
    event.m_nInterval = 250;
    event.m_nDetectCount = 4;
    event.m_bOnlySpecificColor = 0;
    event.m_bAudioAlert = 0;
    event.m_nFrequency = 440;
    event.m_nDuration = 90;
    event.m_bExecute = 0;
    return event;
}

class EditorTest : public ::testing::Test {
protected:
    EditorHarness h;
    FakePlatform& fakes = h.fakes;
};
} // namespace

TEST_F(EditorTest, FirstAddEverTakesDefaultsAndPicksThePointUnderThePointer) {
    fakes.screen.cursor = QPoint(100, 200);
    fakes.screen.pixels[{100, 200}] = RGB(10, 20, 30);
    CEventInfo event;
    CDlgColorEvent& dialog = h.Open(event, false);

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add Color Matching Event - Tintwatch"));
    EXPECT_FALSE(h.Check(IDC_ONLY_SPECIFIC_COLOR)->isChecked()) << "profile default 0 wins";
    EXPECT_EQ(h.Text(IDC_FILE_PATH), fakes.folders.editor);
    EXPECT_EQ(h.Text(IDC_COMMAND), QStringLiteral("Open"));
    EXPECT_EQ(h.Text(IDC_MAX_COUNT), QStringLiteral("1"));
    EXPECT_EQ(h.Text(IDC_INTERVAL), QStringLiteral("1000"));
    EXPECT_TRUE(h.Check(IDC_ENABLED)->isChecked());
    EXPECT_TRUE(h.Check(IDC_AUDIO_ALERT)->isChecked());
    EXPECT_EQ(h.Text(IDC_FREQUENCY), QStringLiteral("2000"));
    EXPECT_EQ(h.Text(IDC_DURATION), QStringLiteral("5000"));
    EXPECT_TRUE(h.Check(IDC_EXECUTE)->isChecked());
    ASSERT_TRUE(dialog.m_stcTargetColor->m_brush);
    EXPECT_EQ(dialog.m_stcTargetColor->m_clrColor, RGB(255, 255, 255));
    // The automatic pick posted at opening has run.
    EXPECT_EQ(h.Text(IDC_X), QStringLiteral("100"));
    EXPECT_EQ(h.Text(IDC_Y), QStringLiteral("200"));
    EXPECT_EQ(h.Text(IDC_RED), QStringLiteral("10"));
    EXPECT_EQ(h.Text(IDC_GREEN), QStringLiteral("20"));
    EXPECT_EQ(h.Text(IDC_BLUE), QStringLiteral("30"));
    ASSERT_TRUE(dialog.m_stcMatchColor->m_brush);
    EXPECT_EQ(dialog.m_stcMatchColor->m_clrColor, RGB(10, 20, 30));
    EXPECT_EQ(dialog.focusWidget(), dialog.Control(IDC_LOCATION_UNDER_CURSOR));
    EXPECT_EQ(dialog.m_stcLocationHint->text(), Hint(" F6 "));
    EXPECT_EQ(dialog.m_stcColorHint->text(), Hint(" F7 "));

    dialog.OnOK();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(event.m_ptLocation, QPoint(100, 200));
    EXPECT_EQ(event.m_clrMatch, RGB(10, 20, 30));
    EXPECT_EQ(event.m_clrTarget, RGB(255, 255, 255));
    EXPECT_EQ(event.m_bOnlySpecificColor, 0);
    EXPECT_EQ(event.m_nMaxCount, 1);
    EXPECT_EQ(event.m_sFilePath, fakes.folders.editor);
}

TEST_F(EditorTest, ConfirmedAddIsRememberedForTheNextAddButCancelAndEditAreNot) {
    fakes.fileChooser.answer = QStringLiteral("/opt/tools/alarm.sh");
    CEventInfo first;
    CDlgColorEvent& dialog = h.Open(first, false);
    h.Check(IDC_ONLY_SPECIFIC_COLOR)->setChecked(true);
    dialog.OnBrowsePath();
    dialog.OnOK();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(first.m_bOnlySpecificColor, 1);
    EXPECT_EQ(first.m_sFilePath, QStringLiteral("/opt/tools/alarm.sh"));

    CEventInfo second;
    h.Open(second, false);
    EXPECT_TRUE(h.Check(IDC_ONLY_SPECIFIC_COLOR)->isChecked());
    EXPECT_EQ(h.Text(IDC_FILE_PATH), QStringLiteral("/opt/tools/alarm.sh"));
    h.Check(IDC_ONLY_SPECIFIC_COLOR)->setChecked(false);
    h.dialog->reject();

    const auto remembered = fakes.profile.values;
    CEventInfo edited = EditedRecord();
    h.Open(edited, true);
    h.Check(IDC_ONLY_SPECIFIC_COLOR)->setChecked(true);
    h.dialog->OnOK();
    ASSERT_EQ(h.dialog->result(), QDialog::Accepted);
    EXPECT_EQ(fakes.profile.values, remembered);
    EXPECT_EQ(remembered.value(QStringLiteral("Settings/m_bOnlySpecificColor")).toInt(), 1);
}

TEST_F(EditorTest, EditShowsTheRecordAndWritesOnlyOnOk) {
    fakes.screen.cursor = QPoint(5, 5); // no pick at opening in edit mode
    CEventInfo event = EditedRecord();
    CDlgColorEvent& dialog = h.Open(event, true);

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Color Matching Event - Tintwatch"));
    EXPECT_EQ(h.Text(IDC_X), QStringLiteral("321"));
    EXPECT_EQ(h.Text(IDC_Y), QStringLiteral("654"));
    EXPECT_EQ(h.Text(IDC_RED), QStringLiteral("1"));
    EXPECT_EQ(h.Text(IDC_BLUE), QStringLiteral("3"));
    EXPECT_EQ(h.Text(IDC_COMMAND), QStringLiteral("Print"));
    EXPECT_EQ(h.Text(IDC_COMMENT), QStringLiteral("watch the build light"));
    EXPECT_EQ(h.Text(IDC_MAX_COUNT), QStringLiteral("7"));
    EXPECT_EQ(h.Text(IDC_INTERVAL), QStringLiteral("250"));
    EXPECT_EQ(h.Text(IDC_FREQUENCY), QStringLiteral("440"));
    EXPECT_FALSE(h.Check(IDC_AUDIO_ALERT)->isChecked());
    EXPECT_FALSE(h.Check(IDC_EXECUTE)->isChecked());
    EXPECT_EQ(dialog.m_stcMatchColor->m_clrColor, RGB(1, 2, 3));
    EXPECT_EQ(dialog.m_stcTargetColor->m_clrColor, RGB(200, 100, 50));
    EXPECT_EQ(fakes.screen.reads, 0);

    h.Type(IDC_COMMENT, QStringLiteral("new note"));
    h.Type(IDC_INTERVAL, QStringLiteral(" -20 "));
    h.Check(IDC_ENABLED)->setChecked(false);
    dialog.OnOK();
    EXPECT_EQ(event.m_sComment, QStringLiteral("new note"));
    EXPECT_EQ(event.m_nInterval, -20) << "no range is checked";
    EXPECT_EQ(event.m_bEnabled, 0);
    EXPECT_EQ(event.m_nDetectCount, 4) << "saved disabled keeps its count";
    EXPECT_EQ(event.m_ptLocation, QPoint(321, 654));

    h.Open(event, true);
    h.Check(IDC_ENABLED)->setChecked(true);
    h.dialog->OnOK();
    EXPECT_EQ(event.m_bEnabled, 1);
    EXPECT_EQ(event.m_nDetectCount, 0) << "saved enabled starts counting afresh";
}

TEST_F(EditorTest, OkChecksCommandThenPathOnlyWhenLaunching) {
    CEventInfo event = EditedRecord();
    const QByteArray before = Stored(event);
    CDlgColorEvent& dialog = h.Open(event, true);
    h.Check(IDC_EXECUTE)->setChecked(true);
    h.Type(IDC_COMMAND, QStringLiteral("   "));
    dialog.OnOK();
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text, kCommandMessage);
    EXPECT_EQ(fakes.messageBox.shown[0].icon, MbIcon::Error);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Stored(event), before);

    // A command given, the path emptied: only the second check speaks.
    h.Type(IDC_COMMAND, QStringLiteral(" Open "));
    dialog.m_sFilePath.clear();
    h.Type(IDC_FILE_PATH, QString());
    dialog.OnOK();
    ASSERT_EQ(fakes.messageBox.shown.size(), 2u);
    EXPECT_EQ(fakes.messageBox.shown[1].text, kPathMessage);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Stored(event), before);

    // Not launching: a blank command is stored empty and an empty path is accepted.
    h.Check(IDC_EXECUTE)->setChecked(false);
    h.Type(IDC_COMMAND, QStringLiteral("  \t "));
    dialog.OnOK();
    EXPECT_EQ(fakes.messageBox.shown.size(), 2u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(event.m_sCommand, QString());
    EXPECT_EQ(event.m_sFilePath, QString());
    EXPECT_EQ(event.m_bExecute, 0);
}

TEST_F(EditorTest, TrimmedCommandIsWhatIsStored) {
    CEventInfo event = EditedRecord();
    h.Open(event, true);
    h.Type(IDC_COMMAND, QStringLiteral("  Edit  "));
    h.dialog->OnOK();
    EXPECT_EQ(event.m_sCommand, QStringLiteral("Edit"));
}

TEST_F(EditorTest, RefusedNumberKeepsDialogOpenAndCancelLeavesRecordAlone) {
    CEventInfo event = EditedRecord();
    const QByteArray before = Stored(event);
    CDlgColorEvent& dialog = h.Open(event, true);
    h.Type(IDC_COMMENT, QStringLiteral("typed"));
    h.Type(IDC_INTERVAL, QString());
    dialog.OnOK();
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text, QStringLiteral("Please enter an integer."));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), dialog.Control(IDC_INTERVAL));
    EXPECT_EQ(Stored(event), before);

    dialog.reject();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(Stored(event), before);
    EXPECT_EQ(event.m_nDetectCount, 4);
}

TEST_F(EditorTest, EscapeAndCloseButtonWriteNothing) {
    for (const bool escape : {true, false}) {
        CEventInfo event = EditedRecord();
        const QByteArray before = Stored(event);
        CDlgColorEvent& dialog = h.Open(event, true);
        h.Type(IDC_COMMENT, QStringLiteral("not kept"));
        h.Check(IDC_ENABLED)->setChecked(true);
        if (escape) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(&dialog, &press);
        } else {
            dialog.close();
        }
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(Stored(event), before);
        EXPECT_TRUE(fakes.hotKeys.held.empty()) << "keys go back however the dialog ends";
    }
}

TEST_F(EditorTest, PickKeepsTypedTextAndARefusedFieldOnwardKeepsPreviousValues) {
    CEventInfo event = EditedRecord();
    CDlgColorEvent& dialog = h.Open(event, true);
    h.Type(IDC_COMMENT, QStringLiteral("typed comment"));
    h.Type(IDC_MAX_COUNT, QStringLiteral("9"));
    h.Type(IDC_INTERVAL, QStringLiteral("soon"));  // refused; exchange stops here
    h.Type(IDC_FREQUENCY, QStringLiteral("1234")); // after it: not taken
    fakes.screen.cursor = QPoint(40, 50);
    fakes.screen.pixels[{40, 50}] = RGB(9, 8, 7);
    dialog.OnLocationUnderCursor();

    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(h.Text(IDC_COMMENT), QStringLiteral("typed comment"));
    EXPECT_EQ(h.Text(IDC_MAX_COUNT), QStringLiteral("9"));
    EXPECT_EQ(h.Text(IDC_INTERVAL), QStringLiteral("250"));
    EXPECT_EQ(h.Text(IDC_FREQUENCY), QStringLiteral("440"));
    EXPECT_EQ(h.Text(IDC_X), QStringLiteral("40"));
    EXPECT_EQ(h.Text(IDC_GREEN), QStringLiteral("8"));
    EXPECT_EQ(dialog.m_stcMatchColor->m_clrColor, RGB(9, 8, 7));
}

TEST_F(EditorTest, PointerThatCannotBeReadChangesNothing) {
    CEventInfo event = EditedRecord();
    CDlgColorEvent& dialog = h.Open(event, true);
    fakes.screen.cursor.reset();
    dialog.OnLocationUnderCursor();
    dialog.OnColorUnderCursor();
    ASSERT_EQ(fakes.messageBox.shown.size(), 2u);
    for (const auto& shown : fakes.messageBox.shown) {
        EXPECT_EQ(shown.text, QStringLiteral("Could not get Current Mouse Curor Position."));
        EXPECT_EQ(shown.icon, MbIcon::Error);
    }
    EXPECT_EQ(dialog.m_ptLocation, QPoint(321, 654));
    EXPECT_EQ(dialog.m_stcTargetColor->m_clrColor, RGB(200, 100, 50));
    EXPECT_EQ(fakes.screen.reads, 0);
}

TEST_F(EditorTest, ColorPickChangesOnlyTheTarget) {
    CEventInfo event = EditedRecord();
    CDlgColorEvent& dialog = h.Open(event, true);
    fakes.screen.cursor = QPoint(7, 8);
    fakes.screen.pixels[{7, 8}] = RGB(0, 255, 0);
    dialog.OnColorUnderCursor();
    EXPECT_EQ(dialog.m_clrTarget, RGB(0, 255, 0));
    EXPECT_EQ(dialog.m_stcTargetColor->m_clrColor, RGB(0, 255, 0));
    EXPECT_EQ(h.Text(IDC_X), QStringLiteral("321"));
    EXPECT_EQ(dialog.m_stcMatchColor->m_clrColor, RGB(1, 2, 3));
    dialog.OnOK();
    EXPECT_EQ(event.m_clrTarget, RGB(0, 255, 0));
    EXPECT_EQ(event.m_ptLocation, QPoint(321, 654));
    EXPECT_EQ(event.m_clrMatch, RGB(1, 2, 3));
}

TEST_F(EditorTest, ShowLocationMovesThePointerThere) {
    CEventInfo event = EditedRecord();
    h.Open(event, true);
    qobject_cast<QAbstractButton*>(h.dialog->Control(IDC_SHOW_LOCATION))->click();
    ASSERT_EQ(fakes.screen.warps.size(), 1u);
    EXPECT_EQ(fakes.screen.warps[0], QPoint(321, 654));
}

TEST_F(EditorTest, BrowseReplacesOnlyThePathAndCancelChangesNothing) {
    fakes.folders.desktop = QStringLiteral("/home/u/Desktop");
    CEventInfo event = EditedRecord();
    CDlgColorEvent& dialog = h.Open(event, true);
    h.Type(IDC_COMMENT, QStringLiteral("kept"));

    fakes.fileChooser.answer.clear();
    dialog.OnBrowsePath();
    EXPECT_EQ(h.Text(IDC_FILE_PATH), QStringLiteral("/home/u/report.txt"));

    fakes.fileChooser.answer = QStringLiteral("/usr/bin/xmessage");
    qobject_cast<QAbstractButton*>(dialog.Control(IDC_BROWSE_PATH))->click();
    EXPECT_EQ(h.Text(IDC_FILE_PATH), QStringLiteral("/usr/bin/xmessage"));
    EXPECT_EQ(h.Text(IDC_COMMENT), QStringLiteral("kept"));
    ASSERT_EQ(fakes.fileChooser.asked.size(), 2u);
    EXPECT_EQ(fakes.fileChooser.asked[1], QStringLiteral("/home/u/Desktop|All Files (*)"));
    EXPECT_EQ(event.m_sFilePath, QStringLiteral("/home/u/report.txt")) << "not before OK";
}

TEST_F(EditorTest, TestToneSoundsTypedValuesWhateverAudioAlertSays) {
    CEventInfo event = EditedRecord(); // audio alert off
    CDlgColorEvent& dialog = h.Open(event, true);
    h.Type(IDC_FREQUENCY, QStringLiteral("880"));
    h.Type(IDC_DURATION, QStringLiteral("120"));
    qobject_cast<QAbstractButton*>(dialog.Control(IDC_TEST_BEEP))->click();
    ASSERT_TRUE(fakes.tone.WaitForBeeps(1));

    // An emptied duration is refused; the tone sounds the values held before.
    h.Type(IDC_FREQUENCY, QStringLiteral("1000"));
    h.Type(IDC_DURATION, QString());
    dialog.OnTestBeep();
    ASSERT_TRUE(fakes.tone.WaitForBeeps(2));
    const auto beeps = fakes.tone.Beeps();
    EXPECT_EQ(beeps[0], std::make_pair(880u, 120u));
    EXPECT_EQ(beeps[1], std::make_pair(1000u, 120u));
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text, QStringLiteral("Please enter a positive integer."));
    EXPECT_EQ(dialog.focusWidget(), dialog.Control(IDC_DURATION));
}

TEST_F(EditorTest, HotKeyHintsFollowWhichKeysAreFree) {
    CEventInfo event = EditedRecord();
    fakes.hotKeys.takenElsewhere = {VK_F6};
    CDlgColorEvent& dialog = h.Open(event, true);
    EXPECT_EQ(dialog.m_wLocationKey, VK_F7);
    EXPECT_EQ(dialog.m_wColorKey, VK_F8);
    EXPECT_EQ(dialog.m_stcLocationHint->text(), Hint(" F7 "));
    EXPECT_EQ(dialog.m_stcColorHint->text(), Hint(" F8 "));
    dialog.reject();
    EXPECT_TRUE(fakes.hotKeys.held.empty());

    fakes.hotKeys.takenElsewhere = {VK_F6, VK_F7, VK_F8};
    h.Open(event, true);
    EXPECT_EQ(h.dialog->m_wLocationKey, VK_F9);
    EXPECT_EQ(h.dialog->m_wColorKey, 0);
    EXPECT_EQ(h.dialog->m_stcColorHint->text(),
              QStringLiteral("Move Cursor to the Desired Position and Press SpaceBar Key to Get "
                             "the Color Under Curor."));
    h.dialog->OnOK();
    EXPECT_TRUE(fakes.hotKeys.held.empty());

    // Free again at the next opening.
    fakes.hotKeys.takenElsewhere.clear();
    h.Open(event, true);
    EXPECT_EQ(h.dialog->m_wLocationKey, VK_F6);
    EXPECT_EQ(h.dialog->m_wColorKey, VK_F7);
}

TEST_F(EditorTest, HotKeyPressPicksOnceTheEventLoopRuns) {
    CEventInfo event = EditedRecord();
    CDlgColorEvent& dialog = h.Open(event, true);
    fakes.screen.cursor = QPoint(11, 22);
    fakes.screen.pixels[{11, 22}] = RGB(50, 60, 70);
    ASSERT_TRUE(fakes.hotKeys.Press(VK_F6));
    EXPECT_EQ(dialog.m_ptLocation, QPoint(321, 654)) << "posted, not run inside the press";
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.m_ptLocation, QPoint(11, 22));
    EXPECT_EQ(h.Text(IDC_RED), QStringLiteral("50"));

    fakes.screen.cursor = QPoint(12, 23);
    fakes.screen.pixels[{12, 23}] = RGB(1, 1, 1);
    ASSERT_TRUE(fakes.hotKeys.Press(VK_F7));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.m_clrTarget, RGB(1, 1, 1));
    EXPECT_EQ(dialog.m_ptLocation, QPoint(11, 22));
}
