#include <gtest/gtest.h>

#include "keyassign/model/actionpath.h"

namespace orvane {
namespace {

TEST(ActionPath, AdvancePageText) {
    struct Case { std::u16string path, shown; };
    const Case cases[] = {
        {u"", u""},
        {u"/a/b/song.mp3", u"/a/b/song.mp3"},                 // 13 characters: whole
        {u"/home/a/Music/song.mp3", u".../song.mp3"},        // at the last "/"
        {u"/home/a/Music/", u".../Music/"},                  // a trailing "/" keeps the name before it
        {u"/verylongname.mp3", u"...ngname.mp3"},            // only "/" at 0: the last 10
        {u"/x/verylongname.mp3", u".../verylongname.mp3"},
    };
    for (const Case& c : cases) EXPECT_EQ(advancePathText(c.path), c.shown);
}

TEST(ActionPath, StrictUtf8) {
    struct Case { std::string bytes; bool ok; std::u16string text; };
    const Case cases[] = {
        {"\xc0\xaf", false, u""},               // overlong "/"
        {"\xed\xa0\x80", false, u""},           // a surrogate
        {"\xf4\x90\x80\x80", false, u""},       // past U+10FFFF
        {"\xe5\xa3", false, u""},               // cut short
        {"\x80", false, u""},
        {"ok", true, u"ok"},
        {"\xf0\x9f\x8e\xb5", true, u"\U0001F3B5"},
    };
    for (const Case& c : cases) {
        std::u16string out;
        EXPECT_EQ(decodeUtf8(c.bytes, out), c.ok) << c.bytes;
        if (c.ok) {
            EXPECT_EQ(out, c.text);
        }
    }
}

}  // namespace
}  // namespace orvane
