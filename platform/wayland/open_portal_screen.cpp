#include "open_portal_screen.h"

#include "dbus_portal_properties.h"
#include "portal_registry.h"
#include "virtual_pointer.h"

std::unique_ptr<PortalScreen> OpenPortalScreen(IProfile& profile) {
    // Before anything else is asked of the portal, which then knows the program by its id.
    RegisterWithPortal(QDBusConnection::sessionBus());
    DBusPortalProperties portal(QDBusConnection::sessionBus());
    std::unique_ptr<VirtualPointer> virtualPointer = VirtualPointer::Create();
    const PointerMechanisms mechanisms =
        ChooseMechanisms(ReadPortalOffer(portal), virtualPointer != nullptr);
    if (mechanisms.move != PointerMove::VirtualPointer)
        virtualPointer.reset();
    return std::make_unique<PortalScreen>(profile, mechanisms, std::move(virtualPointer));
}
