// The ranges of the fields the keyboard is sent: what is refused, what
// write-all sends instead, and that an in-range image passes untouched.
#include <cstring>
#include <functional>
#include <random>

#include "keyboardstate/keytables.h"
#include "keyboardstate/effecttable.h"
#include "keyboardstate/keyboardranges.h"
#include "device/linkfixture.h"

namespace orvane {
namespace {

using test::ConnectedRig;

MouseData valid() {
    MouseData d = VirtualKeyboard::factoryMemory();
    d.ledEffect.LEDEffectSpeed = speedFromDevice(d.ledEffect.LEDEffectSpeed);
    return d;
}

struct Row {
    const char* name;
    std::function<void(MouseData&)> spoil;
    const char* field;
    std::size_t offset;
    unsigned sentWhenKeyboardValid;    // the keyboard's own value 'kb' stands for "its value"
    unsigned sentWhenKeyboardInvalid;
};

constexpr unsigned kb = 1000;  // marker: the keyboard's value is kept

const Row kRows[] = {
    {"report rate 38", [](MouseData& d) { d.ReportRate = 38; }, "ReportRate", 11, 3, 3},
    {"response time 0", [](MouseData& d) { d.ResponseTime = 0; }, "ResponseTime", 7449, 1, 1},
    {"response time 11", [](MouseData& d) { d.ResponseTime = 11; }, "ResponseTime", 7449, 10, 10},
    {"effect 0", [](MouseData& d) { d.ledEffect.LEDEffectMode = 0; }, "LEDEffectMode", 7450, kb, 1},
    {"effect 7", [](MouseData& d) { d.ledEffect.LEDEffectMode = 7; }, "LEDEffectMode", 7450, kb, 1},
    {"effect 56", [](MouseData& d) { d.ledEffect.LEDEffectMode = 56; }, "LEDEffectMode", 7450, kb, 1},
    {"speed 141", [](MouseData& d) { d.ledEffect.LEDEffectSpeed = 141; }, "LEDEffectSpeed", 7451, 9, 9},
    {"brightness 51", [](MouseData& d) { d.ledEffect.LEDEffectBrightness = 51; }, "LEDEffectBrightness", 7452, 50, 50},
    {"colour 0", [](MouseData& d) { d.ledEffect.LEDEffectColor = 0; }, "LEDEffectColor", 7453, 1, 1},
    {"colour 9", [](MouseData& d) { d.ledEffect.LEDEffectColor = 9; }, "LEDEffectColor", 7453, 8, 8},
    {"direction 0", [](MouseData& d) { d.ledEffect.LEDEffectDirection = 0; }, "LEDEffectDirection", 7454, kb, 1},
    {"direction 5", [](MouseData& d) { d.ledEffect.LEDEffectDirection = 5; }, "LEDEffectDirection", 7454, kb, 1},
    {"game mode 237", [](MouseData& d) { d.GameMode = 237; }, "GameMode", 7476, kb, 0},
    // The keyboard here holds the factory entries, so both ways give them.
    {"entry kind 1", [](MouseData& d) { d.DeviceKeyTable[4 * 9] = 1; }, "DeviceKeyTable slot 9 kind", 792 + 36, kb,
     kb},
    {"entry kind 11", [](MouseData& d) { d.DeviceKeyTable[4 * 60] = 11; }, "DeviceKeyTable slot 60 kind", 792 + 240,
     kb, kb},
    {"macro index 32",
     [](MouseData& d) {
         d.DeviceKeyTable[4 * 9] = KIND_MACRO;
         d.DeviceKeyTable[4 * 9 + 2] = 32;
     },
     "DeviceKeyTable slot 9 macro index", 792 + 38, kb, kb},
};

std::uint8_t byteAt(const MouseData& d, std::size_t offset) {
    return reinterpret_cast<const std::uint8_t*>(&d)[offset];
}

TEST(KeyboardRanges, ThePlainImagesAreInRange) {
    EXPECT_TRUE(outOfRangeFields(valid()).empty());
    // Every effect of the list, every entry of the factory table and of the
    // predefined functions, and a macro entry of the last slot.
    MouseData d = valid();
    for (std::uint8_t effect : EffectCodeTable) {
        d.ledEffect.LEDEffectMode = effect;
        EXPECT_TRUE(outOfRangeFields(d).empty()) << int(effect);
    }
    for (std::size_t i = 0; i < BasicFunctionTable.size(); ++i) {
        std::copy_n(BasicFunctionTable[i].entry.begin(), 4, deviceKeyEntry(d, 4 * i).begin());
    }
    const std::array<std::uint8_t, 4> macro{KIND_MACRO, 1, 31, 0}, host{KIND_HOST, 0, 0x1B, 0};
    std::copy_n(macro.begin(), 4, deviceKeyEntry(d, 4 * 100).begin());
    std::copy_n(host.begin(), 4, deviceKeyEntry(d, 4 * 101).begin());
    EXPECT_TRUE(outOfRangeFields(d).empty());
    MouseData copy = d;
    EXPECT_TRUE(keepInKeyboardRanges(copy, d).empty());
    EXPECT_EQ(std::memcmp(&copy, &d, sizeof d), 0);
}

TEST(KeyboardRanges, EachFieldOutOfRange) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        MouseData d = valid();
        row.spoil(d);
        const auto found = outOfRangeFields(d);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].field, row.field);
        EXPECT_EQ(found[0].offset, row.offset);
        EXPECT_EQ(found[0].value, byteAt(d, row.offset));
        EXPECT_NE(found[0].describe().find(row.field), std::string::npos);

        // Against a keyboard whose own value is fine, and one whose is broken too.
        const MouseData keyboard = valid();
        for (bool keyboardValid : {true, false}) {
            MouseData sent = d;
            const MouseData& fallback = keyboardValid ? keyboard : d;
            const auto fixed = keepInKeyboardRanges(sent, fallback);
            ASSERT_EQ(fixed.size(), 1u);
            const unsigned expect = keyboardValid ? row.sentWhenKeyboardValid : row.sentWhenKeyboardInvalid;
            const unsigned want = expect == kb ? byteAt(keyboard, row.offset) : expect;
            EXPECT_EQ(byteAt(sent, row.offset), want) << keyboardValid;
            EXPECT_EQ(fixed[0].replacement, want);
            EXPECT_TRUE(outOfRangeFields(sent).empty());
        }
    }
}

TEST(KeyboardRanges, AKeyEntryIsReplacedWhole) {
    MouseData d = valid();
    const std::array<std::uint8_t, 4> bad{KIND_MACRO, 7, 200, 9};
    std::copy_n(bad.begin(), 4, deviceKeyEntry(d, 4 * 42).begin());
    MouseData keyboard = valid();
    const std::array<std::uint8_t, 4> own{KIND_CONSUMER, 0, 0xE9, 0};
    std::copy_n(own.begin(), 4, deviceKeyEntry(keyboard, 4 * 42).begin());
    keepInKeyboardRanges(d, keyboard);
    EXPECT_TRUE(std::ranges::equal(deviceKeyEntry(d, 4 * 42), own));
    // The keyboard's entry broken too: the factory entry.
    std::copy_n(bad.begin(), 4, deviceKeyEntry(d, 4 * 42).begin());
    keepInKeyboardRanges(d, d);
    EXPECT_TRUE(std::ranges::equal(deviceKeyEntry(d, 4 * 42),
                                   std::span<const std::uint8_t>(DefaultDeviceKeyTable).subspan(4 * 42, 4)));
}

TEST(KeyboardRanges, RandomImagesComeOutInRangeWithTheirValidFieldsKept) {
    std::mt19937 gen(14);
    const MouseData keyboard = valid();
    for (int round = 0; round < 60; ++round) {
        auto d = std::make_unique<MouseData>();
        auto* bytes = reinterpret_cast<std::uint8_t*>(d.get());
        for (std::size_t i = 0; i < sizeof(MouseData); ++i) bytes[i] = static_cast<std::uint8_t>(gen());
        const auto before = std::make_unique<MouseData>(*d);
        const auto found = outOfRangeFields(*d);
        ASSERT_FALSE(found.empty());
        for (std::size_t i = 1; i < found.size(); ++i) ASSERT_LT(found[i - 1].offset, found[i].offset);
        const auto fixed = keepInKeyboardRanges(*d, keyboard);
        ASSERT_EQ(fixed.size(), found.size());
        ASSERT_TRUE(outOfRangeFields(*d).empty());
        // Only the broken fields (a key entry counts as its 4 bytes) changed.
        for (std::size_t i = 0; i < sizeof(MouseData); ++i) {
            const auto* was = reinterpret_cast<const std::uint8_t*>(before.get());
            if (bytes[i] == was[i]) continue;
            const bool inEntry = i >= 792 && i < 792 + 512;
            const std::size_t key = inEntry ? 792 + (i - 792) / 4 * 4 : i;
            ASSERT_TRUE(std::ranges::any_of(fixed, [&](const RangeFinding& f) {
                return inEntry ? f.offset - (f.offset - 792) % 4 == key : f.offset == i;
            })) << i;
        }
    }
}

// What the utility sends for an image loaded from a bad file.
TEST(KeyboardRanges, WriteAllSendsOnlyValuesTheKeyboardAcceptsAndSaysWhich) {
    ConnectedRig rig;
    std::vector<std::string> warnings;
    setLinkWarningSink([&](std::string_view line) { warnings.emplace_back(line); });
    MouseData& w = rig.image->working.mouseData;
    w.ledEffect.LEDEffectSpeed = 141;
    w.GameMode = 237;
    w.ReportRate = 38;
    w.ledEffect.LEDEffectMode = 99;
    const std::uint8_t keyboardEffect = rig.keyboard->memory().ledEffect.LEDEffectMode;
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::Sent);
    setLinkWarningSink({});

    const MouseData device = rig.keyboard->memory();
    EXPECT_EQ(device.ledEffect.LEDEffectSpeed, speedToDevice(9));
    EXPECT_EQ(device.ReportRate, 3);
    EXPECT_EQ(device.GameMode, rig.image->saved.mouseData.GameMode);
    EXPECT_EQ(device.ledEffect.LEDEffectMode, keyboardEffect);
    ASSERT_EQ(warnings.size(), 4u);
    EXPECT_NE(warnings[0].find("ReportRate is 38"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find("sent as 3"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[1].find("LEDEffectMode is 99"), std::string::npos) << warnings[1];
    EXPECT_NE(warnings[2].find("LEDEffectSpeed is 141"), std::string::npos) << warnings[2];
    EXPECT_NE(warnings[3].find("GameMode is 237"), std::string::npos) << warnings[3];
    // The working copy now holds what was sent, so the next Save sends nothing.
    EXPECT_EQ(rig.link.writeAll(*rig.image), WriteResult::NothingChanged);
}

}  // namespace
}  // namespace orvane
