#include "controls/model/listboxedit.h"

namespace orvane {
namespace {

bool contains(std::u16string_view text, std::u16string_view part) {
    return text.find(part) != std::u16string_view::npos;
}

std::u16string without(std::u16string_view text, std::u16string_view part) {
    std::u16string out(text);
    if (const auto at = out.find(part); at != std::u16string::npos) out.erase(at, part.size());
    return out;
}

bool isBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

}  // namespace

ListItemFace listItemFace(std::u16string_view text, ListBoxMode mode) {
    if (mode != ListBoxMode::DelayValues) return {std::u16string(text), ListItemIcon::None};
    if (contains(text, u"dn")) return {without(text, u"dn"), ListItemIcon::Press};
    if (contains(text, u"up")) return {without(text, u"up"), ListItemIcon::Release};
    if (contains(text, u"ms")) return {std::u16string(text), ListItemIcon::Delay};
    return {std::u16string(text), ListItemIcon::None};
}

unsigned delayEditValue(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    unsigned long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        // Saturates: anything past the limit is the limit anyway.
        value = value * 10 + static_cast<unsigned>(text[i] - u'0');
        if (value > kMaxDelayValue) value = kMaxDelayValue + 1ull;
    }
    if (negative || value < kMinDelayValue) return kMinDelayValue;
    return value > kMaxDelayValue ? kMaxDelayValue : static_cast<unsigned>(value);
}

std::u16string delayValueText(unsigned value) {
    const std::string digits = std::to_string(value) + " ms";
    return std::u16string(digits.begin(), digits.end());
}

bool ListBoxEdit::editable(std::u16string_view itemText) const {
    if (mode_ != ListBoxMode::DelayValues) return true;
    return !contains(itemText, u"up") && !contains(itemText, u"dn");
}

std::u16string ListBoxEdit::editorText(std::u16string_view itemText) const {
    if (mode_ == ListBoxMode::DelayValues) return without(itemText, u" ms");
    return std::u16string(itemText);
}

void ListBoxEdit::begin(int index) {
    m_iItemBeingEdited = index;
    startIndex_ = index;
}

ListBoxEdit::Kept ListBoxEdit::keep(std::u16string_view oldText, std::u16string_view typed) const {
    Kept kept;
    std::u16string text(typed);
    if (mode_ == ListBoxMode::DelayValues) {
        const unsigned value = delayEditValue(typed);
        kept.value = value;
        text = delayValueText(value);
    }
    if (text != oldText) kept.newText = std::move(text);
    return kept;
}

}  // namespace orvane
