#include "open_portal_screen.h"

#include "dbus_portal_properties.h"
#include "portal_registry.h"
#include "virtual_pointer.h"

std::unique_ptr<PortalScreen> OpenPortalScreen(IProfile& profile) {
    // Before anything else is asked of the portal, which then knows the program by its id.
    RegisterWithPortal(QDBusConnection::sessionBus());
    auto screen = std::make_unique<PortalScreen>(profile, VirtualPointer::Create());
    ReadPortalOffer(QDBusConnection::sessionBus(), screen.get(),
                    [raw = screen.get()](const PortalOffer& offer) { raw->Offered(offer); });
    return screen;
}
