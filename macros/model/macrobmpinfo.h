// The macro manager's clickable regions: rectangle (bounds included), the
// images of its two looks and the state that picks one, the hovered region,
// and what a pointer movement changes.
#pragma once

#include <array>
#include <string_view>

namespace orvane {

enum MacroRegion : int {
    kMacroRegionNone = -1,
    kMacroRegionRecord = 0,
    kMacroRegionRecordDelay = 1,
    kMacroRegionLoops = 2,
    kMacroRegionNew = 3,
    kMacroRegionDelete = 4,
    kMacroRegionOk = 5,
    kMacroRegionCancel = 6,
};
inline constexpr int kMacroRegionCount = 7;

struct MacroRegionEntry {
    int left, top, right, bottom;
    std::array<std::u16string_view, 3> images;  // the first two are drawn
    int state = 0;                              // 0 first image, 1 second

    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    std::u16string_view image() const { return images[state == 1 ? 1 : 0]; }
};

class MacroBmpInformation {
public:
    // All states 0, nothing hovered.
    MacroBmpInformation();

    const MacroRegionEntry& operator[](int region) const { return regions_[static_cast<std::size_t>(region)]; }
    int hovered() const { return hovered_; }

    // The first region containing the point, else kMacroRegionNone.
    int hitTest(int x, int y) const;

    // A pointer movement over `region`. When it differs from the hovered
    // one it becomes hovered and the button looks follow: returns true (the
    // panel redraws). Over the checkboxes nothing changes look.
    bool hover(int region);

private:
    std::array<MacroRegionEntry, kMacroRegionCount> regions_;
    int hovered_ = kMacroRegionNone;
};

}  // namespace orvane
