#include "virtual_pointer.h"

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <QSocketNotifier>
#include <wayland-client.h>

#include <chrono>
#include <cstring>

VirtualPointer::VirtualPointer(Private) {}

std::unique_ptr<VirtualPointer> VirtualPointer::Create() {
    auto pointer = std::make_unique<VirtualPointer>(Private{});
    pointer->m_display = {wl_display_connect(nullptr), &wl_display_disconnect};
    if (!pointer->m_display)
        return nullptr;
    pointer->m_registry = {wl_display_get_registry(pointer->m_display.get()), &wl_registry_destroy};
    static const wl_registry_listener listener{&VirtualPointer::OnGlobal,
                                               &VirtualPointer::OnGlobalRemove};
    wl_registry_add_listener(pointer->m_registry.get(), &listener, pointer.get());
    if (wl_display_roundtrip(pointer->m_display.get()) < 0 || !pointer->m_manager)
        return nullptr;
    // No seat named: the compositor gives the device to its default seat.
    pointer->m_pointer = {
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(pointer->m_manager.get(), nullptr),
        &zwlr_virtual_pointer_v1_destroy};
    if (!pointer->m_pointer || wl_display_roundtrip(pointer->m_display.get()) < 0)
        return nullptr;
    pointer->m_notifier = std::make_unique<QSocketNotifier>(
        wl_display_get_fd(pointer->m_display.get()), QSocketNotifier::Read);
    connect(pointer->m_notifier.get(), &QSocketNotifier::activated, pointer.get(),
            &VirtualPointer::Dispatch);
    return pointer;
}

VirtualPointer::~VirtualPointer() {
    // The protocol objects go before the connection they live on.
    m_notifier.reset();
    m_pointer.reset();
    m_manager.reset();
    m_registry.reset();
    if (m_display)
        wl_display_flush(m_display.get());
}

void VirtualPointer::OnGlobal(void* self, wl_registry* registry, std::uint32_t name,
                              const char* interface, std::uint32_t) {
    auto& pointer = *static_cast<VirtualPointer*>(self);
    if (pointer.m_manager ||
        std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) != 0)
        return;
    pointer.m_manager = {static_cast<zwlr_virtual_pointer_manager_v1*>(wl_registry_bind(
                             registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1)),
                         &zwlr_virtual_pointer_manager_v1_destroy};
}

void VirtualPointer::OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}

void VirtualPointer::MoveTo(QPoint point, QRect layout) {
    if (!layout.contains(point))
        return;
    const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    zwlr_virtual_pointer_v1_motion_absolute(
        m_pointer.get(), static_cast<std::uint32_t>(now.count()),
        static_cast<std::uint32_t>(point.x() - layout.x()),
        static_cast<std::uint32_t>(point.y() - layout.y()),
        static_cast<std::uint32_t>(layout.width()), static_cast<std::uint32_t>(layout.height()));
    zwlr_virtual_pointer_v1_frame(m_pointer.get());
    wl_display_flush(m_display.get());
}

void VirtualPointer::Dispatch() {
    // The compositor is gone: nothing more will come, and nothing can be moved.
    if (wl_display_dispatch(m_display.get()) < 0)
        m_notifier->setEnabled(false);
}
