#include "macros/model/macrobmpinfo.h"

namespace orvane {
namespace {

constexpr std::array<std::u16string_view, 3> kButtonImages{
    u"button-new-normal.png", u"button-new-over.png", u"button-new-leave.png"};
constexpr std::array<std::u16string_view, 3> kCheckImages{u"Pane.png", u"PaneMakingTick.png", u"  "};

bool isButton(int region) {
    return region == kMacroRegionRecord || (region >= kMacroRegionNew && region <= kMacroRegionCancel);
}

}  // namespace

MacroBmpInformation::MacroBmpInformation()
    : regions_{{
          {290, 100, 379, 124, {u"Record-normal.png", u"Record-over.png", u"Record-leave.png"}},
          {368, 168, 382, 182, kCheckImages},
          {296, 315, 310, 329, kCheckImages},
          {20, 368, 77, 392, kButtonImages},
          {80, 368, 137, 392, kButtonImages},
          {280, 400, 337, 424, kButtonImages},
          {340, 400, 397, 424, kButtonImages},
      }} {}

int MacroBmpInformation::hitTest(int x, int y) const {
    for (int r = 0; r < kMacroRegionCount; ++r) {
        if ((*this)[r].contains(x, y)) return r;
    }
    return kMacroRegionNone;
}

bool MacroBmpInformation::hover(int region) {
    if (region == hovered_) return false;
    hovered_ = region;
    if (region == kMacroRegionRecordDelay || region == kMacroRegionLoops) return false;
    // Over a button it alone looks hovered; elsewhere no button does.
    for (int r = 0; r < kMacroRegionCount; ++r) {
        if (isButton(r)) regions_[static_cast<std::size_t>(r)].state = r == region ? 1 : 0;
    }
    return true;
}

}  // namespace orvane
