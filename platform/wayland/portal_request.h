// One call of the desktop portal that answers later through a Request object's Response
// signal. The answer is subscribed to before the call, so it cannot be missed.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>
#include <functional>

struct PortalResponse {
    // The portal's code: 0 granted, 1 refused by the user, 2 ended otherwise; -1 when the
    // call itself failed or the portal left the bus before answering (then `error` holds the
    // D-Bus error name).
    int code = -1;
    QVariantMap results;
    QString error;
};

class PortalRequest : public QObject {
    Q_OBJECT
public:
    // Calls `method` of portal interface `interface` with `arguments` followed by `options`
    // (given a fresh handle_token); `onDone` runs once on the UI thread, unless `owner` is gone
    // by then.
    static void Send(QDBusConnection bus, const QString& interface, const QString& method,
                     QVariantList arguments, QVariantMap options, QObject* owner,
                     std::function<void(const PortalResponse&)> onDone);

    // The session a CreateSession answered with, which portals send as a string or as an
    // object path; empty when there is none.
    static QString SessionHandleOf(const PortalResponse& response);
    // Closes session `handle` on the desktop's side, its Closed signal no longer reaching
    // `receiver`'s `closedSlot`; nothing without a handle or a bus.
    static void CloseSession(QDBusConnection& bus, const QString& handle, QObject* receiver,
                             const char* closedSlot);

    // A token unique within this process, as the portal's handle tokens must be.
    static QString NewToken();

private slots:
    void OnResponse(uint code, const QVariantMap& results);

private:
    PortalRequest(QDBusConnection bus, QObject* owner,
                  std::function<void(const PortalResponse&)> onDone);
    bool Listen(const QString& path);
    void Finish(const PortalResponse& response);

    QDBusConnection m_bus;
    QString m_path;
    std::function<void(const PortalResponse&)> m_onDone;
};
