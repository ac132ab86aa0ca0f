// The list view as the program runs it, over fakes: in a frame that records every command and
// routes it to the view as the main frame does, with an editor that answers as it is told.
#pragma once

#include "engine/main_frame_pointer.h"
#include "fakes/fake_platform.h"
#include "model/tintwatch_doc.h"
#include "ui/event_editor.h"
#include "ui/view/tintwatch_view.h"

#include <QVBoxLayout>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class ScriptedEditor : public IEventEditor {
public:
    bool Run(QWidget*, CEventInfo& event, bool editMode) override {
        ++runs;
        lastEditMode = editMode;
        if (answer)
            answer(event);
        return bool(answer);
    }
    std::function<void(CEventInfo&)> answer; // what the user changes before OK; none: Cancel
    int runs = 0;
    bool lastEditMode = false;
};

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

// One window over `screen` (the fake one unless given).
struct ViewWindow {
    explicit ViewWindow(IScreen* screen = nullptr)
        : services{screen ? *screen : platform.screen,
                   platform.tone,
                   platform.launcher,
                   platform.profile,
                   platform.messageBox,
                   platform.hotKeys,
                   platform.fileChooser,
                   platform.folders},
          doc(services.screen, services.messageBox) {
        new QVBoxLayout(&frame);
    }
    ~ViewWindow() {
        view.reset();
        MainFramePointer() = nullptr;
    }
    // Builds the view over `events` inside the frame, as the application does; its initial
    // update is the caller's.
    void Open(std::vector<CEventInfo> events, TimerHostFactory makeTimers,
              QSize size = {900, 400}) {
        doc.m_arrEvents = std::move(events);
        frame.resize(size);
        view =
            std::make_unique<CTintwatchView>(services, doc, editor, std::move(makeTimers), &frame);
        frame.layout()->addWidget(view.get());
        frame.view = view.get();
        MainFramePointer() = &frame;
    }

    FakePlatform platform;
    PlatformServices services;
    CTintwatchDoc doc;
    ScriptedEditor editor;
    RoutingFrame frame;
    std::unique_ptr<CTintwatchView> view;
};
