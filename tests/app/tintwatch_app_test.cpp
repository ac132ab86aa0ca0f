// The application with fake services: start-up from the data file (and from one it cannot
// read), the commands that end at the application, and what closing runs.
#include "app/document_opener.h"
#include "app/tintwatch_app.h"
#include "fakes/fake_platform.h"
#include "model/exceptions.h"
#include "model/tintwatch_doc.h"
#include "support/processes.h"
#include "support/records.h"
#include "support/waiting.h"
#include "ui/frame/main_frame.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <gtest/gtest.h>

TEST(AppTest, StartUpListsTheStoredEventsTheCommandsReplaceThemAndClosingRunsOnlyAQueuedSave) {
    QString path; // the data file, in the tests' own data folder
    GetDataFilePath(path);
    WriteFile(path, DataFileBytes({NumberedEvent(1), NumberedEvent(2)}));
    FakePlatform fakes;
    CTintwatchApp app{fakes.Services(),
                      [](TicksHandler) { return std::make_unique<FakeTimerHost>(); }};
    int quits = 0;
    QStringList modalTitles;
    ASSERT_TRUE(app.InitInstance());
    app.MainFrame()->SetQuitFunction([&] { ++quits; });
    ASSERT_EQ(app.View()->GetItemCount(), 2);

    // Closes every modal box that opens by Enter, so none can hang the test; notes their titles.
    auto* guard = new QTimer(app.MainFrame());
    QObject::connect(guard, &QTimer::timeout, [&] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            modalTitles.append(modal->windowTitle());
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(modal, &enter);
        }
    });
    guard->start(20);
    EXPECT_TRUE(app.MainFrame()->OnCommand(ID_APP_ABOUT));
    EXPECT_EQ(modalTitles, QStringList{"About Tintwatch"});
    EXPECT_FALSE(app.OnCommand(ID_EVENT_NEW)) << "not the application's command";
    EXPECT_TRUE(app.OnCommand(ID_FILE_OPEN)); // the chooser is cancelled: nothing changes
    EXPECT_EQ(app.View()->GetItemCount(), 2);
    fakes.fileChooser.answer = path + ".other";
    WriteFile(fakes.fileChooser.answer, DataFileBytes({NumberedEvent(5)}));
    EXPECT_TRUE(app.OnCommand(ID_FILE_OPEN));
    ASSERT_EQ(app.View()->GetItemCount(), 1);
    ExpectSameStoredFields(*app.View()->GetItemData(0), NumberedEvent(5));

    // An emptied list queues a request for a first event; closing runs only the queued save.
    // That save fails (a folder stands in the file's place, gone while the box is shown), so
    // closing saves the list once more.
    EXPECT_TRUE(app.OnCommand(ID_FILE_NEW));
    EXPECT_EQ(app.View()->GetItemCount(), 0);
    PostCommand(app.MainFrame(), ID_FILE_SAVE);
    QFile::remove(path);
    QDir().mkpath(path + "/in the way");
    fakes.messageBox.whileOpen = [&] { QDir(path).removeRecursively(); };
    app.MainFrame()->OnClose();
    EXPECT_EQ(quits, 1);
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_TRUE(fakes.messageBox.shown[0].text.startsWith("The event list could not be saved"));
    const auto saved = EventsOf(ReadFile(path));
    ASSERT_TRUE(saved) << "the list was not saved at close";
    EXPECT_TRUE(saved->empty());
    Settle(100);
    EXPECT_EQ(modalTitles, QStringList{"About Tintwatch"}) << "the editor opened while closing";
}

TEST(DocumentOpenerTest, EachKindOfFileAtStartUp) {
    // What stands at the path, what the opening throws (1: a data-file error, 2: another).
    const std::tuple<const char*, bool, int, bool, StartDocument> cases[] = {
        {"missing", false, 0, false, StartDocument::New},
        {"readable", true, 0, false, StartDocument::Opened},
        {"damaged", true, 1, false, StartDocument::Mismatch},
        {"damaged, the copy's first name taken", true, 1, true, StartDocument::Mismatch},
        {"other error", true, 2, false, StartDocument::Opened},
    };
    for (const auto& [name, exists, throws, copyBlocked, result] : cases) {
        SCOPED_TRACE(name);
        UserFolders user;
        const QString path = user.DataFilePath();
        if (exists)
            WriteFile(path, "events");
        if (copyBlocked)
            QDir().mkpath(path + ".bad/inside");
        FakePlatform fakes;
        CTintwatchDoc doc(fakes.screen, fakes.messageBox);
        QStringList calls;
        const auto open = [&, throws = throws](const QString& file) {
            calls << file;
            if (throws == 1)
                throw CFileException("read failed");
            if (throws == 2)
                throw std::logic_error("unexpected");
        };
        const auto startNew = [&] { calls << "new"; };
        const auto keep = [&](const QString& file, const QString& text) {
            return doc.KeepDamaged(file, text);
        };
        EXPECT_EQ(OpenEventDocument(path, open, startNew, keep), result);
        EXPECT_EQ(calls, QStringList{exists ? path : "new"});
        // A damaged file is told about, kept in a copy of its own, and removed once that exists.
        const bool told = result == StartDocument::Mismatch;
        EXPECT_EQ(fakes.messageBox.Texts(), told ? QStringList{kMismatchText} : QStringList());
        EXPECT_EQ(QFileInfo::exists(path), exists && !told);
        EXPECT_EQ(ReadFile(path + (copyBlocked ? ".bad.1" : ".bad")) == "events", told);
    }
}
