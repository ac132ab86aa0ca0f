// The screen of a Wayland desktop, read through its screen-cast portal: every monitor streams
// its pictures into memory, and pixels are read from the newest ones without a round trip.
// The pointer is reached only by the mechanisms the desktop offers.
#pragma once

#include "frame_store.h"
#include "platform/screen.h"
#include "platform/screen_share.h"
#include "portal_offer.h"

#include <QObject>
#include <QTimer>
#include <memory>

class IProfile;
class PipeWireCast;
class PortalPointer;
class PortalSession;
class QScreen;
class VirtualPointer;
struct KnownMonitor;
struct SharedMonitor;

class PortalScreen : public QObject, public IScreen, public IScreenShare {
public:
    // Nothing is shared, and nothing reaches the pointer, until the portal's offer is known.
    // `virtualPointer` (may be nullptr) moves the pointer when the offer has nothing better.
    PortalScreen(IProfile& profile, std::unique_ptr<VirtualPointer> virtualPointer);
    ~PortalScreen() override;
    PortalScreen(const PortalScreen&) = delete;
    PortalScreen& operator=(const PortalScreen&) = delete;

    COLORREF GetPixel(int x, int y) override;
    std::optional<QPoint> GetCursorPos() override;
    void SetCursorPos(QPoint position) override { ShowPointerAt(position, nullptr); }
    void ShowPointerAt(QPoint position, std::function<void(bool)> done) override;
    QSize VirtualScreenSize() override;
    bool CanBeRead() override;
    PointerMechanisms Mechanisms() override { return m_mechanisms; }
    std::vector<MonitorStill> Stills() override { return m_store.Stills(); }
    std::vector<QString> UnsharedMonitors() override { return m_unshared; }

    // Chooses the mechanisms from what the portal offers, and asks the desktop for its screen,
    // with the restore token kept in the profile by an earlier share so that the desktop need
    // not ask the user again.
    void Offered(const PortalOffer& offer);

    void ShareAgain() override;
    void SetOnProblem(std::function<void(ShareProblem)> onProblem) override;

private:
    void OnReady(int fd, std::vector<SharedMonitor> monitors, const QString& restoreToken);
    void OnProblem(ShareProblem problem);
    void Report(ShareProblem problem);
    void Stop();
    // Monitors added, removed, moved or rescaled: the share's streams and areas no longer
    // match (GNOME even ends the share), so it is asked for again, with the restore token.
    void WatchScreen(QScreen* screen);
    void OnScreensSettled();
    bool LayoutChanged() const;

    IProfile& m_profile;
    std::optional<PortalOffer> m_offer;
    // Until the offer is known: the overlay and the marker, which need nothing of the desktop.
    PointerMechanisms m_mechanisms{PickKeys::Overlay, PointerPosition::Overlay,
                                   PointerMove::Marker};
    std::unique_ptr<VirtualPointer> m_virtualPointer;
    std::unique_ptr<PortalPointer> m_portalPointer; // asked for at the first move
    FrameStore m_store;
    std::unique_ptr<PortalSession> m_session;
    bool m_bRestoring = false; // the session was asked for with a restore token
    std::unique_ptr<PipeWireCast> m_cast;
    std::vector<KnownMonitor> m_sharedLayout; // the monitors as they were at the share
    std::vector<QString> m_unshared;
    QTimer m_screensSettle;
    // An end of the share is told only once it is clear that no monitor change caused it.
    QTimer m_stopGrace;
    std::function<void(ShareProblem)> m_onProblem;
    // A problem from before anyone listened, told to the first listener.
    std::optional<ShareProblem> m_unreported;
};
