// The event editor over fake platform services: opening in either mode, the screen picks and
// their keys, browsing, the test tone, the checks on OK and what reaches the record.
#include "editor_test_support.h"
#include "support/records.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

QString Hint(const char* key) {
    return QStringLiteral("Move Cursor to the Desired Position and Press %1 Key to Get the Color "
                          "Under Curor.")
        .arg(QString::fromLatin1(key));
}

CEventInfo EditedRecord() {
    CEventInfo event = NumberedEvent(3);
    event.m_ptLocation = QPoint(321, 654);
    event.m_clrMatch = RGB(1, 2, 3);
    event.m_clrTarget = RGB(200, 100, 50);
    event.m_sCommand = QStringLiteral("Print");
    event.m_sFilePath = QStringLiteral("/home/u/report.txt");
    event.m_nInterval = 250;
    event.m_nDetectCount = 4;
    event.m_nFrequency = 440;
    event.m_bAudioAlert = 0;
    event.m_bExecute = 0;
    return event;
}

class EditorTest : public ::testing::Test {
protected:
    void Click(int id) { qobject_cast<QAbstractButton*>(h.dialog->Control(id))->click(); }
    QStringList Shown() const {
        QStringList texts;
        for (const auto& shown : fakes.messageBox.shown)
            texts << shown.text;
        return texts;
    }

    EditorHarness h;
    FakePlatform& fakes = h.fakes;
};

TEST_F(EditorTest, AddPicksThePointUnderThePointerAndRemembersOnlyConfirmedChoices) {
    fakes.screen.cursor = QPoint(100, 200);
    fakes.screen.pixels[{100, 200}] = RGB(10, 20, 30);
    fakes.fileChooser.answer = QStringLiteral("/opt/tools/alarm.sh");
    CEventInfo first;
    CDlgColorEvent& dialog = h.Open(first, false);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add Color Matching Event - Tintwatch"));
    EXPECT_EQ(h.Text(IDC_FILE_PATH), fakes.folders.editor);
    EXPECT_EQ(h.Text(IDC_X), QStringLiteral("100"));
    EXPECT_EQ(h.Text(IDC_BLUE), QStringLiteral("30"));
    EXPECT_EQ(dialog.m_stcMatchColor->m_clrColor, RGB(10, 20, 30));
    EXPECT_EQ(dialog.m_stcTargetColor->m_clrColor, RGB(255, 255, 255));
    EXPECT_EQ(dialog.focusWidget(), dialog.Control(IDC_LOCATION_UNDER_CURSOR));
    EXPECT_EQ(dialog.m_stcLocationHint->text(), Hint(" F6 "));
    EXPECT_EQ(dialog.m_stcColorHint->text(), Hint(" F7 "));
    h.Check(IDC_ONLY_SPECIFIC_COLOR)->setChecked(true);
    dialog.OnBrowsePath();
    dialog.OnOK();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(first.m_ptLocation, QPoint(100, 200));
    EXPECT_EQ(first.m_clrMatch, RGB(10, 20, 30));
    EXPECT_EQ(first.m_bOnlySpecificColor, 1);
    EXPECT_EQ(first.m_sFilePath, QStringLiteral("/opt/tools/alarm.sh"));

    // The next add starts from them; a cancelled add and an edit change nothing remembered.
    CEventInfo second;
    h.Open(second, false);
    EXPECT_TRUE(h.Check(IDC_ONLY_SPECIFIC_COLOR)->isChecked());
    EXPECT_EQ(h.Text(IDC_FILE_PATH), QStringLiteral("/opt/tools/alarm.sh"));
    h.Check(IDC_ONLY_SPECIFIC_COLOR)->setChecked(false);
    h.dialog->reject();
    const auto remembered = fakes.profile.values;
    CEventInfo edited = EditedRecord();
    h.Open(edited, true);
    h.Check(IDC_ONLY_SPECIFIC_COLOR)->setChecked(false);
    h.dialog->OnOK();
    EXPECT_EQ(fakes.profile.values, remembered);
    EXPECT_EQ(remembered.value(QStringLiteral("Settings/m_bOnlySpecificColor")).toInt(), 1);
}

TEST_F(EditorTest, EditShowsTheRecordPicksNothingAndWritesOnlyOnOk) {
    fakes.screen.cursor = QPoint(5, 5);
    CEventInfo event = EditedRecord();
    CDlgColorEvent& dialog = h.Open(event, true);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Color Matching Event - Tintwatch"));
    EXPECT_EQ(h.Text(IDC_X), QStringLiteral("321"));
    EXPECT_EQ(h.Text(IDC_COMMAND), QStringLiteral("Print"));
    EXPECT_EQ(h.Text(IDC_INTERVAL), QStringLiteral("250"));
    EXPECT_EQ(dialog.m_stcTargetColor->m_clrColor, RGB(200, 100, 50));
    EXPECT_EQ(fakes.screen.reads, 0);

    h.Type(IDC_COMMENT, QStringLiteral("new note"));
    h.Type(IDC_INTERVAL, QStringLiteral(" -20 "));
    h.Type(IDC_COMMAND, QStringLiteral("  Edit  "));
    h.Check(IDC_ENABLED)->setChecked(false);
    dialog.OnOK();
    EXPECT_EQ(event.m_sComment, QStringLiteral("new note"));
    EXPECT_EQ(event.m_nInterval, -20) << "no range is checked";
    EXPECT_EQ(event.m_sCommand, QStringLiteral("Edit"));
    EXPECT_EQ(event.m_bEnabled, 0);
    EXPECT_EQ(event.m_nDetectCount, 4) << "saved disabled keeps its count";

    h.Open(event, true);
    h.Check(IDC_ENABLED)->setChecked(true);
    h.dialog->OnOK();
    EXPECT_EQ(event.m_nDetectCount, 0) << "saved enabled starts counting afresh";
}

TEST_F(EditorTest, RefusalsKeepTheDialogOpenAndTheRecordAsItWas) {
    CEventInfo event = EditedRecord();
    const QByteArray before = RecordBytes(event);
    CDlgColorEvent& dialog = h.Open(event, true);
    h.Check(IDC_EXECUTE)->setChecked(true);
    h.Type(IDC_COMMAND, QStringLiteral("   "));
    dialog.OnOK();
    h.Type(IDC_COMMAND, QStringLiteral(" Open "));
    dialog.m_sFilePath.clear();
    h.Type(IDC_FILE_PATH, QString());
    dialog.OnOK();
    h.Type(IDC_INTERVAL, QString());
    dialog.OnOK();
    EXPECT_EQ(dialog.focusWidget(), dialog.Control(IDC_INTERVAL));
    EXPECT_EQ(Shown(),
              QStringList({"Please Specify the Command to be Executed.\n\nThe Command is a String "
                           "which is displayed when you Right Click on the Specified File.\n\n"
                           "Examples of Command are Open, Print, Edit, etc, Specify it as Open if "
                           "you are unsure about it.",
                           "Please Specify the File or Application Path to Continue.\n\nThis File "
                           "Path will be executed when Color Change is Detected.",
                           "Please enter an integer."}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(RecordBytes(event), before);

    // Escape and the close button write nothing either, and give the keys back.
    for (const bool escape : {true, false}) {
        CDlgColorEvent& again = h.Open(event, true);
        h.Type(IDC_COMMENT, QStringLiteral("not kept"));
        if (escape) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(&again, &press);
        } else {
            again.close();
        }
        EXPECT_EQ(again.result(), QDialog::Rejected);
        EXPECT_EQ(RecordBytes(event), before);
        EXPECT_TRUE(fakes.hotKeys.held.empty());
    }

    // Not launching: a blank command is stored empty and an empty path is accepted.
    h.Open(event, true);
    h.Type(IDC_COMMAND, QStringLiteral("  \t "));
    h.Type(IDC_FILE_PATH, QString());
    h.dialog->m_sFilePath.clear();
    h.dialog->OnOK();
    EXPECT_EQ(h.dialog->result(), QDialog::Accepted);
    EXPECT_EQ(event.m_sCommand, QString());
    EXPECT_EQ(event.m_sFilePath, QString());
}

TEST_F(EditorTest, PicksKeepTypedTextAndFieldsFromARefusedOneOnKeepTheirValues) {
    CEventInfo event = EditedRecord();
    CDlgColorEvent& dialog = h.Open(event, true);
    h.Type(IDC_COMMENT, QStringLiteral("typed comment"));
    h.Type(IDC_INTERVAL, QStringLiteral("soon"));  // refused; exchange stops here
    h.Type(IDC_FREQUENCY, QStringLiteral("1234")); // after it: not taken
    fakes.screen.cursor = QPoint(40, 50);
    fakes.screen.pixels[{40, 50}] = RGB(9, 8, 7);
    dialog.OnLocationUnderCursor();
    EXPECT_EQ(h.Text(IDC_COMMENT), QStringLiteral("typed comment"));
    EXPECT_EQ(h.Text(IDC_INTERVAL), QStringLiteral("250"));
    EXPECT_EQ(h.Text(IDC_FREQUENCY), QStringLiteral("440"));
    EXPECT_EQ(h.Text(IDC_X), QStringLiteral("40"));
    EXPECT_EQ(h.Text(IDC_GREEN), QStringLiteral("8"));
    EXPECT_EQ(dialog.m_stcMatchColor->m_clrColor, RGB(9, 8, 7));

    fakes.screen.cursor = QPoint(7, 8);
    fakes.screen.pixels[{7, 8}] = RGB(0, 255, 0);
    dialog.OnColorUnderCursor();
    EXPECT_EQ(dialog.m_stcTargetColor->m_clrColor, RGB(0, 255, 0));
    EXPECT_EQ(dialog.m_ptLocation, QPoint(40, 50)) << "the colour pick changes the target only";

    fakes.screen.cursor.reset();
    dialog.OnLocationUnderCursor();
    dialog.OnColorUnderCursor();
    EXPECT_EQ(Shown().mid(1), QStringList(2, "Could not get Current Mouse Curor Position."));
    EXPECT_EQ(dialog.m_ptLocation, QPoint(40, 50));
    EXPECT_EQ(dialog.m_clrTarget, RGB(0, 255, 0));

    h.Type(IDC_INTERVAL, QStringLiteral("250"));
    Click(IDC_SHOW_LOCATION);
    EXPECT_EQ(fakes.screen.warps, std::vector<QPoint>({QPoint(40, 50)}));
    dialog.OnOK();
    EXPECT_EQ(event.m_ptLocation, QPoint(40, 50));
    EXPECT_EQ(event.m_clrMatch, RGB(9, 8, 7));
    EXPECT_EQ(event.m_clrTarget, RGB(0, 255, 0));
}

TEST_F(EditorTest, BrowseReplacesOnlyThePathAndTheTestToneSoundsTheTypedValues) {
    fakes.folders.desktop = QStringLiteral("/home/u/Desktop");
    CEventInfo event = EditedRecord();
    CDlgColorEvent& dialog = h.Open(event, true);
    dialog.OnBrowsePath(); // cancelled
    EXPECT_EQ(h.Text(IDC_FILE_PATH), QStringLiteral("/home/u/report.txt"));
    fakes.fileChooser.answer = QStringLiteral("/usr/bin/xmessage");
    Click(IDC_BROWSE_PATH);
    EXPECT_EQ(h.Text(IDC_FILE_PATH), QStringLiteral("/usr/bin/xmessage"));
    EXPECT_EQ(fakes.fileChooser.asked.value(1), QStringLiteral("/home/u/Desktop|All Files (*)"));
    EXPECT_EQ(event.m_sFilePath, QStringLiteral("/home/u/report.txt")) << "not before OK";

    h.Type(IDC_FREQUENCY, QStringLiteral("880"));
    h.Type(IDC_DURATION, QStringLiteral("120"));
    Click(IDC_TEST_BEEP); // whatever the audio alert box says
    ASSERT_TRUE(fakes.tone.WaitForBeeps(1));
    h.Type(IDC_FREQUENCY, QStringLiteral("1000"));
    h.Type(IDC_DURATION, QString()); // refused: the value held before sounds
    dialog.OnTestBeep();
    ASSERT_TRUE(fakes.tone.WaitForBeeps(2));
    EXPECT_EQ(fakes.tone.Beeps()[0], std::make_pair(880u, 120u));
    EXPECT_EQ(fakes.tone.Beeps()[1], std::make_pair(1000u, 120u));
    EXPECT_EQ(Shown(), QStringList{"Please enter a positive integer."});
}

TEST_F(EditorTest, HotKeysAreTheFirstFreeOnesTheirPressesArePostedAndAllGoBackOnClose) {
    CEventInfo event = EditedRecord();
    fakes.hotKeys.takenElsewhere = {VK_F6};
    CDlgColorEvent& dialog = h.Open(event, true);
    EXPECT_EQ(dialog.m_stcLocationHint->text(), Hint(" F7 "));
    EXPECT_EQ(dialog.m_stcColorHint->text(), Hint(" F8 "));
    fakes.screen.cursor = QPoint(11, 22);
    fakes.screen.pixels[{11, 22}] = RGB(50, 60, 70);
    ASSERT_TRUE(fakes.hotKeys.Press(VK_F7));
    EXPECT_EQ(dialog.m_ptLocation, QPoint(321, 654)) << "posted, not run inside the press";
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.m_ptLocation, QPoint(11, 22));
    ASSERT_TRUE(fakes.hotKeys.Press(VK_F8));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.m_clrTarget, RGB(50, 60, 70));
    dialog.reject();
    EXPECT_TRUE(fakes.hotKeys.held.empty());

    fakes.hotKeys.takenElsewhere = {VK_F6, VK_F7, VK_F8};
    h.Open(event, true);
    EXPECT_EQ(h.dialog->m_wLocationKey, VK_F9);
    EXPECT_EQ(h.dialog->m_wColorKey, 0);
    EXPECT_EQ(h.dialog->m_stcColorHint->text(), Hint("SpaceBar"));
    h.dialog->OnOK();
    EXPECT_TRUE(fakes.hotKeys.held.empty());
}

} // namespace
