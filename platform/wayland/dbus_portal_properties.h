// The desktop portal's properties, read over the session bus.
#pragma once

#include "portal_offer.h"

#include <QDBusConnection>

class DBusPortalProperties : public IPortalProperties {
public:
    explicit DBusPortalProperties(QDBusConnection bus) : m_bus(std::move(bus)) {}
    // Waits for the answer: the first read may start the portal, which takes a moment.
    std::optional<unsigned> Read(const QString& interface, const QString& name) override;

private:
    QDBusConnection m_bus;
};
