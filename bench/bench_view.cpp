// The list view at scale: building 1,000 rows at start-up (with the first paint), and what one
// detection costs the window: the row's refresh, the save request and the save it brings.
#include "engine/main_frame_pointer.h"
#include "fakes/fake_platform.h"
#include "model/tintwatch_doc.h"
#include "support/isolated_environment.h"
#include "ui/event_editor.h"
#include "ui/view/tintwatch_view.h"

#include <QApplication>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

namespace {

constexpr int kEvents = 1000;

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

std::vector<CEventInfo> Events() {
    std::vector<CEventInfo> events;
    for (int i = 0; i < kEvents; ++i) {
        CEventInfo event;
        event.m_ptLocation = QPoint(i, 2 * i);
        event.m_clrMatch = RGB(i, 255 - i, i / 4);
        event.m_nMaxCount = 1 << 30;
        event.m_nInterval = 10 + i;
        event.m_bAudioAlert = 0;
        event.m_bExecute = 0;
        event.m_bOnlySpecificColor = 0;
        event.m_sFilePath = QStringLiteral("/home/user/Documents/alert %1.ogg").arg(i);
        event.m_sComment = QStringLiteral("watch the status light of build machine %1").arg(i);
        events.push_back(event);
    }
    return events;
}

// One running window: frame, view over fake services, and the view's tick entry.
struct Window {
    Window() : doc(platform.screen, platform.messageBox) {
        doc.m_arrEvents = Events();
        frame.resize(1000, 600);
        view = std::make_unique<CTintwatchView>(
            platform.Services(), doc, editor,
            [this](std::function<void(std::uintptr_t)> onTick) {
                tick = std::move(onTick);
                return std::make_unique<FakeTimerHost>();
            },
            &frame);
        (new QVBoxLayout(&frame))->addWidget(view.get());
        frame.view = view.get();
        frame.show();
    }
    ~Window() {
        view.reset();
        MainFramePointer() = nullptr;
    }
    FakePlatform platform;
    CTintwatchDoc doc;
    CancellingEditor editor;
    SaveRoutingFrame frame;
    std::unique_ptr<CTintwatchView> view;
    std::function<void(std::uintptr_t)> tick;
};

bool HaveWidgets(benchmark::State& state) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        return true;
    state.SkipWithError("the view needs a QApplication");
    return false;
}

void BM_ViewInitialUpdate1000(benchmark::State& state) {
    if (!HaveWidgets(state))
        return;
    IsolateUserFolders();
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<Window>();
        state.ResumeTiming();
        window->view->OnInitialUpdate();
        QCoreApplication::processEvents(); // layout and first paint
        state.PauseTiming();
        if (window->view->rowCount() != kEvents)
            state.SkipWithError("rows missing");
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ViewInitialUpdate1000)->Unit(benchmark::kMillisecond);

void BM_ViewDetection(benchmark::State& state) {
    if (!HaveWidgets(state))
        return;
    IsolateUserFolders();
    Window window;
    window.view->OnInitialUpdate();
    MainFramePointer() = &window.frame;
    QCoreApplication::processEvents();
    window.platform.screen.background = RGB(9, 9, 9); // every event sees a change
    std::uintptr_t id = 0;
    for (auto _ : state) {
        // Rows far apart, so each detection scrolls its row into view.
        id = (id + 397) % kEvents + 1;
        window.tick(id);
        QCoreApplication::sendPostedEvents(); // the save request, then the save itself
    }
    if (!window.platform.messageBox.shown.empty())
        state.SkipWithError("the save failed");
}
BENCHMARK(BM_ViewDetection)->Unit(benchmark::kMillisecond);

// Every row's tick once with nothing changed, the screen faked: what 1,000 rows cost the list
// itself per round, apart from the pixel reads.
void BM_ViewTickAll1000FakeScreen(benchmark::State& state) {
    if (!HaveWidgets(state))
        return;
    IsolateUserFolders();
    Window window;
    window.view->OnInitialUpdate();
    QCoreApplication::processEvents();
    for (const CEventInfo& event : window.doc.m_arrEvents)
        window.platform.screen.pixels[{event.m_ptLocation.x(), event.m_ptLocation.y()}] =
            event.m_clrMatch;
    for (auto _ : state) {
        for (std::uintptr_t id = 1; id <= kEvents; ++id)
            window.tick(id);
    }
    // Every pixel matched its colour, so nothing counted.
    for (int row = 0; row < kEvents; ++row)
        if (window.view->GetItemData(row)->m_nDetectCount != 0) {
            state.SkipWithError("a tick counted a detection");
            break;
        }
}
BENCHMARK(BM_ViewTickAll1000FakeScreen)->Unit(benchmark::kMicrosecond);

} // namespace
