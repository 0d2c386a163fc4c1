// The profile manager's commands as the panel runs them, on real folders,
// with every message, question and chooser answered by the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "profiles/model/configurelayout.h"
#include "profiles/model/configurepanel.h"
#include "support/profilebytes.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::profileBytes;
using test::randomBytes;
using test::readBytes;
using test::writeBytes;
using Names = std::vector<std::string>;
using Bytes = std::vector<unsigned char>;
using Texts = std::vector<std::u16string>;

class PanelTest : public ::testing::Test {
protected:
    fs::path folder() const { return dir.path() / "Configure"; }
    void profile(const std::string& name, std::size_t size = 206920, unsigned seed = 1) {
        fs::create_directories(folder());
        writeBytes(folder() / (name + ".bin"), profileBytes(size, seed));
    }
    void openWith(std::int16_t language = kLanguageEnglish) {
        panel = std::make_unique<ConfigurePanel>(*image, dialogs, DataFolders{dir.path(), dir.path()}, language);
        panel->open();
    }
    void selectName(const std::string& name) {
        const auto& names = panel->names();
        panel->select(static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin()));
    }
    Names filesOnDisk() const {
        Names out;
        for (const auto& e : fs::directory_iterator(folder())) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    Bytes working() const {
        const auto* p = reinterpret_cast<const unsigned char*>(&image->working);
        return Bytes(p, p + 206920);
    }

    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<ConfigurePanel> panel;
};

TEST(ConfigureLayout, ReleasesFallOnTheButtonsWithInclusiveBounds) {
    struct Case {
        int x, y;
        ConfigureRegion region;
    };
    const Case cases[] = {
        {247, 11, ConfigureRegion::None},   {248, 11, ConfigureRegion::Close}, {262, 24, ConfigureRegion::Close},
        {262, 25, ConfigureRegion::None},   {14, 576, ConfigureRegion::New},   {79, 624, ConfigureRegion::New},
        {80, 600, ConfigureRegion::None},   {13, 600, ConfigureRegion::None},  {184, 576, ConfigureRegion::Delete},
        {249, 624, ConfigureRegion::Delete}, {249, 625, ConfigureRegion::None}, {100, 300, ConfigureRegion::None},
    };
    for (const auto& c : cases) EXPECT_EQ(configureRegionAt(c.x, c.y), c.region) << c.x << "," << c.y;
}

TEST_F(PanelTest, OpeningMakesTheMissingFolderQuietly) {
    openWith();
    EXPECT_TRUE(fs::is_directory(folder()));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(panel->names().empty());
}

// Each command that needs a selection says so, in the panel's language.
TEST_F(PanelTest, CommandsWithoutASelectionTellTheUser) {
    struct Case {
        int command;
        std::u16string english, chinese;
    };
    const Case cases[] = {
        {kCommandProfileCopy, u"Please select a profile to copy\n", u"请选择一个配置拷贝"},
        {kCommandProfileSave, u"Please select a profile to Save\n", u"请选择一个配置存储"},
        {kCommandProfileLoad, u"Please select a profile to Open\n", u"请选择一个配置打开"},
        {kCommandProfileDelete, u"Please select a profile to delete\n", u"请选择一个配置删除"},
    };
    profile("a");
    profile("b");
    for (const auto& c : cases) {
        for (const std::int16_t language : {kLanguageEnglish, kLanguageChinese}) {
            dialogs.messages.clear();
            openWith(language);
            panel->onCommand(c.command);
            EXPECT_EQ(dialogs.messages, Texts{language == kLanguageChinese ? c.chinese : c.english}) << c.command;
            EXPECT_TRUE(dialogs.fileRequests.empty());
        }
    }
    EXPECT_EQ(filesOnDisk(), (Names{"a.bin", "b.bin"}));
    panel->onCommand(4242);  // not a command of the menu
    EXPECT_EQ(filesOnDisk(), (Names{"a.bin", "b.bin"}));
}

TEST_F(PanelTest, NewFillsTheGapWithTheWorkingStateAndASeventhIsRefused) {
    profile("Profile_1");
    profile("Profile_3");
    openWith();
    image->working.mouseData.ledEffect.LEDEffectMode = 4;
    panel->onCommand(kCommandProfileNew);
    EXPECT_EQ(panel->names(), (Names{"Profile_1", "Profile_2", "Profile_3"}));
    const Bytes made = readBytes(folder() / "Profile_2.bin");
    ASSERT_EQ(made.size(), 10060u);
    EXPECT_TRUE(std::equal(made.begin(), made.end(), working().begin()));
    for (int i = 0; i < 3; ++i) panel->onNew();
    EXPECT_TRUE(dialogs.messages.empty());
    panel->onNew();
    EXPECT_EQ(dialogs.messages, Texts{u"Only Create Six Profile mostly\n"});
    EXPECT_EQ(filesOnDisk().size(), 6u);
}

TEST_F(PanelTest, SaveAsksForAFileAndACancelledChooserStillSavesTheProfile) {
    profile("p", 206920, 2);
    openWith();
    panel->select(0);
    image->working.mouseData.GameMode = 1;
    panel->onCommand(kCommandProfileSave);
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const FileRequest& asked = dialogs.fileRequests[0];
    EXPECT_EQ(asked.folder, dir.path());
    EXPECT_EQ(asked.filters, u"bin Files(*.bin)");
    EXPECT_EQ(asked.initialName, u"*.bin");
    EXPECT_EQ(asked.defaultSuffix, u"bin");
    EXPECT_FALSE(asked.mustExist);
    EXPECT_EQ(readBytes(folder() / "p.bin"), working());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(panel->selection(), 0);  // Save keeps the selection
}

// The reviewer's case: MacroDefine.bin chosen in Save's chooser. It is
// refused there, the person picks again, and the macros stay as they were.
TEST_F(PanelTest, TheChoosersRefuseTheUtilitysOwnFiles) {
    profile("p", 206920, 2);
    const Bytes macros = randomBytes(169860, 5), keymap = randomBytes(206920, 6);
    writeBytes(dir.path() / "MacroDefine.bin", macros);
    writeBytes(dir.path() / "keymap.bin", keymap);
    openWith();
    panel->select(0);
    image->working.mouseData.GameMode = 1;
    const fs::path exported = dir.path() / "export.bin";
    dialogs.files = {dir.path() / "MacroDefine.bin", dir.path() / "keymap.bin", exported};
    panel->onSave();
    const std::u16string refusal = panel->texts().ownSettingsFile;
    EXPECT_EQ(dialogs.messages, (Texts{refusal, refusal}));
    EXPECT_EQ(readBytes(dir.path() / "MacroDefine.bin"), macros);
    EXPECT_EQ(readBytes(dir.path() / "keymap.bin"), keymap);
    EXPECT_EQ(readBytes(exported), working());
    EXPECT_EQ(dialogs.fileRequests.back().refusalCaption, u"Profile");

    dialogs.messages.clear();
    panel->select(0);
    const Bytes before = working();
    dialogs.files = {dir.path() / "MacroDefine.bin"};  // then the chooser is cancelled
    panel->onLoad();
    EXPECT_EQ(dialogs.messages, Texts{refusal});
    EXPECT_EQ(working(), before);
}

TEST_F(PanelTest, LoadTakesTheChosenProfileAndCancelChangesNothing) {
    profile("a", 206920, 3);
    profile("b", 206920, 4);
    openWith();
    selectName("a");
    image->working.mouseData.GameMode = 1;
    const Bytes before = working();
    panel->onCommand(kCommandProfileLoad);  // cancelled
    EXPECT_EQ(working(), before);
    EXPECT_EQ(readBytes(folder() / "a.bin"), profileBytes(206920, 3));

    dialogs.files = {folder() / "b.bin"};
    panel->onLoad();
    const Bytes b = profileBytes(206920, 4);
    EXPECT_TRUE(std::equal(b.begin(), b.begin() + 10060, working().begin()));
    EXPECT_EQ(readBytes(folder() / "a.bin"), working());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.fileRequests.back().mustExist);
}

TEST_F(PanelTest, LoadOfAZeroProfileKeepsTheKeyboardStateAndSaysSo) {
    fs::create_directories(folder());
    writeBytes(folder() / "old.bin", Bytes(10060, 0));
    openWith(kLanguageChinese);
    panel->select(0);
    image->working.mouseData.ledEffect.LEDEffectBrightness = 4;
    image->working.mouseData.KeyEnableMask.fill(0xFF);
    const MouseData before = image->working.mouseData;
    dialogs.files = {folder() / "old.bin"};
    panel->onLoad();
    EXPECT_EQ(std::memcmp(&image->working.mouseData, &before, sizeof before), 0);
    EXPECT_EQ(dialogs.messages, Texts{u"此配置不包含键盘设置，已保留当前的键盘设置。"});
}

TEST_F(PanelTest, DeleteKeepsTheLastProfileAndAsksBeforeDeleting) {
    profile("only");
    openWith();
    panel->select(0);
    panel->onCommand(kCommandProfileDelete);
    EXPECT_EQ(dialogs.messages, Texts{u"Please keep a profile\n"});
    EXPECT_TRUE(dialogs.questions.empty());

    profile("two");
    openWith();
    selectName("two");
    dialogs.answers = {false, true};
    panel->onDelete();
    EXPECT_EQ(dialogs.questions, Texts{u"Delete current profile ?"});
    EXPECT_EQ(filesOnDisk(), (Names{"only.bin", "two.bin"}));
    EXPECT_EQ(panel->selection(), -1);  // cancelled: the folder is scanned again
    selectName("two");
    panel->onDelete();
    EXPECT_EQ(filesOnDisk(), Names{"only.bin"});
    EXPECT_EQ(panel->names(), Names{"only"});
}

TEST_F(PanelTest, RenameOntoAnExistingNameIsUndoneAndTheFileKept) {
    profile("a", 206920, 1);
    profile("b", 206920, 2);
    openWith();
    panel->onRename(0, "b");
    EXPECT_EQ(dialogs.messages, Texts{u"A profile with this name exists already."});
    EXPECT_EQ(panel->names(), (Names{"a", "b"}));
    EXPECT_EQ(readBytes(folder() / "a.bin"), profileBytes(206920, 1));
    EXPECT_EQ(readBytes(folder() / "b.bin"), profileBytes(206920, 2));

    dialogs.messages.clear();
    panel->onRename(0, "../../escape");
    EXPECT_EQ(dialogs.messages, Texts{u"A profile name cannot contain \"/\" or \"..\"."});
    panel->onRename(0, "Gaming");
    EXPECT_EQ(panel->names(), (Names{"b", "Gaming"}));
    EXPECT_EQ(readBytes(folder() / "Gaming.bin"), profileBytes(206920, 1));
    EXPECT_EQ(filesOnDisk(), (Names{"Gaming.bin", "b.bin"}));
}

}  // namespace
}  // namespace orvane
