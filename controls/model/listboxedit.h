// The window-free half of the transparent list box and its in-place editor:
// which items open an editor, what the editor shows, what a kept edit turns
// into (the new item text and what the list tells its parent), and
// how an item's text is drawn (its state icon in delay-value mode).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

enum class ListBoxMode : int {
    Plain = 0,
    DelayValues = 1,       // items "N ms" edit their number; key items show a state icon
    ParentBackground = 3,  // painted over the parent's own pixels
};

enum class ListItemIcon { None, Press, Release, Delay };

struct ListItemFace {
    std::u16string text;
    ListItemIcon icon = ListItemIcon::None;
    bool operator==(const ListItemFace&) const = default;
};

// What the painter shows for an item: in delay-value mode "dn" and "up" give
// way to the press and release icons, and "ms" items get the delay icon.
ListItemFace listItemFace(std::u16string_view text, ListBoxMode mode);

inline constexpr unsigned kMinDelayValue = 2;
inline constexpr unsigned kMaxDelayValue = 60000;

// The value typed into a delay editor: its leading decimal number (after
// blanks and a sign), 0 without digits, held to 2..60000.
unsigned delayEditValue(std::u16string_view text);
// "%d ms".
std::u16string delayValueText(unsigned value);

// The state of one list's in-place edit: idle, or editing an item.
class ListBoxEdit {
public:
    explicit ListBoxEdit(ListBoxMode mode = ListBoxMode::Plain) : mode_(mode) {}

    ListBoxMode mode() const { return mode_; }
    void setMode(ListBoxMode mode) { mode_ = mode; }

    // A double click opens the editor on an item with this text: always,
    // except on key items ("up", "dn") of a delay-value list.
    bool editable(std::u16string_view itemText) const;
    // The editor's first text: the item's, without " ms" in delay-value mode.
    std::u16string editorText(std::u16string_view itemText) const;

    bool editing() const { return m_iItemBeingEdited != -1; }
    int itemBeingEdited() const { return m_iItemBeingEdited; }
    int startIndex() const { return startIndex_; }

    void begin(int index);

    struct Kept {
        // The edit result (index, value) of a delay-value list, told whether or not
        // the text changed.
        std::optional<unsigned> value;
        // The item's new text when it differs from the old one: the list
        // replaces the item and tells the text change (and the edit result in mode 3).
        std::optional<std::u16string> newText;
    };
    // An edit that ends with keep: what becomes of the item whose text was
    // `oldText` when the editor holds `typed`.
    Kept keep(std::u16string_view oldText, std::u16string_view typed) const;
    // The replaced item's index after a kept edit.
    void moved(int index) { m_iItemBeingEdited = index; }
    // The edit is over (kept or discarded).
    void finish() { m_iItemBeingEdited = -1; }

private:
    ListBoxMode mode_;
    int m_iItemBeingEdited = -1;
    int startIndex_ = -1;
};

}  // namespace orvane
