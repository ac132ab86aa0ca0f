#include "pick_overlay.h"

PickOverlay::PickOverlay(const std::vector<MonitorStill>& stills, OverlayPick clickPicks,
                         QWidget* parent, std::function<void(std::optional<OverlayResult>)> onDone)
    : m_pParent(parent), m_onDone(std::move(onDone)) {
    for (const MonitorStill& still : stills) {
        auto window = std::make_unique<PickWindow>(still, clickPicks, parent);
        const PickWindow* source = window.get();
        connect(window.get(), &PickWindow::PointerMoved, this, [this, source](QPoint desktop) {
            m_pointerWindow = source;
            m_pointer = desktop;
        });
        connect(window.get(), &PickWindow::Clicked, this, [this, source, clickPicks](QPoint at) {
            Finish(OverlayResult{clickPicks, at, source->Still().PixelAt(at.x(), at.y())});
        });
        connect(window.get(), &PickWindow::KeyPicked, this, [this](OverlayPick pick) {
            // A key before the pointer was seen anywhere has no point to take.
            if (m_pointerWindow)
                Finish(
                    OverlayResult{pick, m_pointer,
                                  m_pointerWindow->Still().PixelAt(m_pointer.x(), m_pointer.y())});
        });
        connect(window.get(), &PickWindow::Cancelled, this, [this] { Finish(std::nullopt); });
        m_windows.push_back(std::move(window));
    }
    for (const auto& window : m_windows)
        window->Open();
}

PickOverlay::~PickOverlay() = default;

void PickOverlay::Finish(std::optional<OverlayResult> result) {
    if (!m_onDone)
        return;
    for (const auto& window : m_windows)
        window->hide();
    // Later, and through the parent: the caller may destroy the overlay, which must not happen
    // inside its own windows' event handlers.
    QMetaObject::invokeMethod(
        m_pParent, [onDone = std::exchange(m_onDone, nullptr), result] { onDone(result); },
        Qt::QueuedConnection);
}
