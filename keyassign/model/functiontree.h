// The items of the key assignment panel's function tree: the predefined
// functions in table order, the Media, Shortcut and Windows rows under their
// group items, everything else at the top level.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvane {

struct FunctionTreeItem {
    std::u16string_view text;
    int parent = -1;          // index of the group item, -1 at the top level
    bool group = false;
};

// In the order they are appended; a group comes before its children.
std::vector<FunctionTreeItem> functionTreeItems(std::int16_t languageCode);

// Whether Save must refuse this item text: a group's caption in either language.
bool isFunctionGroupText(std::u16string_view text);

}  // namespace orvane
