#include "portal_screen.h"

#include "pipewire_cast.h"
#include "platform/profile.h"
#include "portal_pointer.h"
#include "portal_session.h"
#include "virtual_pointer.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {

const QString kSection = QStringLiteral("Settings");
// Lets a later start share the same monitors without asking the user again.
const QString kRestoreTokenEntry = QStringLiteral("ScreenShareToken");
// A monitor change comes as several events (output added, then placed and scaled).
constexpr int kScreensSettleMs = 500;
// GNOME ends the share as the monitors change, and Qt may hear of the change a little later.
constexpr int kStopGraceMs = 1500;

std::vector<KnownMonitor> KnownMonitors() {
    std::vector<KnownMonitor> known;
    for (const QScreen* screen : QGuiApplication::screens())
        known.push_back({screen->name(), screen->geometry()});
    return known;
}

} // namespace

PortalScreen::PortalScreen(IProfile& profile, std::unique_ptr<VirtualPointer> virtualPointer)
    : m_profile(profile), m_virtualPointer(std::move(virtualPointer)) {
    m_screensSettle.setSingleShot(true);
    m_screensSettle.setInterval(kScreensSettleMs);
    connect(&m_screensSettle, &QTimer::timeout, this, &PortalScreen::OnScreensSettled);
    m_stopGrace.setSingleShot(true);
    m_stopGrace.setInterval(kStopGraceMs);
    connect(&m_stopGrace, &QTimer::timeout, this, [this] {
        if (LayoutChanged())
            ShareAgain();
        else
            Report(ShareProblem::Stopped);
    });
    for (QScreen* screen : QGuiApplication::screens())
        WatchScreen(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        WatchScreen(screen);
        m_screensSettle.start();
    });
    connect(qApp, &QGuiApplication::screenRemoved, &m_screensSettle, qOverload<>(&QTimer::start));
}

void PortalScreen::WatchScreen(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, &m_screensSettle, qOverload<>(&QTimer::start));
}

bool PortalScreen::LayoutChanged() const {
    const std::vector<KnownMonitor> now = KnownMonitors();
    return !std::equal(now.begin(), now.end(), m_sharedLayout.begin(), m_sharedLayout.end(),
                       [](const KnownMonitor& a, const KnownMonitor& b) {
                           return a.name == b.name && a.area == b.area;
                       });
}

void PortalScreen::OnScreensSettled() {
    // While the desktop still asks, the answer will describe the monitors as they are then.
    if (!m_cast || !LayoutChanged())
        return;
    Stop();
    ShareAgain();
}

void PortalScreen::Offered(const PortalOffer& offer) {
    m_offer = offer;
    m_mechanisms = ChooseMechanisms(offer, m_virtualPointer != nullptr);
    if (m_mechanisms.move != PointerMove::VirtualPointer)
        m_virtualPointer.reset();
    ShareAgain();
}

PortalScreen::~PortalScreen() {
    // The stream thread stops before the frames it fills go.
    m_cast.reset();
}

COLORREF PortalScreen::GetPixel(int x, int y) {
    return m_store.PixelAt(x, y);
}

std::optional<QPoint> PortalScreen::GetCursorPos() {
    // Elsewhere only the pick overlay sees the pointer.
    if (m_mechanisms.position != PointerPosition::CursorMetadata)
        return std::nullopt;
    return m_store.Pointer();
}

void PortalScreen::ShowPointerAt(QPoint position, std::function<void(bool)> done) {
    if (m_mechanisms.move == PointerMove::RemoteDesktop) {
        if (!m_portalPointer)
            m_portalPointer = std::make_unique<PortalPointer>();
        // Desktops place the pointer within a stream in the stream's own pixels.
        const std::optional<StreamPoint> inStream = m_store.InStream(position);
        m_portalPointer->MoveTo(position, inStream ? std::optional(inStream->at) : std::nullopt,
                                std::move(done));
        return;
    }
    if (m_mechanisms.move == PointerMove::VirtualPointer && m_virtualPointer) {
        // The monitors' layout as the compositor told Qt (xdg-output), not a window position.
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen)
            m_virtualPointer->MoveTo(position, screen->virtualGeometry());
    }
    if (done)
        done(true);
}

QSize PortalScreen::VirtualScreenSize() {
    return m_store.VirtualSize();
}

bool PortalScreen::CanBeRead() {
    return m_cast && m_store.HasEveryFrame();
}

void PortalScreen::ShareAgain() {
    if (m_session || !m_offer)
        return;
    m_stopGrace.stop();
    const QString kept = m_profile.GetProfileString(kSection, kRestoreTokenEntry, QString());
    m_bRestoring = !kept.isEmpty();
    m_session = std::make_unique<PortalSession>(
        kept, PortalSessionOptions{ChooseCursorMode(*m_offer, m_mechanisms)},
        PortalSessionEvents{
            [this](int fd, std::vector<SharedMonitor> monitors, const QString& token) {
                OnReady(fd, std::move(monitors), token);
            },
            // Later: the session that reports it must not be destroyed inside its own call.
            [this](ShareProblem problem) {
                QMetaObject::invokeMethod(
                    this, [this, problem] { OnProblem(problem); }, Qt::QueuedConnection);
            }});
}

void PortalScreen::SetOnProblem(std::function<void(ShareProblem)> onProblem) {
    m_onProblem = std::move(onProblem);
    if (m_onProblem && m_unreported)
        m_onProblem(*std::exchange(m_unreported, std::nullopt));
}

void PortalScreen::OnReady(int fd, std::vector<SharedMonitor> monitors,
                           const QString& restoreToken) {
    // Each share gives a new token, valid once.
    if (!restoreToken.isEmpty())
        m_profile.WriteProfileString(kSection, kRestoreTokenEntry, restoreToken);
    std::vector<QRect> areas;
    std::vector<std::uint32_t> nodes;
    for (const SharedMonitor& monitor : monitors) {
        areas.push_back(monitor.area);
        nodes.push_back(monitor.node);
    }
    m_store.SetOutputs(areas);
    m_sharedLayout = KnownMonitors();
    m_unshared = MonitorsLeftOut(monitors, m_sharedLayout);
    // The end is reported from the stream thread, and the session calls this: either way the
    // share is taken down later, on the UI thread.
    const auto report = [this](ShareProblem problem) {
        QMetaObject::invokeMethod(
            this, [this, problem] { OnProblem(problem); }, Qt::QueuedConnection);
    };
    m_cast = PipeWireCast::Open(fd, nodes, m_store, [report] { report(ShareProblem::Stopped); });
    if (!m_cast)
        report(ShareProblem::Failed);
}

void PortalScreen::OnProblem(ShareProblem problem) {
    // A stream and its session end together; the second report of one end is no news.
    if (!m_session)
        return;
    const bool wasStreaming = m_cast != nullptr;
    Stop();
    // A token the portal will not take would fail every later share the same way.
    if (problem == ShareProblem::Error && m_bRestoring)
        m_profile.WriteProfileString(kSection, kRestoreTokenEntry, QString());
    if (problem == ShareProblem::Stopped && wasStreaming)
        return m_stopGrace.start();
    Report(problem);
}

void PortalScreen::Report(ShareProblem problem) {
    if (m_onProblem)
        m_onProblem(problem);
    else
        m_unreported = problem;
}

void PortalScreen::Stop() {
    m_cast.reset();
    m_session.reset();
    m_store.SetOutputs({});
    m_unshared.clear();
}
