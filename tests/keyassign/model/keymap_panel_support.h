// The key assignment panel's logic with a host that records what it is asked
// and dialogs that note whether capture was paused while they were open.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "keyassign/model/keymappanel.h"
#include "keyboardstate/keytables.h"
#include "settings/settingsfiles.h"
#include "support/scripteddialogs.h"

namespace orvane::test {

struct RecordingPanelHost : KeyMapPanelHost {
    std::vector<std::string> calls;
    std::u16string single, combine;
    std::vector<FunctionTreeItem> tree;
    std::u16string treeSelected;
    std::vector<std::u16string> macros;
    std::optional<std::u16string> selectedTree;
    int selectedMacro = -1;
    int macroFocus = -2;
    bool hookAvailable = true;
    bool hookActive = false;
    std::optional<PanelResult> ended;

    int count(const std::string& name) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), name));
    }
    void loadBackground() override { calls.push_back("loadBackground"); }
    void placeControls() override {
        calls.push_back("placeControls");
        single.clear();
        combine.clear();
    }
    void fillTree(const std::vector<FunctionTreeItem>& items, std::u16string_view select) override {
        calls.push_back("fillTree");
        tree = items;
        treeSelected = select;
    }
    void fillMacroList(const std::vector<std::u16string>& names) override {
        calls.push_back("fillMacroList");
        macros = names;
    }
    void setBoxText(CaptureBox box, std::u16string_view text) override {
        (box == CaptureBox::Single ? single : combine) = text;
    }
    void focusBox(CaptureBox box) override {
        calls.push_back(box == CaptureBox::Single ? "focusSingle" : "focusCombine");
    }
    void focusMacroList(int item) override {
        calls.push_back("focusMacroList");
        macroFocus = item;
    }
    void focusTree() override { calls.push_back("focusTree"); }
    bool installHook() override {
        calls.push_back("installHook");
        hookActive = hookAvailable;
        return hookAvailable;
    }
    void removeHook() override {
        calls.push_back("removeHook");
        hookActive = false;
    }
    std::optional<std::u16string> selectedTreeText() override { return selectedTree; }
    int selectedMacroIndex() override { return selectedMacro; }
    void startDrag() override { calls.push_back("drag"); }
    void end(PanelResult result) override { ended = result; }
};

// Scripted dialogs that also note whether the hook was capturing when each opened.
struct PausingDialogs : ScriptedDialogs {
    explicit PausingDialogs(RecordingPanelHost& h) : host(h) {}
    RecordingPanelHost& host;
    std::vector<bool> hookActiveAtDialog;
    std::vector<std::u16string> folderTitles;

    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        hookActiveAtDialog.push_back(host.hookActive);
        ScriptedDialogs::showMessage(text, caption);
    }
    std::optional<std::filesystem::path> openFile(FileRequest& request) override {
        hookActiveAtDialog.push_back(host.hookActive);
        return ScriptedDialogs::openFile(request);
    }
    std::optional<std::filesystem::path> chooseFolder(std::u16string_view title,
                                                      const std::filesystem::path& start) override {
        hookActiveAtDialog.push_back(host.hookActive);
        folderTitles.emplace_back(title);
        return ScriptedDialogs::chooseFolder(title, start);
    }
};

constexpr std::uint8_t kQ = 42, kA = 63;

class PanelTest : public ::testing::Test {
public:  // the table-driven cases act on the fixture
    void SetUp() override {
        image->languageCode = kLanguageEnglish;
        image->working.mouseData.DeviceKeyTable = DefaultDeviceKeyTable;
        image->working.mouseData.KeyEnableMask.fill(0xFF);
        stampKeyCodes(image->working.keyAssignments);
    }
    KeyAssignment& record(std::uint8_t p = kQ) { return image->working.keyAssignments.records[p]; }
    void assign(std::uint8_t type, std::vector<std::uint8_t> data, std::uint8_t count, std::uint8_t p = kQ) {
        KeyAssignment& r = record(p);
        r.mapType = type;
        r.keyCount = count;
        r.mapData.fill(0);
        std::copy(data.begin(), data.end(), r.mapData.begin());
    }
    void open(std::uint8_t p = kQ) {
        host.calls.clear();
        host.ended.reset();
        panel.open(*image, pending, p, VirtualKeyDefaults[p]);
    }
    void click(int x, int y) { panel.onLButtonUp(x, y); }
    void clickTab(int page) { click(20 + 81 * page, 44); }
    void clickSave() { click(280, 256); }
    void clickDefault() { click(170, 256); }
    void clickCancel() { click(225, 256); }
    void clickDisable() { click(24, 255); }
    void clickBrowse(int row) { click(270, 75 + 30 * row); }
    void clickRadio(int row) { click(20, 76 + 30 * row); }
    std::u16string path() const { return std::u16string(fixedText(pending.PathOrFileName)); }

    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    PendingAssignment pending;
    RecordingPanelHost host;
    PausingDialogs dialogs{host};
    KeyMapPanel panel{host, dialogs, "/home/someone"};
};

}  // namespace orvane::test
