// A list view over fake services, a fake editor and fake timers whose ticks the test fires,
// hosted in a window that stands in for the main frame and routes posted commands as it does.
#pragma once

#include "engine/main_frame_pointer.h"
#include "fakes/fake_platform.h"
#include "model/tintwatch_doc.h"
#include "platform/cmd_target.h"
#include "ui/event_editor.h"
#include "ui/view/tintwatch_view.h"

#include <QCoreApplication>
#include <QFile>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// Answers as each test scripts it; by default the user cancels.
class ScriptedEditor : public IEventEditor {
public:
    bool Run(QWidget* parent, CEventInfo& event, bool editMode) override {
        ++runs;
        lastParent = parent;
        lastEditMode = editMode;
        return onRun ? onRun(event) : false;
    }
    std::function<bool(CEventInfo&)> onRun;
    int runs = 0;
    QWidget* lastParent = nullptr;
    bool lastEditMode = false;
};

// The main frame's part in command routing: records every command that reaches it and hands
// it on to the view, which passes what it does not handle to the document.
class RoutingFrame : public QWidget, public CCmdTarget {
public:
    bool OnCommand(int id) override {
        commands.push_back(id);
        return view && view->OnCommand(id);
    }
    bool event(QEvent* e) override { return DispatchPostedCommand(*this, e) || QWidget::event(e); }

    CTintwatchView* view = nullptr;
    std::vector<int> commands;
};

class ViewFixture : public ::testing::Test {
protected:
    ~ViewFixture() override {
        view.reset();
        MainFramePointer() = nullptr;
    }

    static CEventInfo Event(int interval, bool enabled, const QString& comment = {}) {
        CEventInfo event;
        event.m_nInterval = interval;
        event.m_bEnabled = enabled ? 1 : 0;
        event.m_sComment = comment;
        event.m_nMaxCount = 100;
        event.m_bAudioAlert = 0;
        event.m_bExecute = 0;
        event.m_bOnlySpecificColor = 0; // change mode: a detection whenever the pixel differs
        event.m_clrMatch = RGB(1, 2, 3);
        return event;
    }

    // Builds the view inside the frame, as the application does, and runs its initial update.
    void Start(const std::vector<CEventInfo>& events) {
        doc.m_arrEvents = events;
        frame.resize(900, 400);
        view = std::make_unique<CTintwatchView>(
            platform.Services(), doc, editor,
            [this](TicksHandler onTicks) {
                tick = [onTicks](std::uintptr_t id) { onTicks({&id, 1}); };
                auto host = std::make_unique<FakeTimerHost>();
                timers = host.get();
                return host;
            },
            &frame);
        if (!frame.layout())
            new QVBoxLayout(&frame);
        frame.layout()->addWidget(view.get());
        frame.view = view.get();
        MainFramePointer() = &frame;
        view->OnInitialUpdate();
    }

    // Delivers everything posted so far; returns the commands that reached the frame then.
    std::vector<int> Deliver() {
        const std::size_t before = frame.commands.size();
        QCoreApplication::sendPostedEvents();
        return {frame.commands.begin() + static_cast<std::ptrdiff_t>(before), frame.commands.end()};
    }

    int Saves() {
        const std::vector<int> delivered = Deliver();
        return static_cast<int>(std::count(delivered.begin(), delivered.end(), ID_FILE_SAVE));
    }

    void Select(int row) { view->selectRow(row); }

    // Path of the data file, emptied so that a test sees what its saves write.
    QString FreshDataFile() {
        QString path;
        GetDataFilePath(path);
        QFile::remove(path);
        return path;
    }

    std::vector<CEventInfo> Reread(const QString& path) {
        CTintwatchDoc reread(platform.screen, platform.messageBox);
        EXPECT_EQ(reread.OnOpenDocument(path), CTintwatchDoc::OpenResult::Complete);
        return reread.m_arrEvents;
    }

    QStringList Column(int column) const {
        QStringList texts;
        for (int row = 0; row < view->rowCount(); ++row)
            texts << view->GetItemText(row, column);
        return texts;
    }

    FakePlatform platform;
    CTintwatchDoc doc{platform.screen, platform.messageBox};
    ScriptedEditor editor;
    RoutingFrame frame;
    std::unique_ptr<CTintwatchView> view;
    FakeTimerHost* timers = nullptr;
    std::function<void(std::uintptr_t)> tick;
};
