// The Win32 calls of the Windows backends, behind plain types. <windows.h> defines names the
// program defines too (COLORREF, RGB, VK_F6 ...), so only win32_calls.cpp includes it.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace win32 {

// The screen's device context, released when its owner goes.
class ScreenDc {
public:
    ScreenDc();
    ~ScreenDc();
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;

    // GetPixel at (x, y) of the virtual screen, as 0x00BBGGRR; nullopt where the point lies on
    // no monitor or the read fails.
    std::optional<std::uint32_t> Pixel(int x, int y) const;

private:
    void* m_hDc;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

std::optional<ScreenPoint> CursorPos();
void MoveCursorTo(ScreenPoint point);
// Width and height of the rectangle around every monitor.
ScreenPoint VirtualScreenSize();

// Registers `virtualKey`, without modifiers and without repeats while held, for this thread
// under `id`; false when this or another program holds it.
bool RegisterThreadHotKey(int id, std::uint16_t virtualKey);
void UnregisterThreadHotKey(int id);
// The id of the hot key a native event of Qt's reports; nullopt for every other event.
std::optional<int> HotKeyIdOf(const QByteArray& eventType, const void* message);

// The speaker's tone; blocks for its duration. False when the system cannot sound it.
bool SoundBeep(std::uint32_t frequencyHz, std::uint32_t durationMs);

// ShellExecuteW with a verb ("open", "edit", "print", "explore") on a file or an address;
// whether the shell started something.
bool ShellExecuteVerb(const QString& verb, const QString& file);

// The Windows folder as the system gives it ("C:\Windows"); empty when unknown.
QString WindowsFolder();

} // namespace win32
