// The main window's own texts: its title, the balloon of a missing keyboard
// and the help window's web address.
#pragma once

namespace orvane {

inline constexpr const char16_t* kWindowTitle = u"Korvath Inkshade Spectrel Customization Utility";
inline constexpr const char16_t* kNoKeyboardBalloon = u"No Gaming Keyboard Detected!";
inline constexpr const char16_t* kBalloonTitle = u"Warning";
// Shown in the help window and opened by its first row.
inline constexpr const char* kHelpWebAddress = "https://www.orvane.example/";

}  // namespace orvane
