// The event editor's screen picks: the pick keys (function keys grabbed for the whole desktop,
// the desktop's own shortcuts, or none), the hints that name them, and the pick overlay with its
// waits for fresh pictures. The dialog keeps the form and is told what was picked.
#pragma once

#include "platform/hot_keys.h"
#include "platform/services.h"
#include "platform/types.h"

#include <QPoint>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class PickOverlay;
class QDialog;
class QLabel;
struct Frame;
enum class OverlayPick;

class EditorPicking {
public:
    // `dialog` gets the posted clicks of its pick buttons and parents the overlay; `picked`
    // takes a point picked on the overlay with its colour there; `relaidOut` runs after the
    // hints' texts changed.
    EditorPicking(PlatformServices services, QDialog& dialog, QLabel& locationHint,
                  QLabel& colorHint, std::function<void(OverlayPick, QPoint, COLORREF)> picked,
                  std::function<void()> relaidOut);
    ~EditorPicking();
    EditorPicking(const EditorPicking&) = delete;
    EditorPicking& operator=(const EditorPicking&) = delete;

    // At each opening: takes the keys, or asks the desktop for them, and names them.
    void Start();
    // At each closing: the keys go back to the desktop, and the overlay goes.
    void Stop();
    // Whether `action` is taken on the pick overlay rather than where the pointer is.
    bool PicksOnOverlay(PickAction action) const;
    // `waited`: turns already spent waiting for pictures newer than the last overlay.
    void OpenPickOverlay(OverlayPick clickPicks, int waited = 0);
    // Whether a pick of `action` that read `colour` can be taken; shows in its hint why not,
    // else the key's own hint again.
    bool TakePick(COLORREF colour, PickAction action);

    std::uint16_t m_wLocationKey = 0;
    std::uint16_t m_wColorKey = 0;

private:
    // A press of one of our function keys: posts the click of its pick button.
    void OnHotKey(std::uint16_t virtualKey);
    std::uint16_t RegisterPickHotKey(QLabel& hint,
                                     std::unique_ptr<IHotKeyRegistration>& registration);
    // Where the desktop binds the keys itself (or binds none): asks it, and says how to pick.
    void BindDesktopPickKeys();
    void ShowDesktopPickHints();

    PlatformServices m_services;
    QDialog& m_dialog;
    QLabel& m_stcLocationHint;
    QLabel& m_stcColorHint;
    std::function<void(OverlayPick, QPoint, COLORREF)> m_picked;
    std::function<void()> m_relaidOut;
    std::unique_ptr<IHotKeyRegistration> m_locationKey;
    std::unique_ptr<IHotKeyRegistration> m_colorKey;
    // The picks' keys on a desktop that binds them itself, and the keys it named.
    std::unique_ptr<IHotKeyRegistration> m_desktopKeys;
    QString m_sLocationTrigger;
    QString m_sColorTrigger;
    std::unique_ptr<PickOverlay> m_overlay;
    // The pictures that were newest when the last overlay closed: they may show it.
    std::vector<std::shared_ptr<const Frame>> m_overlaidFrames;
};
