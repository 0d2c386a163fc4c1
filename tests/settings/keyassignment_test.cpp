#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "settings/keyassignment.h"
#include "keyboardstate/keytables.h"
#include "settings/settingsfiles.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

using Entry = std::array<std::uint8_t, 4>;

constexpr std::size_t kEsc = 0, kQ = 42, kBackslash = 54, kA = 63;

class Assign : public ::testing::Test {
protected:
    void SetUp() override {
        image->languageCode = kLanguageEnglish;
        image->working.mouseData.DeviceKeyTable = DefaultDeviceKeyTable;
        image->working.mouseData.KeyEnableMask.fill(0xFF);
        stampKeyCodes(image->working.keyAssignments);
    }
    Entry entry(std::size_t p) const {
        const auto e = deviceKeyEntry(image->working.mouseData, KeyPositionEntryMap[p]);
        return {e[0], e[1], e[2], e[3]};
    }
    KeyAssignment& record(std::size_t p) { return image->working.keyAssignments.records[p]; }
    AssignmentResult apply(std::size_t p) { return ApplyKeyAssignment(*image, pending, p, dir.path()); }
    void keys(std::uint8_t type, std::vector<std::uint8_t> captured) {
        pending = PendingAssignment{};
        pending.mapType = type;
        pending.ItemCountOnList = static_cast<std::uint32_t>(captured.size());
        std::copy(captured.begin(), captured.end(), pending.CapturedKeys.begin());
    }

    test::TempDir dir;
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    PendingAssignment pending;
};

TEST_F(Assign, RefusedInputsChangeNothing) {
    const auto before = std::make_unique<SettingsImage>(*image);
    keys(TYPE_SINGLE, {0x41});
    EXPECT_EQ(apply(108), AssignmentResult::Refused);
    pending.mapType = TYPE_STARTUP;
    pending.ItemCountOnList = 0;
    pending.PathOrFileName.fill(u'x');  // no terminator anywhere
    EXPECT_EQ(apply(kQ), AssignmentResult::Refused);
    EXPECT_EQ(std::memcmp(before.get(), image.get(), sizeof(SettingsImage)), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "keymap.bin"));

    keys(TYPE_UNCHOSEN, {0x41});
    EXPECT_EQ(apply(kQ), AssignmentResult::Applied);  // nothing to apply, file still written
    EXPECT_EQ(std::memcmp(&before->working, &image->working, sizeof(SettingsCopy)), 0);
    EXPECT_EQ(ApplyKeyAssignment(*image, pending, kQ, dir / "missing"), AssignmentResult::WriteFailed);
}

TEST_F(Assign, PathsLongerThan255CharactersAreRefused) {
    EXPECT_TRUE(setPendingPath(pending, std::u16string(255, u'p')));
    EXPECT_EQ(fixedText(pending.PathOrFileName).size(), 255u);
    EXPECT_FALSE(setPendingPath(pending, std::u16string(256, u'q')));
    EXPECT_EQ(fixedText(pending.PathOrFileName), std::u16string(255, u'p'));
    EXPECT_FALSE(setPendingPath(pending, std::u16string(u"a\0b", 3)));
    pending.mapType = TYPE_OPEN_FILE;
    ASSERT_EQ(apply(kQ), AssignmentResult::Applied);
    EXPECT_EQ(fixedText(record(kQ).actionPath), std::u16string(255, u'p'));
    EXPECT_EQ(record(kQ).actionPath[255], 0);
}

TEST_F(Assign, SingleKeys) {
    struct Case {
        const char* what;
        std::size_t position;
        std::uint8_t key;
        Entry entry;
        std::uint8_t modified;
        std::uint8_t keyCount;
    };
    const Case cases[] = {
        {"own key clears the record but sets the entry", kQ, 0x51, {0, 0, 0x14, 0}, 0, 0},
        {"another key", kQ, 0x41, {0, 0, 0x04, 0}, 1, 1},
        {"Volume UP", kA, 0xAF, {3, 0, 0xE9, 0}, 1, 1},
        {"Volume DOWN", kA, 0xAE, {3, 0, 0xEA, 0}, 1, 1},
        {"Play/Pause", kA, 0xB3, {3, 0, 0xCD, 0}, 1, 1},
        {"media player", kA, 0xB5, {3, 0, 0x83, 1}, 1, 1},
        {"a key without usage", kA, 0x15, {0, 0, 0, 0}, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        image->modifiedKeyFlags[c.position] = 7;
        record(c.position).mapData[200] = 9;
        keys(TYPE_SINGLE, {c.key});
        ASSERT_EQ(apply(c.position), AssignmentResult::Applied);
        EXPECT_EQ(entry(c.position), c.entry);
        EXPECT_EQ(image->modifiedKeyFlags[c.position], c.modified);
        EXPECT_EQ(record(c.position).keyCount, c.keyCount);
        EXPECT_EQ(record(c.position).mapType, TYPE_SINGLE);
        EXPECT_EQ(record(c.position).mapData[0], c.modified ? c.key : 0);
        EXPECT_EQ(record(c.position).mapData[200], 0);
    }
}

TEST_F(Assign, SingleWithOtherCountsLeavesTheEntry) {
    keys(TYPE_SINGLE, {0x41, 0x42});
    apply(kQ);
    EXPECT_EQ(entry(kQ), (Entry{0, 0, 0x14, 0}));
    EXPECT_EQ(record(kQ).keyCount, 2);
    EXPECT_EQ(record(kQ).mapData[1], 0x42);
}

TEST_F(Assign, Combinations) {
    keys(TYPE_COMBINE, {0xA2, 0x41});
    apply(kQ);
    EXPECT_EQ(entry(kQ), (Entry{0, 0xE0, 0x04, 0}));
    EXPECT_EQ(record(kQ).keyCount, 2);
    EXPECT_EQ(record(kQ).mapType, TYPE_COMBINE);
    EXPECT_EQ(image->modifiedKeyFlags[kQ], 1);

    keys(TYPE_COMBINE, {0xAF, 0xB5, 0xA0});  // media keys stay keyboard usages here
    apply(kQ);
    EXPECT_EQ(entry(kQ), (Entry{0, 0xE9, 0x83, 0xE1}));

    image->modifiedKeyFlags[kA] = 0;
    keys(TYPE_COMBINE, {0x43});
    apply(kA);
    EXPECT_EQ(entry(kA), (Entry{0, 0x06, 0, 0}));
    EXPECT_EQ(image->modifiedKeyFlags[kA], 0);
}

TEST_F(Assign, BasicFunctionsByLanguage) {
    struct Case {
        std::int16_t language;
        std::u16string name;
        bool matches;
        Entry entry;
    };
    const Case cases[] = {
        {kLanguageChinese, u"Vol+", false, {0, 0, 0x14, 0}},
        {kLanguageEnglish, u"", false, {0, 0, 0x14, 0}},
        {kLanguageEnglish, u"vol+", false, {0, 0, 0x14, 0}},
        {kLanguageEnglish, u"Vol+", true, {3, 0, 0xE9, 0}},
        {kLanguageChinese, u"音量+", true, {3, 0, 0xE9, 0}},
        {kLanguageEnglish, u"Task Management", true, {0, 0xE0, 0xE2, 0x4C}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        SetUp();
        image->languageCode = c.language;
        pending = PendingAssignment{};
        pending.mapType = TYPE_BASIC;
        ASSERT_TRUE(setPendingFunctionName(pending, c.name));
        apply(kQ);
        EXPECT_EQ(entry(kQ), c.entry);
        EXPECT_EQ(record(kQ).mapType, TYPE_BASIC);
        EXPECT_EQ(image->modifiedKeyFlags[kQ], 1);
        EXPECT_EQ(record(kQ).mapData[2], c.matches ? c.entry[2] : 0);
    }
}

TEST_F(Assign, StoredFunctionsNameBack) {
    record(kQ).mapType = TYPE_BASIC;
    record(kQ).mapData[0] = 0x00;
    record(kQ).mapData[1] = 0xE2;
    record(kQ).mapData[2] = 0x2C;
    record(kQ).mapData[3] = 0x11;
    EXPECT_EQ(storedFunctionName(record(kQ), kLanguageEnglish), u"Min");
    EXPECT_EQ(storedFunctionName(record(kQ), kLanguageChinese), u"最小化");
    record(kQ).mapData[3] = 0x12;
    EXPECT_TRUE(storedFunctionName(record(kQ), kLanguageEnglish).empty());
}

TEST_F(Assign, HostActionsAndDefault) {
    pending = PendingAssignment{};
    pending.mapType = TYPE_OPEN_FOLDER;
    ASSERT_TRUE(setPendingPath(pending, u"/home/user/Music"));
    image->working.keyAssignments.records[kEsc].actionPath.fill(u'z');
    apply(kEsc);
    EXPECT_EQ(entry(kEsc), (Entry{10, 0, 0x1B, 0}));
    EXPECT_EQ(record(kEsc).mapType, TYPE_OPEN_FOLDER);
    EXPECT_EQ(record(kEsc).keyCode, 0x1B);
    EXPECT_EQ(record(kEsc).mapData[2], 0x23);
    EXPECT_EQ(fixedText(record(kEsc).actionPath), u"/home/user/Music");
    EXPECT_EQ(record(kEsc).actionPath[255], 0);
    EXPECT_EQ(image->modifiedKeyFlags[kEsc], 1);

    setKeyEnabled(image->working.mouseData, deviceSlotOfPosition(kEsc), false);
    pending.KeyEnabled = 0;
    pending.ItemCountOnList = kDefaultButtonCount;
    apply(kEsc);
    EXPECT_EQ(entry(kEsc), (Entry{0, 0, 0x29, 0}));
    EXPECT_EQ(record(kEsc).mapType, TYPE_SINGLE);
    EXPECT_EQ(record(kEsc).mapData[0], 0);
    EXPECT_TRUE(isKeyEnabled(image->working.mouseData, deviceSlotOfPosition(kEsc)));
    EXPECT_EQ(pending.KeyEnabled, 1);
}

TEST_F(Assign, ARecordThatLostItsCodeStillGetsTheKeysOwnEntry) {
    struct Case {
        const char* what;
        std::uint8_t type;
        std::uint32_t count;
        Entry entry;
    };
    const Case cases[] = {
        {"Default button", TYPE_SINGLE, kDefaultButtonCount, {0, 0, 0x14, 0}},
        {"Type_NONE", Type_NONE, 0, {0, 0, 0x14, 0}},
        {"Play Sound", TYPE_PLAY_SOUND, 0, {10, 0, 0x51, 0}},
    };
    for (const Case& c : cases) {
        record(kQ).keyCode = 0;  // a zeroed table, say
        pending = PendingAssignment{};
        pending.mapType = c.type;
        pending.ItemCountOnList = c.count;
        apply(kQ);
        EXPECT_EQ(entry(kQ), c.entry) << c.what;
        EXPECT_EQ(record(kQ).keyCode, 0x51) << c.what;
    }
}

TEST_F(Assign, HostActionReportsFindTheFirstHostRecord) {
    auto& records = image->working.keyAssignments.records;
    records[200].keyCode = 0x1B;
    records[200].mapType = TYPE_STARTUP;
    records[kEsc].mapType = TYPE_BASIC;  // same code, not a host action
    EXPECT_EQ(findHostActionRecord(image->working.keyAssignments, 0x1B), &records[200]);
    pending = PendingAssignment{};
    pending.mapType = TYPE_PLAY_SOUND;
    apply(kEsc);
    EXPECT_EQ(findHostActionRecord(image->working.keyAssignments, 0x1B), &records[kEsc]);
    EXPECT_EQ(findHostActionRecord(image->working.keyAssignments, 0x1C), nullptr);
}

TEST_F(Assign, NoneUsesTheLabelTableUsage) {
    setKeyEnabled(image->working.mouseData, deviceSlotOfPosition(kBackslash), false);
    keys(TYPE_COMBINE, {0xA2, 0x41});
    apply(kBackslash);
    pending.mapType = Type_NONE;
    apply(kBackslash);
    EXPECT_EQ(entry(kBackslash), (Entry{0, 0, 0x32, 0}));  // not the factory 0x31
    EXPECT_EQ(record(kBackslash).keyCount, 0);
    EXPECT_EQ(record(kBackslash).mapData[0], 0);
    EXPECT_TRUE(isKeyEnabled(image->working.mouseData, deviceSlotOfPosition(kBackslash)));
}

TEST_F(Assign, MacrosRebuildTheSlotsFromTheSavedStore) {
    setFixedText(image->macroStore.records[0].name, u"M0");
    setFixedText(image->macroStore.records[1].name, u"M1");
    image->macroStore.records[1].loopCount = 0x0102;
    image->macroStore.records[1].deviceEvents[1] = 0x04;
    image->working.mouseData.MacroSlots[5 * kMacroSlotSize] = 0x77;  // past the used slots
    pending = PendingAssignment{};
    pending.mapType = TYPE_MACRO;
    pending.MacroIndex = 1;
    apply(kQ);
    EXPECT_EQ(entry(kQ), (Entry{4, 1, 1, 0}));
    EXPECT_EQ(record(kQ).mapData[0], 4);
    EXPECT_EQ(record(kQ).mapData[2], 1);
    const auto slot = macroSlot(image->working.mouseData, 1);
    EXPECT_EQ(slot[0], 0x01);
    EXPECT_EQ(slot[1], 0x02);
    EXPECT_EQ(slot[3], 0x04);
    EXPECT_EQ(image->working.mouseData.MacroSlots[5 * kMacroSlotSize], 0x77);

    for (int index : {-1, 32, 200}) {
        SCOPED_TRACE(index);
        image->modifiedKeyFlags[kA] = 0;
        pending.MacroIndex = index;
        apply(kA);
        EXPECT_EQ(entry(kA), (Entry{0, 0, 0x04, 0}));  // no slot the keyboard has
        EXPECT_EQ(record(kA).mapType, TYPE_MACRO);
        EXPECT_EQ(record(kA).mapData[2], static_cast<std::uint8_t>(index));
        EXPECT_EQ(image->modifiedKeyFlags[kA], 0);
    }
}

TEST_F(Assign, ConfirmRunsTheEnableStepAndWritesKeymap) {
    image->modifiedKeyFlags[kQ] = 1;
    keys(TYPE_SINGLE, {0x51});  // own key: not modified, unless disabled
    pending.KeyEnabled = 0;
    ASSERT_EQ(confirmKeyAssignment(*image, pending, kQ, dir.path()), AssignmentResult::Applied);
    EXPECT_FALSE(isKeyEnabled(image->working.mouseData, deviceSlotOfPosition(kQ)));
    EXPECT_EQ(image->modifiedKeyFlags[kQ], 1);
    const auto bytes = test::readBytes(dir / "keymap.bin");
    ASSERT_EQ(bytes.size(), kKeymapFileSize);
    EXPECT_EQ(std::memcmp(bytes.data(), &image->working, kKeymapFileSize), 0);

    pending.KeyEnabled = 1;
    confirmKeyAssignment(*image, pending, kQ, dir.path());
    EXPECT_TRUE(isKeyEnabled(image->working.mouseData, deviceSlotOfPosition(kQ)));
    EXPECT_EQ(image->modifiedKeyFlags[kQ], 0);
}

}  // namespace
}  // namespace orvane
