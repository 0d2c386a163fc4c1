#include <gtest/gtest.h>

#include "controls/model/listboxedit.h"

namespace orvane {
namespace {

using Mode = ListBoxMode;

TEST(ListBoxEdit, OnlyKeyItemsOfADelayListRefuseTheEditor) {
    struct Row { Mode mode; std::u16string_view text; bool editable; };
    const Row rows[] = {
        {Mode::DelayValues, u"MsLB dn", false},
        {Mode::DelayValues, u"A up", false},
        {Mode::DelayValues, u"PgDn  up", false},   // "Dn" of the label is not "dn"
        {Mode::DelayValues, u"500 ms", true},
        {Mode::DelayValues, u"", true},
        {Mode::Plain, u"Macro_001", true},
        {Mode::Plain, u"MsLB dn", true},            // only delay lists know key items
        {Mode::ParentBackground, u"setup", true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.text.begin(), r.text.end()));
        EXPECT_EQ(ListBoxEdit(r.mode).editable(r.text), r.editable);
    }
}

TEST(ListBoxEdit, ADelayEditorShowsOnlyTheNumber) {
    EXPECT_EQ(ListBoxEdit(Mode::DelayValues).editorText(u"500 ms"), u"500");
    EXPECT_EQ(ListBoxEdit(Mode::DelayValues).editorText(u"60000 ms"), u"60000");
    EXPECT_EQ(ListBoxEdit(Mode::Plain).editorText(u"12 ms"), u"12 ms");
}

TEST(ListBoxEdit, DelayValuesAreHeldBetween2And60000) {
    struct Row { std::u16string_view typed; unsigned value; };
    const Row rows[] = {
        {u"", 2},        {u"abc", 2},      {u"0", 2},          {u"1", 2},
        {u"-300", 2},    {u"2", 2},        {u"3", 3},          {u"  250", 250},
        {u"+40", 40},    {u"126", 126},    {u"127", 127},      {u"60000", 60000},
        {u"60001", 60000}, {u"70000", 60000}, {u"99999999999999999999999", 60000},
        {u"12ab", 12},   {u"007", 7},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.typed.begin(), r.typed.end()));
        EXPECT_EQ(delayEditValue(r.typed), r.value);
    }
    EXPECT_EQ(delayValueText(2), u"2 ms");
    EXPECT_EQ(delayValueText(60000), u"60000 ms");
}

TEST(ListBoxEdit, AKeptEditGivesTheMessagesAndTextOfItsMode) {
    struct Row {
        const char* what;
        Mode mode;
        std::u16string_view old, typed;
        std::optional<unsigned> value;
        std::optional<std::u16string> newText;
    };
    const Row rows[] = {
        {"delay 0 becomes 2", Mode::DelayValues, u"50 ms", u"0", 2u, u"2 ms"},
        {"delay above the limit", Mode::DelayValues, u"50 ms", u"70000", 60000u, u"60000 ms"},
        {"delay unchanged still reports", Mode::DelayValues, u"50 ms", u"50", 50u, std::nullopt},
        {"delay emptied", Mode::DelayValues, u"2 ms", u"", 2u, std::nullopt},
        {"plain unchanged", Mode::Plain, u"Macro_001", u"Macro_001", std::nullopt, std::nullopt},
        {"plain renamed", Mode::Plain, u"Macro_001", u"Jump", std::nullopt, u"Jump"},
        {"plain emptied", Mode::Plain, u"Macro_001", u"", std::nullopt, u""},
        {"parent background renamed", Mode::ParentBackground, u"a", u"b", std::nullopt, u"b"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const ListBoxEdit::Kept kept = ListBoxEdit(r.mode).keep(r.old, r.typed);
        EXPECT_EQ(kept.value, r.value);
        EXPECT_EQ(kept.newText, r.newText);
    }
}

TEST(ListBoxEdit, TracksTheItemFromBeginToFinish) {
    ListBoxEdit edit(Mode::ParentBackground);
    EXPECT_FALSE(edit.editing());
    edit.begin(4);
    EXPECT_TRUE(edit.editing());
    EXPECT_EQ(edit.itemBeingEdited(), 4);
    edit.moved(1);  // a sorted list put the renamed item elsewhere
    EXPECT_EQ(edit.itemBeingEdited(), 1);
    EXPECT_EQ(edit.startIndex(), 4);
    edit.finish();
    EXPECT_FALSE(edit.editing());
    EXPECT_EQ(edit.itemBeingEdited(), -1);
}

TEST(ListItemFace, DelayListsTradeMarkersForIcons) {
    struct Row { Mode mode; std::u16string_view text; std::u16string_view shown; ListItemIcon icon; };
    const Row rows[] = {
        {Mode::DelayValues, u"A dn", u"A ", ListItemIcon::Press},
        {Mode::DelayValues, u"A up", u"A ", ListItemIcon::Release},
        {Mode::DelayValues, u"PgDn  dn", u"PgDn  ", ListItemIcon::Press},
        {Mode::DelayValues, u"MsLB up", u"MsLB ", ListItemIcon::Release},
        {Mode::DelayValues, u"500 ms", u"500 ms", ListItemIcon::Delay},
        {Mode::DelayValues, u"plain", u"plain", ListItemIcon::None},
        {Mode::Plain, u"A dn", u"A dn", ListItemIcon::None},
        {Mode::ParentBackground, u"20 ms", u"20 ms", ListItemIcon::None},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.text.begin(), r.text.end()));
        const ListItemFace face = listItemFace(r.text, r.mode);
        EXPECT_EQ(face.text, r.shown);
        EXPECT_EQ(face.icon, r.icon);
    }
}

}  // namespace
}  // namespace orvane
