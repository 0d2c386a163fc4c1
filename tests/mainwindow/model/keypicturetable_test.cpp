#include <gtest/gtest.h>

#include "mainwindow/model/keypicturetable.h"

namespace orvane {
namespace {

TEST(KeyPictures, RowsFromAcrossThePicture) {
    struct Row { std::size_t p; int l, t, r, b; std::u16string_view label; int lx, ly; };
    const Row rows[] = {
        {0, 24, 112, 49, 137, u"Esc", 28, 118},
        {15, 487, 112, 512, 137, u"Pause", 489, 118},
        {54, 386, 174, 424, 199, u"\\", 402, 180},
        {61, 599, 174, 623, 225, u"+", 610, 196},
        {62, 24, 200, 66, 225, u"Caps Lock", 32, 200},
        {94, 599, 226, 623, 277, u"Ent", 606, 249},
        {98, 125, 252, 291, 277, u"Space", 192, 258},
        {107, 573, 252, 597, 277, u".", 584, 258},
    };
    for (const auto& r : rows) {
        const KeyPicture& k = KeyPictureTable[r.p];
        EXPECT_EQ(k.left, r.l) << r.p;
        EXPECT_EQ(k.top, r.t) << r.p;
        EXPECT_EQ(k.right, r.r) << r.p;
        EXPECT_EQ(k.bottom, r.b) << r.p;
        EXPECT_TRUE(k.label == r.label) << r.p;
        EXPECT_EQ(k.labelX, r.lx) << r.p;
        EXPECT_EQ(k.labelY, r.ly) << r.p;
        EXPECT_TRUE(k.hasRectangle());
    }
    for (std::size_t p = 16; p <= 19; ++p) {
        EXPECT_FALSE(KeyPictureTable[p].hasRectangle());
        EXPECT_TRUE(KeyPictureTable[p].label.empty());
    }
}

}  // namespace
}  // namespace orvane
