// The screen of a Wayland desktop, read through its screen-cast portal: every monitor streams
// its pictures into memory, and pixels are read from the newest ones without a round trip.
// The pointer cannot be read or moved this way.
#pragma once

#include "frame_store.h"
#include "platform/screen.h"
#include "platform/screen_share.h"

#include <QObject>
#include <memory>

class IProfile;
class PipeWireCast;
class PortalSession;
struct SharedMonitor;

class PortalScreen : public QObject, public IScreen, public IScreenShare {
public:
    // Asks the desktop for its screen at once, with the restore token kept in `profile` by an
    // earlier share so that the desktop need not ask the user again.
    explicit PortalScreen(IProfile& profile);
    ~PortalScreen() override;
    PortalScreen(const PortalScreen&) = delete;
    PortalScreen& operator=(const PortalScreen&) = delete;

    COLORREF GetPixel(int x, int y) override;
    std::optional<QPoint> GetCursorPos() override;
    void SetCursorPos(QPoint position) override;
    QSize VirtualScreenSize() override;
    bool CanBeRead() override;

    void ShareAgain() override;
    void SetOnProblem(std::function<void(ShareProblem)> onProblem) override;

private:
    void OnReady(int fd, std::vector<SharedMonitor> monitors, const QString& restoreToken);
    void OnProblem(ShareProblem problem);
    void Stop();

    IProfile& m_profile;
    FrameStore m_store;
    std::unique_ptr<PortalSession> m_session;
    std::unique_ptr<PipeWireCast> m_cast;
    std::function<void(ShareProblem)> m_onProblem;
    // A problem from before anyone listened, told to the first listener.
    std::optional<ShareProblem> m_unreported;
};
