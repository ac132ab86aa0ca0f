// The application object with fake services: what start-up builds from the data file, the
// commands that end at the application, and what closing runs.
#include "app/pending_saves.h"
#include "app/tintwatch_app.h"
#include "fakes/fake_platform.h"
#include "model/archive.h"
#include "model/tintwatch_doc.h"
#include "ui/frame/main_frame.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray DataFile(const std::vector<CEventInfo>& events) {
    QByteArray bytes;
    CArchive ar(bytes, CArchive::store);
    ar << std::int32_t{786} << std::int32_t{1920} << std::int32_t{1080}
       << static_cast<std::int32_t>(events.size());
    for (CEventInfo event : events)
        event.Serialize(ar);
    return bytes;
}

class AppTest : public ::testing::Test {
protected:
    AppTest() {
        app.emplace(fakes.Services(), [this](TicksHandler) {
            auto timers = std::make_unique<FakeTimerHost>();
            lastTimers = timers.get();
            return timers;
        });
        GetDataFilePath(path);
        QFile::remove(path);
    }
    void WriteDataFile(const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void Start() {
        ASSERT_TRUE(app->InitInstance());
        app->MainFrame()->SetQuitFunction([this] { ++quits; });
    }
    // Closes any modal box that opens, so nothing can hang the test; counts them.
    void GuardModals() {
        auto* guard = new QTimer(app->MainFrame());
        QObject::connect(guard, &QTimer::timeout, [this] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                modalTitles.append(modal->windowTitle());
                modal->reject();
            }
        });
        guard->start(20);
    }

    QString path; // the data file, in the tests' own data folder
    FakePlatform fakes;
    FakeTimerHost* lastTimers = nullptr;
    std::optional<CTintwatchApp> app;
    int quits = 0;
    QStringList modalTitles;
};

class Recorder : public QObject, public CCmdTarget {
public:
    bool OnCommand(int id) override {
        ids.push_back(id);
        return true;
    }
    bool event(QEvent* e) override { return DispatchPostedCommand(*this, e) || QObject::event(e); }
    std::vector<int> ids;
};

} // namespace

TEST_F(AppTest, StartUpShowsTheStoredEventsUnderTheApplicationTitle) {
    CEventInfo watching, idle;
    watching.m_nInterval = 250;
    idle.m_bEnabled = 0;
    WriteDataFile(DataFile({watching, idle}));
    Start();

    CMainFrame* frame = app->MainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), "Tintwatch");
    EXPECT_EQ(app->View()->GetItemCount(), 2);
    EXPECT_TRUE(fakes.messageBox.shown.empty());
    // Only the enabled event is watched, under its row number.
    ASSERT_NE(lastTimers, nullptr);
    EXPECT_EQ(lastTimers->running, (std::map<std::uintptr_t, std::uint32_t>{{1, 250u}}));
    // The caption stays the title while the program works (a save, a command).
    app->Document()->OnFileSave();
    EXPECT_EQ(frame->windowTitle(), "Tintwatch");
}

TEST_F(AppTest, WithoutADataFileTheListStartsEmptyAndSilent) {
    Start();
    EXPECT_EQ(app->View()->GetItemCount(), 0);
    EXPECT_TRUE(fakes.messageBox.shown.empty());
    EXPECT_TRUE(app->MainFrame()->isVisible());
}

TEST_F(AppTest, AboutComesFromTheFrameRoutingAndIsModal) {
    WriteDataFile(DataFile({CEventInfo()}));
    Start();
    GuardModals();
    EXPECT_TRUE(app->MainFrame()->OnCommand(ID_APP_ABOUT));
    EXPECT_EQ(modalTitles, QStringList{"About Tintwatch"});
    EXPECT_FALSE(app->OnCommand(ID_EVENT_NEW)) << "not the application's command";
}

TEST_F(AppTest, NewAndOpenReplaceTheListOfTheOneDocument) {
    WriteDataFile(DataFile({CEventInfo(), CEventInfo()}));
    Start();
    GuardModals();
    ASSERT_EQ(app->View()->GetItemCount(), 2);

    // Cancelling the file dialog changes nothing.
    EXPECT_TRUE(app->OnCommand(ID_FILE_OPEN));
    EXPECT_EQ(app->View()->GetItemCount(), 2);

    CEventInfo other;
    other.m_sComment = QStringLiteral("from another file");
    const QString otherFile = path + ".other";
    QFile file(otherFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(DataFile({other}));
    file.close();
    fakes.fileChooser.answer = otherFile;
    EXPECT_TRUE(app->OnCommand(ID_FILE_OPEN));
    ASSERT_EQ(app->View()->GetItemCount(), 1);
    EXPECT_EQ(app->View()->GetItemData(0)->m_sComment, "from another file");

    EXPECT_TRUE(app->OnCommand(ID_FILE_NEW));
    EXPECT_EQ(app->View()->GetItemCount(), 0);
    EXPECT_TRUE(app->Document()->m_arrEvents.empty());
}

TEST_F(AppTest, ClosingRunsAQueuedSaveButNothingElseQueued) {
    Start(); // no file: a request for a first event is queued as well
    GuardModals();
    PostCommand(app->MainFrame(), ID_FILE_SAVE);
    app->MainFrame()->OnClose();
    EXPECT_EQ(quits, 1);
    // The save ran, writing the empty list; the editor never opened.
    EXPECT_EQ(QFile(path).size(), 16);
    QTest::qWait(100);
    EXPECT_TRUE(modalTitles.isEmpty());
}

TEST_F(AppTest, TerminationClosesAnOpenBoxFirstThenTheWindow) {
    Start();
    QTimer::singleShot(50, &*app, [this] { app->RequestClose(); });
    bool stuck = false;
    QTimer::singleShot(3000, &*app, [&stuck] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            stuck = true;
            modal->done(-1);
        }
    });
    app->OnAppAbout(); // returns once the request has closed it
    EXPECT_FALSE(stuck) << "the box was left open";
    EXPECT_EQ(quits, 0) << "the window closed while the box was still running";
    EXPECT_TRUE(QTest::qWaitFor([this] { return quits == 1; }, 2000));
}

TEST(PendingSavesTest, OnlyQueuedSavesRunAndOnlyOnce) {
    Recorder target;
    PostCommand(&target, ID_FILE_SAVE);
    PostCommand(&target, ID_EVENT_NEW);
    PostCommand(&target, ID_FILE_SAVE);
    EXPECT_EQ(RunPendingSaves(&target), 2);
    EXPECT_EQ(target.ids, (std::vector<int>{ID_FILE_SAVE, ID_FILE_SAVE}));
    QCoreApplication::processEvents();
    EXPECT_EQ(target.ids.size(), 2u) << "a dropped or run command came again";
    EXPECT_EQ(RunPendingSaves(nullptr), 0);
}
