#include "win32_calls.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace win32 {

ScreenDc::ScreenDc() : m_hDc(GetDC(nullptr)) {}

ScreenDc::~ScreenDc() {
    if (m_hDc)
        ReleaseDC(nullptr, static_cast<HDC>(m_hDc));
}

std::optional<std::uint32_t> ScreenDc::Pixel(int x, int y) const {
    if (!m_hDc)
        return std::nullopt;
    const ::COLORREF colour = GetPixel(static_cast<HDC>(m_hDc), x, y);
    if (colour == CLR_INVALID)
        return std::nullopt;
    return static_cast<std::uint32_t>(colour & 0x00FFFFFFu);
}

std::optional<ScreenPoint> CursorPos() {
    POINT point{};
    if (!GetCursorPos(&point))
        return std::nullopt;
    return ScreenPoint{point.x, point.y};
}

void MoveCursorTo(ScreenPoint point) {
    SetCursorPos(point.x, point.y);
}

ScreenPoint VirtualScreenSize() {
    return {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool RegisterThreadHotKey(int id, std::uint16_t virtualKey) {
    return RegisterHotKey(nullptr, id, MOD_NOREPEAT, virtualKey) != FALSE;
}

void UnregisterThreadHotKey(int id) {
    UnregisterHotKey(nullptr, id);
}

std::optional<int> HotKeyIdOf(const QByteArray& eventType, const void* message) {
    // Thread messages reach Qt's event dispatcher, window messages its windows.
    if (!message || (eventType != "windows_dispatcher_MSG" && eventType != "windows_generic_MSG"))
        return std::nullopt;
    const auto* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_HOTKEY)
        return std::nullopt;
    return static_cast<int>(msg->wParam);
}

bool SoundBeep(std::uint32_t frequencyHz, std::uint32_t durationMs) {
    return Beep(frequencyHz, durationMs) != FALSE;
}

bool ShellExecuteVerb(const QString& verb, const QString& file) {
    const std::wstring wideVerb = verb.toStdWString();
    const std::wstring wideFile = file.toStdWString();
    const HINSTANCE result =
        ShellExecuteW(nullptr, wideVerb.c_str(), wideFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // Values above 32 mean success; the rest are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

QString WindowsFolder() {
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return QString::fromWCharArray(buffer, static_cast<int>(length));
}

} // namespace win32
