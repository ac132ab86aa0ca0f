// A pointer device of the program's own on a wlroots desktop (zwlr_virtual_pointer_v1), which
// moves the seat's pointer where it is told. One lives as long as the program: on a desktop
// without a mouse (a headless sway) the seat has a pointer only while some virtual one exists.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <memory>

class QSocketNotifier;
struct wl_display;
struct wl_registry;
struct zwlr_virtual_pointer_manager_v1;
struct zwlr_virtual_pointer_v1;

class VirtualPointer : public QObject {
    struct Private {};

public:
    explicit VirtualPointer(Private);
    // nullptr when there is no Wayland display or it offers no virtual pointers.
    static std::unique_ptr<VirtualPointer> Create();
    ~VirtualPointer() override;
    VirtualPointer(const VirtualPointer&) = delete;
    VirtualPointer& operator=(const VirtualPointer&) = delete;

    // Moves the pointer to `point` of the desktop whose monitors together span `layout`.
    void MoveTo(QPoint point, QRect layout);

private:
    static void OnGlobal(void* self, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    static void OnGlobalRemove(void* self, wl_registry* registry, std::uint32_t name);
    void Dispatch();

    // Our own connection: the device must not depend on Qt's, whose internals are private.
    std::unique_ptr<wl_display, void (*)(wl_display*)> m_display{nullptr, nullptr};
    std::unique_ptr<wl_registry, void (*)(wl_registry*)> m_registry{nullptr, nullptr};
    std::unique_ptr<zwlr_virtual_pointer_manager_v1, void (*)(zwlr_virtual_pointer_manager_v1*)>
        m_manager{nullptr, nullptr};
    std::unique_ptr<zwlr_virtual_pointer_v1, void (*)(zwlr_virtual_pointer_v1*)> m_pointer{nullptr,
                                                                                           nullptr};
    // Drains what the compositor sends, so its buffer for us never fills.
    std::unique_ptr<QSocketNotifier> m_notifier;
};
