// Closing while a modal window refuses to close: closing asks it a few times, then closes it
// anyway and ends, instead of asking again for ever.
#include "fakes/fake_platform.h"
#include "support/recording_target.h"
#include "ui/frame/main_frame.h"

#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Refuses Escape, the close button and every request to close, as a busy window may.
class StubbornDialog : public QDialog {
public:
    using QDialog::QDialog;
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

TEST(FrameClose, AModalWindowThatWillNotCloseIsClosedAfterAFewTries) {
    FakePlatform platform;
    RecordingTarget viewTarget, appTarget;
    CMainFrame frame(platform.Services(), new QWidget, viewTarget, appTarget);
    StubbornDialog stubborn(&frame);
    std::vector<std::string> log;
    frame.SetOnDestroyView(
        [&] { log.push_back(stubborn.isVisible() ? "hook, modal shown" : "hook"); });
    frame.SetQuitFunction([&] { log.push_back("quit"); });
    frame.show();

    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(0, &frame, &CMainFrame::OnClose);
    // Ends the test, should closing never get the window to close.
    QTimer::singleShot(3000, &stubborn, [&] { stubborn.done(QDialog::Rejected); });
    stubborn.exec();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.size() == 2; }, 5000));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(log, (std::vector<std::string>{"hook", "quit"}));
}

} // namespace
