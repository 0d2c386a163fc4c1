// The event list as the macro manager shows it: display items in order and
// the selected item. The panel's list box draws exactly these items.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace orvane {

class MacroEventList {
public:
    const std::vector<std::u16string>& items() const { return items_; }
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    // -1 when nothing is selected.
    int selection() const { return selection_; }
    bool hasSelection() const { return selection_ >= 0; }

    void clear();
    void assign(std::vector<std::u16string> items);
    // Appends and selects the new last item (recording shows it at once).
    void appendAndSelect(std::u16string text);
    void append(std::u16string text);
    // Inserts at an index (clamped to the end); the selection keeps its item.
    void insert(std::size_t index, std::u16string text);
    // Selects an item; an index outside the list clears the selection.
    void select(int index);
    bool isDelayItem(std::size_t index) const;

private:
    std::vector<std::u16string> items_;
    int selection_ = -1;
};

}  // namespace orvane
