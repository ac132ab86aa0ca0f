#include "editor_picking.h"

#include "platform/cmd_target.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "res/resource_ids.h"
#include "ui/overlay/pick_overlay.h"

#include <QDialog>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <array>

namespace {

// The pick keys, tried in this order; the location pick asks first.
constexpr std::array<std::uint16_t, 4> kPickKeys = {VK_F6, VK_F7, VK_F8, VK_F9};

// The key as the hints name it; 0 is the space bar on the focused pick button.
QString KeyName(std::uint16_t virtualKey) {
    return virtualKey == 0 ? QStringLiteral("SpaceBar")
                           : QStringLiteral(" F%1 ").arg(virtualKey - VK_F6 + 6);
}

QString UnreadableHint(std::uint16_t virtualKey) {
    return QStringLiteral("Cannot Read the Color at that Position. Move Cursor Elsewhere and "
                          "Press %1 Key Again.")
        .arg(KeyName(virtualKey));
}

// The hint of a pick that has a key; `keyName` comes with a blank on each side.
QString KeyHint(const QString& keyName) {
    return QStringLiteral(
               "Move Cursor to the Desired Position and Press %1 Key to Get the Color Under Curor.")
        .arg(keyName);
}

QString PickHint(std::uint16_t virtualKey) {
    return KeyHint(KeyName(virtualKey));
}

// How long an overlay waits for pictures that no longer show the one before it.
constexpr int kFreshPictureWaits = 25;
constexpr int kFreshPictureWaitMs = 20;

// The hint of a pick taken on the pick overlay.
const QString kOverlayHint =
    QStringLiteral("Press SpaceBar Key, then Click the Desired Position to Get the Color There.");

} // namespace

EditorPicking::EditorPicking(PlatformServices services, QDialog& dialog, QLabel& locationHint,
                             QLabel& colorHint,
                             std::function<void(OverlayPick, QPoint, COLORREF)> picked,
                             std::function<void()> relaidOut)
    : m_services(services), m_dialog(dialog), m_stcLocationHint(locationHint),
      m_stcColorHint(colorHint), m_picked(std::move(picked)), m_relaidOut(std::move(relaidOut)) {}

EditorPicking::~EditorPicking() = default;

void EditorPicking::Start() {
    if (m_services.screen.Mechanisms().keys == PickKeys::HotKeys) {
        m_wLocationKey = RegisterPickHotKey(m_stcLocationHint, m_locationKey);
        m_wColorKey = RegisterPickHotKey(m_stcColorHint, m_colorKey);
    } else {
        BindDesktopPickKeys();
    }
}

void EditorPicking::Stop() {
    m_locationKey.reset();
    m_colorKey.reset();
    m_desktopKeys.reset();
    m_sLocationTrigger.clear();
    m_sColorTrigger.clear();
    m_overlay.reset();
    m_overlaidFrames.clear();
    m_wLocationKey = 0;
    m_wColorKey = 0;
}

std::uint16_t
EditorPicking::RegisterPickHotKey(QLabel& hint,
                                  std::unique_ptr<IHotKeyRegistration>& registration) {
    for (const std::uint16_t key : kPickKeys) {
        registration = m_services.hotKeys.RegisterHotKey(
            key, [this](std::uint16_t pressed) { OnHotKey(pressed); });
        if (registration) {
            hint.setText(PickHint(key));
            return key;
        }
    }
    hint.setText(PickHint(0));
    return 0;
}

void EditorPicking::BindDesktopPickKeys() {
    // Until the desktop names the keys (it may ask the user first), the overlay picks.
    ShowDesktopPickHints();
    if (m_services.screen.Mechanisms().keys != PickKeys::GlobalShortcuts)
        return;
    m_desktopKeys = m_services.hotKeys.BindPickShortcuts(
        {[this](const QString& location, const QString& color) {
             m_sLocationTrigger = location;
             m_sColorTrigger = color;
             ShowDesktopPickHints();
         },
         [this](PickAction action) {
             // As a function key does: the click of the pick's button, posted.
             PostCommand(&m_dialog, action == PickAction::Location ? IDC_LOCATION_UNDER_CURSOR
                                                                   : IDC_COLOR_UNDER_CURSOR);
         }});
}

void EditorPicking::ShowDesktopPickHints() {
    const auto hint = [](const QString& trigger) {
        return trigger.isEmpty() ? kOverlayHint : KeyHint(QStringLiteral(" %1 ").arg(trigger));
    };
    m_stcLocationHint.setText(hint(m_sLocationTrigger));
    m_stcColorHint.setText(hint(m_sColorTrigger));
    m_relaidOut();
}

bool EditorPicking::PicksOnOverlay(PickAction action) const {
    if (m_services.screen.Mechanisms().keys == PickKeys::HotKeys)
        return false;
    return (action == PickAction::Location ? m_sLocationTrigger : m_sColorTrigger).isEmpty();
}

void EditorPicking::OpenPickOverlay(OverlayPick clickPicks, int waited) {
    if (m_overlay || !m_dialog.isVisible())
        return;
    const std::vector<MonitorStill> stills = m_services.screen.Stills();
    // Just after an overlay closed, the newest pictures may still show it: the next ones come
    // as soon as the desktop has drawn the screen without it.
    const bool showsOverlay = std::any_of(stills.begin(), stills.end(), [&](const auto& still) {
        return std::count(m_overlaidFrames.begin(), m_overlaidFrames.end(), still.frame) > 0;
    });
    if (showsOverlay && waited < kFreshPictureWaits) {
        QTimer::singleShot(kFreshPictureWaitMs, &m_dialog,
                           [this, clickPicks, waited] { OpenPickOverlay(clickPicks, waited + 1); });
        return;
    }
    m_overlaidFrames.clear();
    if (stills.empty()) {
        m_services.messageBox.MessageBox(
            &m_dialog,
            QStringLiteral("Could not get a Picture of the Screen to Pick From. Share the Screen "
                           "with Tintwatch and Try Again."),
            MbButtons::Ok, MbIcon::Error);
        return;
    }
    m_overlay = std::make_unique<PickOverlay>(
        stills, clickPicks, &m_dialog, [this](std::optional<OverlayResult> result) {
            if (!m_overlay)
                return; // the dialog closed meanwhile
            m_overlay.reset();
            // Held, so that they are not refilled: the next overlay tells them apart.
            for (const MonitorStill& still : m_services.screen.Stills())
                m_overlaidFrames.push_back(still.frame);
            if (result) // else cancelled: nothing changes
                m_picked(result->pick, result->location, result->colour);
        });
}

void EditorPicking::OnHotKey(std::uint16_t virtualKey) {
    if (virtualKey == 0)
        return;
    if (virtualKey == m_wLocationKey)
        PostCommand(&m_dialog, IDC_LOCATION_UNDER_CURSOR);
    else if (virtualKey == m_wColorKey)
        PostCommand(&m_dialog, IDC_COLOR_UNDER_CURSOR);
}

bool EditorPicking::TakePick(COLORREF colour, PickAction action) {
    QLabel& hint = action == PickAction::Location ? m_stcLocationHint : m_stcColorHint;
    const std::uint16_t key = action == PickAction::Location ? m_wLocationKey : m_wColorKey;
    // The file keeps 8 bits a channel, so an unreadable point would come back as white and
    // differ from every later reading: refused, and the hint says so until a pick succeeds.
    if (colour == kUnreadablePixel) {
        // The desktop may keep whole monitors from the program: say which.
        const std::vector<QString> left = m_services.screen.UnsharedMonitors();
        hint.setText(
            UnreadableHint(key) +
            (left.empty()
                 ? QString()
                 : QStringLiteral(" The Desktop Does Not Share %1.")
                       .arg(QStringList(left.begin(), left.end()).join(QStringLiteral(", ")))));
        m_relaidOut();
        return false;
    }
    if (m_services.screen.Mechanisms().keys == PickKeys::HotKeys)
        hint.setText(PickHint(key));
    else
        ShowDesktopPickHints();
    return true;
}
