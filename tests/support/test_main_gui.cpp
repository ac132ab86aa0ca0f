// Test entry for widget code: runs on whatever platform QT_QPA_PLATFORM names (offscreen for
// logic tests, xcb under Xvfb for tests with a real display).
#include "isolated_environment.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    IsolateUserFolders();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("TintwatchTests"));
    QApplication::setApplicationName(QStringLiteral("Tintwatch"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
