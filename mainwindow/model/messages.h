// The main window's private message numbers and the mouse codes the tray
// callback carries. The window's handleMessage is its message table.
#pragma once

namespace orvane {

inline constexpr int kMessageTrayCallback = 0x405;
inline constexpr int kMessageBalloon = 0x406;
inline constexpr int kBalloonNoKeyboard = 15;  // the only wParam 0x406 acts on
inline constexpr int kTrayLeftDoubleClick = 0x203;
inline constexpr int kTrayRightButtonDown = 0x204;
inline constexpr int kCommandExit = 32772;

inline constexpr const char16_t* kWindowTitle = u"Korvath Inkshade Spectrel Customization Utility";
inline constexpr const char16_t* kNoKeyboardBalloon = u"No Gaming Keyboard Detected!";
inline constexpr const char16_t* kBalloonTitle = u"Warning";

}  // namespace orvane
