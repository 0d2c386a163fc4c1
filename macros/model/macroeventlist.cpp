#include "macros/model/macroeventlist.h"

#include <algorithm>

#include "macros/model/macroevents.h"

namespace orvane {

void MacroEventList::clear() {
    items_.clear();
    selection_ = -1;
}

void MacroEventList::assign(std::vector<std::u16string> items) {
    items_ = std::move(items);
    if (selection_ >= static_cast<int>(items_.size())) selection_ = -1;
}

void MacroEventList::appendAndSelect(std::u16string text) {
    items_.push_back(std::move(text));
    selection_ = static_cast<int>(items_.size()) - 1;
}

void MacroEventList::append(std::u16string text) { items_.push_back(std::move(text)); }

void MacroEventList::insert(std::size_t index, std::u16string text) {
    index = std::min(index, items_.size());
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), std::move(text));
    if (selection_ >= static_cast<int>(index)) ++selection_;
}

void MacroEventList::select(int index) {
    selection_ = (index >= 0 && index < static_cast<int>(items_.size())) ? index : -1;
}

bool MacroEventList::isDelayItem(std::size_t index) const {
    return index < items_.size() && isDelayItemText(items_[index]);
}

}  // namespace orvane
