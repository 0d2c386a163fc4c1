// Where things lie on the profile manager panel, in its client coordinates,
// and which of its buttons a release at a point falls on.
#pragma once

namespace orvane {

struct ConfigurePoint {
    int x, y;
};

inline constexpr ConfigurePoint kConfigureTitle{10, 10};
inline constexpr int kConfigureTitleHeight = 15;
inline constexpr ConfigurePoint kConfigureCloseButton{247, 10};
inline constexpr ConfigurePoint kConfigureNewButton{13, 575};
inline constexpr ConfigurePoint kConfigureNewLabel{30, 578};
inline constexpr ConfigurePoint kConfigureDeleteButton{183, 575};
inline constexpr ConfigurePoint kConfigureDeleteLabel{200, 578};
inline constexpr int kConfigureLabelHeight = 16;

// The profile list.
inline constexpr ConfigurePoint kConfigureList{1, 34};
inline constexpr int kConfigureListWidth = 260;
inline constexpr int kConfigureListHeight = 540;
inline constexpr int kConfigureListFontHeight = 15;

// The panel's size when its background picture is missing.
inline constexpr int kConfigureFallbackWidth = 264;
inline constexpr int kConfigureFallbackHeight = 632;

enum class ConfigureRegion { None, Close, New, Delete };

// Click regions of a left-button release; bounds are inclusive.
constexpr ConfigureRegion configureRegionAt(int x, int y) {
    const auto in = [x, y](int left, int top, int right, int bottom) {
        return x >= left && x <= right && y >= top && y <= bottom;
    };
    if (in(248, 11, 262, 24)) return ConfigureRegion::Close;
    if (in(14, 576, 79, 624)) return ConfigureRegion::New;
    if (in(184, 576, 249, 624)) return ConfigureRegion::Delete;
    return ConfigureRegion::None;
}

}  // namespace orvane
