// The main window as its window-free logic sees it: every call recorded,
// the answers scripted.
#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "mainwindow/model/mainwindowhost.h"
#include "settings/keyassignment.h"

namespace orvane::test {

struct RecordingHost : MainWindowHost {
    std::vector<std::string> calls;
    std::optional<Rgb> colour;
    bool confirmAnswer = true;
    bool panelOk = false;
    bool enableAfterApply = true;
    SaveOutcome outcome = SaveOutcome::Sent;
    int paints = 0;

    int count(const std::string& name) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), name));
    }
    void paintAll() override { ++paints; }
    void drawSliderFace(SliderKind) override { calls.push_back("drawSliderFace"); }
    void applySliderPositions() override { calls.push_back("applySliderPositions"); }
    void hideWindow() override { calls.push_back("hide"); }
    void closeMainDialog() override { calls.push_back("closeDialog"); }
    void setWaitCursor(bool) override {}
    void startWindowDrag() override { calls.push_back("drag"); }
    std::optional<Rgb> chooseColor() override {
        calls.push_back("chooseColor");
        return colour;
    }
    bool confirm(std::u16string_view, std::u16string_view) override {
        calls.push_back("confirm");
        return confirmAnswer;
    }
    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        calls.push_back("message");
        messages.emplace_back(text);
        captions.emplace_back(caption);
    }
    std::vector<std::u16string> messages, captions;
    SaveOutcome writeAll() override {
        calls.push_back("writeAll");
        return outcome;
    }
    void factoryResetKeyboard() override { calls.push_back("factoryReset"); }
    void runMacroManager() override { calls.push_back("macroManager"); }
    void runProfileManager() override { calls.push_back("profileManager"); }
    std::function<void()> whilePanelOpen;
    bool runKeyAssignment(std::uint8_t, PendingAssignment& pending) override {
        calls.push_back("keyAssignment");
        if (whilePanelOpen) whilePanelOpen();
        // The panel's answer: disable the key, or leave it as it is.
        pending.mapType = Type_NONE;
        pending.KeyEnabled = enableAfterApply ? 1 : 0;
        return panelOk;
    }
    void openWebAddress() override { calls.push_back("web"); }
    void startUpdater() override { calls.push_back("updater"); }
    void sendRefresh(int kind) override { calls.push_back("refresh" + std::to_string(kind)); }
};

}  // namespace orvane::test
