// The list view as the program runs it, for the benchmarks: a frame that routes the save
// command to it, fake services except for the screen and the timers each benchmark chooses.
#pragma once

#include "engine/main_frame_pointer.h"
#include "fakes/fake_platform.h"
#include "model/tintwatch_doc.h"
#include "support/isolated_environment.h"
#include "ui/event_editor.h"
#include "ui/view/tintwatch_view.h"

#include <QVBoxLayout>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class CancellingEditor : public IEventEditor {
public:
    bool Run(QWidget*, CEventInfo&, bool) override { return false; }
};

// Hands the posted save to the view, which passes it to the document, as the frame does.
class SaveRoutingFrame : public QWidget, public CCmdTarget {
public:
    bool OnCommand(int id) override { return view && view->OnCommand(id); }
    bool event(QEvent* e) override { return DispatchPostedCommand(*this, e) || QWidget::event(e); }
    CTintwatchView* view = nullptr;
};

// `count` events in the change mode, never reaching their maximum, each at `pointOf(i)`.
inline std::vector<CEventInfo> WatchedEvents(int count, int intervalMs,
                                             const std::function<QPoint(int)>& pointOf) {
    std::vector<CEventInfo> events;
    for (int i = 0; i < count; ++i) {
        CEventInfo event;
        event.m_ptLocation = pointOf(i);
        event.m_clrMatch = RGB(i, 255 - i, i / 4);
        event.m_nMaxCount = 1 << 30;
        event.m_nInterval = intervalMs;
        event.m_bAudioAlert = 0;
        event.m_bExecute = 0;
        event.m_bOnlySpecificColor = 0;
        event.m_sFilePath = QStringLiteral("/home/user/Documents/alert %1.ogg").arg(i);
        event.m_sComment = QStringLiteral("watch the status light of build machine %1").arg(i);
        events.push_back(event);
    }
    return events;
}

// One running window over `screen` (the fake one unless given), holding `events` once its
// initial update has run. Saves go to a private data folder.
struct BenchWindow {
    BenchWindow(std::vector<CEventInfo> events, TimerHostFactory makeTimers,
                IScreen* screen = nullptr)
        : services{screen ? *screen : platform.screen,
                   platform.tone,
                   platform.launcher,
                   platform.profile,
                   platform.messageBox,
                   platform.hotKeys,
                   platform.fileChooser,
                   platform.folders},
          doc(services.screen, services.messageBox) {
        IsolateUserFolders();
        doc.m_arrEvents = std::move(events);
        frame.resize(1000, 600);
        view =
            std::make_unique<CTintwatchView>(services, doc, editor, std::move(makeTimers), &frame);
        (new QVBoxLayout(&frame))->addWidget(view.get());
        frame.view = view.get();
        MainFramePointer() = &frame;
    }
    ~BenchWindow() {
        view.reset();
        MainFramePointer() = nullptr;
    }
    FakePlatform platform;
    PlatformServices services;
    CTintwatchDoc doc;
    CancellingEditor editor;
    SaveRoutingFrame frame;
    std::unique_ptr<CTintwatchView> view;
};

// A timer host whose ticks the benchmark fires itself, ids handed over as they came due.
inline TimerHostFactory ManualTimers(TicksHandler& ticks) {
    return [&ticks](TicksHandler onTicks) {
        ticks = std::move(onTicks);
        return std::make_unique<FakeTimerHost>();
    };
}
