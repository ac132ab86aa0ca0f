// Test entry, every per-user folder isolated first. Widget code (TW_TEST_GUI) runs on whatever
// platform QT_QPA_PLATFORM names (offscreen for logic, xcb under Xvfb); the rest has no GUI.
#include "isolated_environment.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    IsolateUserFolders();
#ifdef TW_TEST_GUI
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("TintwatchTests"));
    QApplication::setApplicationName(QStringLiteral("Tintwatch"));
#else
    QCoreApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
