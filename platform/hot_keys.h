// Desktop-wide hot keys without modifiers.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

// Virtual-key codes of the function keys that the pickers use.
inline constexpr std::uint16_t VK_F6 = 0x75;
inline constexpr std::uint16_t VK_F7 = 0x76;
inline constexpr std::uint16_t VK_F8 = 0x77;
inline constexpr std::uint16_t VK_F9 = 0x78;

// Holds one key for as long as it lives; releasing it frees the key for other programs.
class IHotKeyRegistration {
public:
    virtual ~IHotKeyRegistration() = default;
};

// The editor's two picks, as a desktop that binds keys itself knows them.
enum class PickAction { Location, Color };

struct PickShortcutEvents {
    // The keys the desktop assigned, as it names them; empty for a pick it left without a key.
    // Runs each time the assignment changes.
    std::function<void(const QString& location, const QString& color)> assigned;
    // A press of an assigned key.
    std::function<void(PickAction)> pressed;
};

class IHotKeys {
public:
    virtual ~IHotKeys() = default;
    // Grabs `virtualKey` for the whole desktop, whatever the lock keys. `onPressed` runs on the
    // UI thread with the key's code at each press while the registration lives. Returns
    // nullptr when the key is held by this or another program, or there is no display.
    virtual std::unique_ptr<IHotKeyRegistration>
    RegisterHotKey(std::uint16_t virtualKey, std::function<void(std::uint16_t)> onPressed) = 0;
    // Asks the desktop's shortcut service to bind both picks, F6 and F7 preferred; the desktop
    // may ask the user and assign other keys. The events run on the UI thread while the
    // returned registration lives. nullptr where keys are grabbed one by one (RegisterHotKey).
    virtual std::unique_ptr<IHotKeyRegistration> BindPickShortcuts(PickShortcutEvents /*events*/) {
        return nullptr;
    }
};
