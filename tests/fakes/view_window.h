// The list view as the program runs it, over fakes: its commands recorded on the way through a
// target that hands them to the view, as the main frame does, with an editor told what to answer.
#pragma once

#include "engine/main_frame_pointer.h"
#include "fakes/fake_platform.h"
#include "model/tintwatch_doc.h"
#include "support/recording_target.h"
#include "ui/event_editor.h"
#include "ui/view/tintwatch_view.h"

#include <QVBoxLayout>

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

// One window over `screen` (the fake one unless given).
struct ViewWindow {
    explicit ViewWindow(IScreen* screen = nullptr)
        : services(platform.Services(screen)), doc(services.screen, services.messageBox) {
        new QVBoxLayout(&frame);
        commands.forward = [this](int id) { return view && view->OnCommand(id); };
    }
    ~ViewWindow() {
        view.reset();
        MainFramePointer() = nullptr;
    }
    // Builds the view over `events` inside the frame; its initial update is the caller's.
    void Open(std::vector<CEventInfo> events, TimerHostFactory makeTimers,
              QSize size = {900, 400}) {
        doc.m_arrEvents = std::move(events);
        frame.resize(size);
        view =
            std::make_unique<CTintwatchView>(services, doc, editor, std::move(makeTimers), &frame);
        frame.layout()->addWidget(view.get());
        MainFramePointer() = &commands;
    }

    FakePlatform platform;
    PlatformServices services;
    CTintwatchDoc doc;
    ScriptedEditor editor;
    QWidget frame;
    RecordingTarget commands;
    std::unique_ptr<CTintwatchView> view;
};
