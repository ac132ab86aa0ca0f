// The event editor over fake platform services: either mode, the screen picks and their keys,
// browsing, the test tone, the checks on OK; and the number conversions beneath it.
#include "fakes/fake_platform.h"
#include "support/records.h"
#include "ui/editor/data_exchange.h"
#include "ui/editor/dlg_color_event.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(DataExchange, NumbersAreDecimalsWithinTheirRangeOnly) {
    for (const int value : {0, -15, INT32_MAX, INT32_MIN})
        EXPECT_EQ(ParseInt32(QString::number(value)), value);
    EXPECT_EQ(ParseInt32(QStringLiteral(" +42 ")), 42);
    for (const char* text : {"", "-", "12a", "1 2", "0x10", "1.5", "2147483648", "-2147483649"})
        EXPECT_EQ(ParseInt32(QString::fromLatin1(text)), std::nullopt) << text;
    EXPECT_EQ(ParseUInt32(QStringLiteral("007")), 7u);
    EXPECT_EQ(ParseUInt32(QStringLiteral("4294967295")), UINT32_MAX);
    for (const char* text : {"", "-1", "+1", "4294967296", "5000ms", "١٢"})
        EXPECT_EQ(ParseUInt32(QString::fromUtf8(text)), std::nullopt) << text;
}

CEventInfo EditedRecord() {
    CEventInfo event = NumberedEvent(3);
    event.m_ptLocation = QPoint(321, 654);
    event.m_clrTarget = RGB(200, 100, 50);
    event.m_sCommand = QStringLiteral("Print");
    event.m_sFilePath = QStringLiteral("/home/u/report.txt");
    event.m_nInterval = 250;
    event.m_nDetectCount = 4;
    event.m_nFrequency = 440;
    event.m_bAudioAlert = event.m_bExecute = 0;
    return event;
}

class EditorTest : public ::testing::Test {
protected:
    // Shows the dialog non-modally, as its modal run would, and lets posted work run.
    CDlgColorEvent& Open(CEventInfo& record, bool editMode) {
        dialog = std::make_unique<CDlgColorEvent>(fakes.Services(), nullptr);
        dialog->m_pEvent = &record;
        dialog->m_bEditMode = editMode ? 1 : 0;
        dialog->show();
        QCoreApplication::processEvents();
        return *dialog;
    }
    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(dialog->Control(id)); }
    QCheckBox* Check(int id) const { return qobject_cast<QCheckBox*>(dialog->Control(id)); }
    QString Text(int id) const { return Edit(id)->text(); }
    void Type(int id, const QString& text) const { Edit(id)->setText(text); }
    void Click(int id) { qobject_cast<QAbstractButton*>(dialog->Control(id))->click(); }

    FakePlatform fakes;
    std::unique_ptr<CDlgColorEvent> dialog;
    CEventInfo event = EditedRecord();
};

TEST_F(EditorTest, AddPicksThePointUnderThePointerAndRemembersOnlyConfirmedChoices) {
    fakes.screen.cursor = QPoint(100, 200);
    fakes.screen.pixels[{100, 200}] = RGB(10, 20, 30);
    fakes.fileChooser.answer = QStringLiteral("/opt/tools/alarm.sh");
    CEventInfo first;
    Open(first, false);
    EXPECT_EQ(Text(IDC_FILE_PATH), fakes.folders.editor);
    EXPECT_EQ(Text(IDC_BLUE), "30");
    EXPECT_EQ(dialog->focusWidget(), dialog->Control(IDC_LOCATION_UNDER_CURSOR));
    Check(IDC_ONLY_SPECIFIC_COLOR)->setChecked(true);
    dialog->OnBrowsePath();
    dialog->OnOK();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(first.m_ptLocation, QPoint(100, 200));
    EXPECT_EQ(first.m_clrMatch, RGB(10, 20, 30));
    EXPECT_EQ(first.m_bOnlySpecificColor, 1);
    EXPECT_EQ(first.m_sFilePath, "/opt/tools/alarm.sh");

    // The next add starts from them; a cancelled add and an edit change nothing remembered.
    CEventInfo second;
    Open(second, false);
    EXPECT_TRUE(Check(IDC_ONLY_SPECIFIC_COLOR)->isChecked());
    EXPECT_EQ(Text(IDC_FILE_PATH), "/opt/tools/alarm.sh");
    Check(IDC_ONLY_SPECIFIC_COLOR)->setChecked(false);
    dialog->reject();
    EXPECT_TRUE(fakes.hotKeys.held.empty()) << "both pick keys go back";
    const auto remembered = fakes.profile.values;
    Open(event, true);
    Check(IDC_ONLY_SPECIFIC_COLOR)->setChecked(false);
    dialog->OnOK();
    EXPECT_EQ(fakes.profile.values, remembered);
    EXPECT_EQ(remembered.value("Settings/m_bOnlySpecificColor").toInt(), 1);
}

TEST_F(EditorTest, EditShowsTheRecordPicksNothingRefusesBadInputAndWritesOnlyOnOk) {
    fakes.screen.cursor = QPoint(5, 5);
    const QByteArray before = RecordBytes(event);
    Open(event, true);
    EXPECT_EQ(Text(IDC_X), "321");
    EXPECT_EQ(Text(IDC_COMMAND), "Print");
    EXPECT_EQ(Text(IDC_INTERVAL), "250");
    const QImage swatch = dialog->m_stcTargetColor->grab().toImage(); // filled to its corner
    EXPECT_EQ(swatch.pixelColor(swatch.rect().bottomRight()), QColor(200, 100, 50));
    EXPECT_EQ(dialog->m_stcMatchColor->m_clrColor, event.m_clrMatch);
    EXPECT_EQ(fakes.screen.reads, 0);
    // Of a fixed size, laid out again for a larger font; Tab passes over the read-only fields.
    const int width = dialog->width();
    dialog->setFont(QFont(dialog->font().family(), dialog->font().pointSize() * 2));
    EXPECT_GT(dialog->width(), width * 3 / 2);
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(dialog->focusWidget(), dialog->Control(IDC_ONLY_SPECIFIC_COLOR));

    // Refusals keep the dialog open and the record as it was.
    Check(IDC_EXECUTE)->setChecked(true);
    Type(IDC_COMMAND, "   ");
    dialog->OnOK();
    Type(IDC_COMMAND, " Open ");
    Type(IDC_FILE_PATH, QString());
    dialog->OnOK();
    Type(IDC_INTERVAL, QString());
    dialog->OnOK();
    EXPECT_EQ(dialog->focusWidget(), dialog->Control(IDC_INTERVAL));
    QStringList firstLines;
    for (const QString& text : fakes.messageBox.Texts())
        firstLines << text.section(u'\n', 0, 0);
    EXPECT_EQ(firstLines, QStringList({"Please Specify the Command to be Executed.",
                                       "Please Specify the File or Application Path to Continue.",
                                       "Please enter an integer."}));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(RecordBytes(event), before);

    Check(IDC_EXECUTE)->setChecked(false);
    Type(IDC_COMMENT, "new note");
    Type(IDC_INTERVAL, " -20 ");
    Type(IDC_COMMAND, "  \t ");
    Check(IDC_ENABLED)->setChecked(false);
    dialog->OnOK();
    EXPECT_EQ(event.m_sComment, "new note");
    EXPECT_EQ(event.m_nInterval, -20) << "no range is checked";
    // Not launching: a blank command is stored empty and an empty path is accepted.
    EXPECT_EQ(event.m_sCommand, QString());
    EXPECT_EQ(event.m_sFilePath, QString());
    EXPECT_EQ(event.m_bEnabled, 0);
    EXPECT_EQ(event.m_nDetectCount, 4) << "saved disabled keeps its count";

    Open(event, true);
    Check(IDC_ENABLED)->setChecked(true);
    dialog->OnOK();
    EXPECT_EQ(event.m_nDetectCount, 0) << "saved enabled starts counting afresh";
}

TEST_F(EditorTest, PicksByTheFirstFreeKeysKeepTypedTextAndRefuseAnUnreadablePointWithAHint) {
    fakes.hotKeys.takenElsewhere = {VK_F6, VK_F7, VK_F8};
    Open(event, true);
    // Typed text before a refused number is taken; from the refused one on, values stay.
    Type(IDC_COMMAND, "typed command");
    Type(IDC_MAX_COUNT, "soon");
    Type(IDC_COMMENT, "not taken");
    Type(IDC_FREQUENCY, "1234");
    Check(IDC_ENABLED)->setChecked(!Check(IDC_ENABLED)->isChecked());
    fakes.screen.cursor = QPoint(40, 50);
    fakes.screen.pixels[{40, 50}] = RGB(9, 8, 7);
    ASSERT_TRUE(fakes.hotKeys.Press(VK_F9));
    EXPECT_EQ(dialog->m_ptLocation, QPoint(321, 654)) << "posted, not run inside the press";
    QCoreApplication::processEvents();
    EXPECT_EQ(Text(IDC_COMMAND), "typed command");
    EXPECT_EQ(Text(IDC_MAX_COUNT).toInt(), event.m_nMaxCount);
    EXPECT_EQ(Text(IDC_COMMENT), event.m_sComment);
    EXPECT_EQ(Text(IDC_FREQUENCY), "440");
    EXPECT_EQ(Check(IDC_ENABLED)->isChecked(), event.m_bEnabled != 0);
    EXPECT_EQ(Text(IDC_X), "40");
    QCoreApplication::processEvents(); // the swatch is painted anew: on the screen too
    const QPoint swatch = dialog->m_stcMatchColor->geometry().center();
    EXPECT_EQ(dialog->screen()
                  ->grabWindow(dialog->winId(), swatch.x(), swatch.y(), 1, 1)
                  .toImage()
                  .pixelColor(0, 0),
              QColor(9, 8, 7));

    fakes.screen.cursor = QPoint(7, 8);
    fakes.screen.pixels[{7, 8}] = RGB(0, 255, 0);
    dialog->OnColorUnderCursor(); // the target only: the location stays, as OK below shows

    fakes.screen.cursor.reset();
    dialog->OnLocationUnderCursor();
    dialog->OnColorUnderCursor();
    EXPECT_EQ(fakes.messageBox.Texts().mid(1),
              QStringList(2, "Could not get Current Mouse Curor Position."));

    // A point the screen cannot show (a gap between monitors, or one left out of the desktop's
    // share) is refused, with a hint naming the monitors the desktop keeps back.
    fakes.screen.cursor = QPoint(1500, 40);
    fakes.screen.background = kUnreadablePixel;
    fakes.screen.unshared = {"DP-2", "HDMI-1"};
    dialog->OnLocationUnderCursor();
    dialog->OnColorUnderCursor();
    for (const auto& [hint, key] : {std::pair{dialog->m_stcLocationHint, " F9 "},
                                    std::pair{dialog->m_stcColorHint, "SpaceBar"}}) {
        EXPECT_EQ(hint->text(), QStringLiteral("Cannot Read the Color at that Position. Move "
                                               "Cursor Elsewhere and Press %1 Key Again. The "
                                               "Desktop Does Not Share DP-2, HDMI-1.")
                                    .arg(key));
        EXPECT_LE(hint->heightForWidth(hint->width()), hint->height()) << "clipped";
    }
    EXPECT_EQ(fakes.messageBox.Texts().size(), 3);
    EXPECT_EQ(dialog->m_stcTargetColor->m_clrColor, RGB(0, 255, 0)); // the location: on OK below
    // A readable pick afterwards is taken, and the hint is the key's again.
    fakes.screen.background = RGB(5, 5, 5);
    dialog->OnColorUnderCursor();
    EXPECT_EQ(dialog->m_stcColorHint->text(),
              "Move Cursor to the Desired Position and Press SpaceBar "
              "Key to Get the Color Under Curor.");

    Click(IDC_SHOW_LOCATION);
    EXPECT_EQ(fakes.screen.warps, std::vector<QPoint>({QPoint(40, 50)}));
    dialog->OnOK();
    EXPECT_EQ(event.m_ptLocation, QPoint(40, 50));
    EXPECT_EQ(event.m_clrMatch, RGB(9, 8, 7));
    EXPECT_EQ(event.m_clrTarget, RGB(5, 5, 5));
}

TEST_F(EditorTest, BrowseReplacesOnlyThePathAndTheTestToneSoundsTheTypedValues) {
    fakes.folders.desktop = QStringLiteral("/home/u/Desktop");
    Open(event, true);
    dialog->OnBrowsePath(); // cancelled
    EXPECT_EQ(Text(IDC_FILE_PATH), "/home/u/report.txt");
    fakes.fileChooser.answer = QStringLiteral("/usr/bin/xmessage");
    QTest::keyClick(dialog->Control(IDC_BROWSE_PATH), Qt::Key_Return); // the focused button
    EXPECT_EQ(Text(IDC_FILE_PATH), "/usr/bin/xmessage");
    EXPECT_EQ(fakes.fileChooser.asked.value(1), "/home/u/Desktop|All Files (*)");
    EXPECT_EQ(event.m_sFilePath, "/home/u/report.txt") << "not before OK";

    Type(IDC_FREQUENCY, "880");
    Type(IDC_DURATION, "120");
    Click(IDC_TEST_BEEP); // whatever the audio alert box says
    ASSERT_TRUE(fakes.tone->WaitForBeeps(1));
    Type(IDC_FREQUENCY, "1000");
    Type(IDC_DURATION, QString()); // refused: the value held before sounds
    dialog->OnTestBeep();
    ASSERT_TRUE(fakes.tone->WaitForBeeps(2));
    EXPECT_EQ(fakes.tone->Beeps()[0], std::make_pair(880u, 120u));
    EXPECT_EQ(fakes.tone->Beeps()[1], std::make_pair(1000u, 120u));
    EXPECT_EQ(fakes.messageBox.Texts(), QStringList{"Please enter a positive integer."});
}

} // namespace
