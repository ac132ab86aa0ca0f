#include "portal_hot_keys.h"

#include "portal_names.h"
#include "portal_request.h"

#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>

namespace {

// a(sa{sv}): each shortcut's id and its properties.
using Shortcut = QPair<QString, QVariantMap>;
using Shortcuts = QList<Shortcut>;

const QString kLocationShortcut = QStringLiteral("pick-location");
const QString kColorShortcut = QStringLiteral("pick-color");

Shortcuts PickShortcuts() {
    const auto shortcut = [](const char* description, const char* key) {
        return QVariantMap{{QStringLiteral("description"), QString::fromLatin1(description)},
                           {QStringLiteral("preferred_trigger"), QString::fromLatin1(key)}};
    };
    return {{kLocationShortcut, shortcut("Get the Location and its Color Under Cursor", "F6")},
            {kColorShortcut, shortcut("Get the Target Color Under Cursor", "F7")}};
}

} // namespace

PortalPickShortcuts::PortalPickShortcuts(PickShortcutEvents events)
    : m_bus(QDBusConnection::sessionBus()), m_events(std::move(events)) {
    qDBusRegisterMetaType<Shortcut>();
    qDBusRegisterMetaType<Shortcuts>();
    if (!m_bus.isConnected())
        return;
    // Listened to before anything is bound, so that no press is missed.
    m_bus.connect(kPortalService, kPortalPath, kGlobalShortcutsInterface,
                  QStringLiteral("Activated"), this, SLOT(OnActivated(QDBusMessage)));
    m_bus.connect(kPortalService, kPortalPath, kGlobalShortcutsInterface,
                  QStringLiteral("ShortcutsChanged"), this, SLOT(OnShortcutsChanged(QDBusMessage)));
    // The same token at every start: the desktop keeps the keys the user chose under it, and
    // asks no more. Plasma 5.27 binds only the shortcuts given here.
    const QVariantMap options{{QStringLiteral("session_handle_token"), QStringLiteral("tintwatch")},
                              {QStringLiteral("shortcuts"), QVariant::fromValue(PickShortcuts())}};
    PortalRequest::Send(m_bus, kGlobalShortcutsInterface, QStringLiteral("CreateSession"), {},
                        options, this, [this](const PortalResponse& response) {
                            m_handle = PortalRequest::SessionHandleOf(response);
                            // Refused or failed: the picks stay on the overlay.
                            if (response.code == 0 && !m_handle.isEmpty())
                                BindUnlessBound();
                        });
}

void PortalPickShortcuts::BindUnlessBound() {
    // Bound already by CreateSession (Plasma 5.27), binding again would ask the user again.
    PortalRequest::Send(m_bus, kGlobalShortcutsInterface, QStringLiteral("ListShortcuts"),
                        {QVariant::fromValue(QDBusObjectPath(m_handle))}, {}, this,
                        [this](const PortalResponse& response) {
                            const QVariant listed =
                                response.results.value(QStringLiteral("shortcuts"));
                            if (response.code == 0 && !qdbus_cast<Shortcuts>(listed).isEmpty())
                                Assign(listed);
                            else
                                Bind();
                        });
}

PortalPickShortcuts::~PortalPickShortcuts() {
    if (!m_bus.isConnected())
        return;
    m_bus.disconnect(kPortalService, kPortalPath, kGlobalShortcutsInterface,
                     QStringLiteral("Activated"), this, SLOT(OnActivated(QDBusMessage)));
    m_bus.disconnect(kPortalService, kPortalPath, kGlobalShortcutsInterface,
                     QStringLiteral("ShortcutsChanged"), this,
                     SLOT(OnShortcutsChanged(QDBusMessage)));
    if (!m_handle.isEmpty())
        m_bus.asyncCall(QDBusMessage::createMethodCall(kPortalService, m_handle, kSessionInterface,
                                                       QStringLiteral("Close")));
}

void PortalPickShortcuts::Bind() {
    // The desktop may show its own dialog first, where the user sets the keys.
    PortalRequest::Send(m_bus, kGlobalShortcutsInterface, QStringLiteral("BindShortcuts"),
                        {QVariant::fromValue(QDBusObjectPath(m_handle)),
                         QVariant::fromValue(PickShortcuts()), QString()},
                        {}, this, [this](const PortalResponse& response) {
                            if (response.code == 0)
                                Assign(response.results.value(QStringLiteral("shortcuts")));
                        });
}

void PortalPickShortcuts::Assign(const QVariant& shortcuts) {
    QString location, color;
    for (const auto& [id, properties] : qdbus_cast<Shortcuts>(shortcuts)) {
        const QString trigger = properties.value(QStringLiteral("trigger_description")).toString();
        if (id == kLocationShortcut)
            location = trigger;
        else if (id == kColorShortcut)
            color = trigger;
    }
    m_events.assigned(location, color);
}

void PortalPickShortcuts::OnActivated(const QDBusMessage& message) {
    const QVariantList arguments = message.arguments();
    if (arguments.size() < 2 || arguments[0].value<QDBusObjectPath>().path() != m_handle)
        return;
    const QString id = arguments[1].toString();
    if (id == kLocationShortcut)
        m_events.pressed(PickAction::Location);
    else if (id == kColorShortcut)
        m_events.pressed(PickAction::Color);
}

void PortalPickShortcuts::OnShortcutsChanged(const QDBusMessage& message) {
    const QVariantList arguments = message.arguments();
    if (arguments.size() >= 2 && arguments[0].value<QDBusObjectPath>().path() == m_handle)
        Assign(arguments[1]);
}
