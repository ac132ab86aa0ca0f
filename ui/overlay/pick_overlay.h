// The pick overlay, for desktops where the program neither sees the pointer nor hears keys
// pressed in other programs: a window over every monitor holding its newest picture still, where
// a click, F6 or F7 picks a point and its colour, and Esc cancels.
#pragma once

#include "pick_window.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct OverlayResult {
    OverlayPick pick;
    QPoint location; // desktop coordinates
    COLORREF colour; // as the still shows it there
};

class PickOverlay : public QObject {
public:
    // Opens a window over each of `stills`; a click takes `clickPicks`. `onDone` runs once, in
    // a later turn of `parent`'s event loop, with the pick or nullopt when cancelled: it may
    // destroy the overlay. The windows belong to `parent`, so a modal `parent` lets them have
    // the input.
    PickOverlay(const std::vector<MonitorStill>& stills, OverlayPick clickPicks, QWidget* parent,
                std::function<void(std::optional<OverlayResult>)> onDone);
    ~PickOverlay() override;
    PickOverlay(const PickOverlay&) = delete;
    PickOverlay& operator=(const PickOverlay&) = delete;

private:
    void Finish(std::optional<OverlayResult> result);

    QWidget* m_pParent;
    std::function<void(std::optional<OverlayResult>)> m_onDone;
    std::vector<std::unique_ptr<PickWindow>> m_windows;
    // Where the pointer was last seen, and over which window.
    const PickWindow* m_pointerWindow = nullptr;
    QPoint m_pointer;
};
