// The About box as the user meets it: its texts, its icon, and the keys that close it.
#include "app/about_dlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Runs the box modally and presses `key` once it is up; returns how it ended.
int RunAndPress(Qt::Key key) {
    CAboutDlg dlg;
    QTimer::singleShot(0, &dlg, [&dlg, key] {
        dlg.activateWindow();
        QTest::keyClick(&dlg, key);
    });
    // A box that a key failed to close would hang the test: close it after a while instead.
    QTimer::singleShot(3000, &dlg, [&dlg] { dlg.done(-1); });
    return dlg.exec();
}

} // namespace

TEST(AboutDlgTest, ShowsNameVersionSupportAndIcon) {
    CAboutDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "About Tintwatch");
    auto* version = dlg.findChild<QLabel*>("IDC_VERSION");
    auto* support = dlg.findChild<QLabel*>("IDC_SUPPORT");
    auto* icon = dlg.findChild<QLabel*>("IDR_MAINFRAME");
    ASSERT_TRUE(version && support && icon);
    EXPECT_EQ(version->text(), "Tintwatch Version 8.2");
    EXPECT_EQ(version->textFormat(), Qt::PlainText);
    EXPECT_FALSE(support->text().isEmpty());
    // The icon is the compiled-in application icon, not an empty placeholder.
    EXPECT_FALSE(icon->pixmap().isNull());
    EXPECT_EQ(icon->pixmap().size(), QSize(32, 32));
    auto* ok = dlg.findChild<QPushButton*>("IDOK");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
}

TEST(AboutDlgTest, EnterAndEscapeCloseTheBox) {
    EXPECT_EQ(RunAndPress(Qt::Key_Return), QDialog::Accepted);
    EXPECT_EQ(RunAndPress(Qt::Key_Enter), QDialog::Accepted);
    EXPECT_EQ(RunAndPress(Qt::Key_Escape), QDialog::Rejected);
}

TEST(AboutDlgTest, OkClosesTheBox) {
    CAboutDlg dlg;
    QTimer::singleShot(0, &dlg, [&dlg] { dlg.findChild<QPushButton*>("IDOK")->click(); });
    QTimer::singleShot(3000, &dlg, [&dlg] { dlg.done(-1); });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
}
