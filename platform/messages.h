#pragma once
// Message numbers that travel through the event loop: the mouse messages
// that tray icons report, and the suite's private messages.

#include <cstdint>

namespace zelvor::msg {

// Mouse messages, as notification icons report them in the low word of lParam.
inline constexpr std::uint32_t MouseMove = 0x0200;
inline constexpr std::uint32_t LeftDown = 0x0201;
inline constexpr std::uint32_t LeftUp = 0x0202;
inline constexpr std::uint32_t LeftDoubleClick = 0x0203;
inline constexpr std::uint32_t RightDown = 0x0204;
inline constexpr std::uint32_t RightUp = 0x0205;
inline constexpr std::uint32_t RightDoubleClick = 0x0206;
inline constexpr std::uint32_t MiddleDown = 0x0207;
inline constexpr std::uint32_t MiddleUp = 0x0208;
inline constexpr std::uint32_t MiddleDoubleClick = 0x0209;

// A menu item was chosen (wParam: command id). Posted by the menu host.
inline constexpr std::uint32_t Command = 0x0111;
// A pop-up menu closed, chosen or not (wParam: 1 when an item was chosen).
inline constexpr std::uint32_t MenuClosed = 0x0212;
// A registered hotkey was pressed (wParam: hotkey id).
inline constexpr std::uint32_t HotKey = 0x0312;
// The session is ending (answer: whether the suite lets it).
inline constexpr std::uint32_t QueryEndSession = 0x0011;

// Private messages of the main window.
inline constexpr std::uint32_t TrayIcon = 1124;  // wParam icon id, lParam mouse message
inline constexpr std::uint32_t ConfigClosed = 1134;
inline constexpr std::uint32_t AboutClosed = 1135;
inline constexpr std::uint32_t Ignored1136 = 1136;
inline constexpr std::uint32_t SystemInfoClosed = 1137;
inline constexpr std::uint32_t DiaryClosed = 1138;
inline constexpr std::uint32_t TipClosed = 1139;
inline constexpr std::uint32_t AutoCloseClosed = 1140;
inline constexpr std::uint32_t UpdateClosed = 1142;
inline constexpr std::uint32_t AutoDialerClosed = 1143;
inline constexpr std::uint32_t ShowProductMenu = 1324;
// Thread message: a dial-up connection has just been established.
inline constexpr std::uint32_t ConnectionUp = 1225;
// Thread message to the icon-blink worker: stop.
inline constexpr std::uint32_t StopBlink = 1226;

// Private messages of this implementation (numbers no other message uses).
// A request of another process arrived over the instance channel (wParam:
// the request number to read and answer through SingleInstance).
inline constexpr std::uint32_t ControlRequest = 1340;
// From the icon-blink worker (wParam icon id, lParam 1 blink image, 0 normal).
inline constexpr std::uint32_t BlinkStep = 1341;
// A dial's progress (see platform/dialer.h: wParam handle, lParam error and step).
inline constexpr std::uint32_t DialProgress = 1342;
// The connection control's own: start the next dial attempt.
inline constexpr std::uint32_t DialRetry = 1343;

}  // namespace zelvor::msg
