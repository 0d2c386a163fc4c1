#include "mainwindow/model/maincontroller.h"

#include "keyboardstate/keytables.h"
#include "keyboardstate/modifiedkeys.h"
#include "mainwindow/model/displayrules.h"
#include "mainwindow/model/lightingactions.h"
#include "mainwindow/model/hittest.h"
#include "mainwindow/model/optionactions.h"
#include "settings/macroslots.h"
#include "settings/settingsfiles.h"

namespace orvane {

MainWindowController::MainWindowController(SettingsImage& image, MainWindowState& state,
                                           std::filesystem::path dataFolder, MainWindowHost& host)
    : image_(image), state_(state), dataFolder_(std::move(dataFolder)), host_(host) {}

void MainWindowController::onLButtonDown() {
    state_.ButtonHeld = true;
}

void MainWindowController::onLButtonUp(int x, int y) {
    MouseData& data = image_.working.mouseData;
    if (state_.EffectListOpen) {
        if (releaseOnEffectList(data, state_, x, y)) state_.slider(SliderKind::Speed).visible = true;
    } else if (state_.Popup_ResponseTime) {
        releaseOnResponseTimeList(data, state_, x, y);
    } else if (state_.HelpWindowOpen) {
        onHelpWindowRelease(x, y);
    } else {
        actOnRegion(HitTestRegion(x, y, state_, data.ledEffect.LEDEffectMode));
        state_.SelectedKeyPosition = KeyAtPoint(x, y, state_.DiyColorMode);
        if (state_.SelectedKeyPosition != kNoKey) onKeyClick(state_.SelectedKeyPosition);
    }
    repaint();
}

void MainWindowController::onHelpWindowRelease(int x, int y) {
    if (x >= 830 && x <= 996 && y >= 22 && y <= 99) {
        const int row = (y - 22) / 25;
        if (row == 0) host_.openWebAddress();
        if (row == 1) host_.startUpdater();
    }
    state_.HelpWindowOpen = false;
}

void MainWindowController::actOnRegion(int code) {
    MouseData& data = image_.working.mouseData;
    switch (code) {
        case kRegionHelp: state_.HelpWindowOpen = !state_.HelpWindowOpen; break;
        case kRegionMinimise: host_.hideWindow(); break;
        case kRegionClose: closeWindow(); break;
        case kRegionEffectField:
            openEffectList(state_);
            // Hidden at once so they cannot take clicks meant for the list.
            state_.slider(SliderKind::Speed).visible = false;
            state_.slider(SliderKind::Brightness).visible = false;
            break;
        case kRegionDirectionTop:
        case kRegionDirectionBottom:
        case kRegionDirectionRight:
        case kRegionDirectionLeft: chooseDirection(data, code); break;
        case kRegionMacroButton: host_.runMacroManager(); break;
        case kRegionGameModeOn: data.GameMode = 1; break;
        case kRegionGameModeOff: data.GameMode = 0; break;
        case kRegionResponseField: state_.Popup_ResponseTime = true; break;
        case kRegionProfile: runProfileManager(); break;
        case kRegionDefault: restoreFactorySettings(); break;
        case kRegionCancel: cancel(); break;
        case kRegionSave: save(); break;
        case kRegionLightingHeader:
            state_.LightingCollapsed = !state_.LightingCollapsed;
            repaint();
            break;
        case kRegionGameModeHeader: state_.GameModeCollapsed = !state_.GameModeCollapsed; break;
        case kRegionResponseHeader: state_.ResponseTimeCollapsed = !state_.ResponseTimeCollapsed; break;
        case kRegionReportRateHeader:
            state_.ReportRateCollapsed = !state_.ReportRateCollapsed;
            repaint();
            break;
        case kRegionWinLockOn: data.WinLock = 1; break;
        case kRegionWinLockOff: data.WinLock = 0; break;
        case kRegionKeymapChoice: state_.DiyColorMode = false; break;
        case kRegionDiyChoice: state_.DiyColorMode = true; break;
        default:
            if (code >= kRegionSwatchFirst && code <= kRegionSwatchLast) {
                const int swatch = code - kRegionSwatchFirst + 1;
                std::optional<Rgb> colour;
                if (swatchClickAsksColour(data, state_, swatch)) colour = host_.chooseColor();
                clickSwatch(data, state_, swatch, colour);
            }
            break;
    }
}

void MainWindowController::onKeyClick(std::uint8_t position) {
    if (state_.DiyColorMode) {
        MouseData& data = image_.working.mouseData;
        if (!keyColourClickable(data, position)) return;
        if (const auto colour = host_.chooseColor()) setKeyColour(data, position, *colour);
    } else {
        editKeyAssignment(position);
    }
}

void MainWindowController::editKeyAssignment(std::uint8_t position) {
    if (position >= kKeyPositionCount) return;
    state_.CurrentKeyCode = VirtualKeyDefaults[position];
    loadKeymapFile(image_, dataFolder_, KeymapPart::KeyAssignmentsOnly);
    tellUnreadableFiles();
    if (!host_.runKeyAssignment(position, pending_)) return;
    const AssignmentResult result = confirmKeyAssignment(image_, pending_, position, dataFolder_);
    // An unreadable keymap.bin is left alone on purpose and was told of already.
    if (result == AssignmentResult::WriteFailed && !image_.unreadableFiles.keymap) {
        const std::int16_t language = image_.languageCode;
        host_.showMessage(keymapNotWrittenText(dataFolder_ / kKeymapFileName, language),
                          unreadableFileCaption(language));
    }
}

void MainWindowController::onMouseMove(int x, int y, bool leftButtonDown) {
    // A move with the button up ends any drag that a press may have begun.
    if (!leftButtonDown) state_.ButtonHeld = false;
    const std::uint8_t mode = image_.working.mouseData.ledEffect.LEDEffectMode;
    if (state_.EffectListOpen) {
        hoverEffectList(state_, x, y);
    } else if (state_.Popup_ResponseTime) {
        hoverResponseTimeList(state_, x, y);
    }
    const int region = HitTestRegion(x, y, state_, mode);
    const std::uint8_t key = KeyAtPoint(x, y, state_.DiyColorMode);
    if (state_.ButtonHeld && region == kRegionNone && key == kNoKey && !state_.EffectListOpen &&
        !state_.Popup_ResponseTime) {
        host_.startWindowDrag();
    }
    state_.SelectedKeyPosition = key;
    if (key != state_.LastHoverKey) {
        state_.LastHoverKey = key;
        repaint();
    } else if (key == kNoKey && (region != kRegionNone || state_.SelectedEffectItem != kNoItem ||
                                 state_.SelectedResponseTimeItem != kNoItem)) {
        repaint();
    }
}

void MainWindowController::onFocusLost() {
    repaint();
}

void MainWindowController::onSliderMoved(int id) {
    const SliderKind kind = sliderKindOfId(id);
    const auto index = static_cast<std::size_t>(kind);
    if (state_.sliders[index].position == state_.LastSliderPos[index]) return;
    settleSlider(image_, state_, kind);
    host_.drawSliderFace(kind);
    state_.LastSliderPos[index] = state_.sliders[index].position;
}

void MainWindowController::repaint() {
    settleMainWindow(image_, state_);
    host_.paintAll();
}

void MainWindowController::save() {
    host_.setWaitCursor(true);
    const SaveOutcome outcome = host_.writeAll();
    if (outcome == SaveOutcome::NoAcknowledgement || outcome == SaveOutcome::NotConnected) {
        // Nothing pretends to be saved: the saved copy keeps its old value so
        // the next Save sends the change again.
        host_.setWaitCursor(false);
        host_.showMessage(saveFailureText(outcome, image_.languageCode),
                          saveFailureCaption(image_.languageCode));
        return;
    }
    copyWorkingToSaved(image_);
    macroChangesSent(image_);
    writeKeymapFromWorking(image_, dataFolder_);
    host_.setWaitCursor(false);
}

void MainWindowController::cancel() {
    host_.hideWindow();
    copySavedToWorking(image_);
    keepUnsentMacroChanges(image_);
    syncSlidersFromSettings();
    computeModifiedKeyFlags(image_.working.mouseData, image_.working.keyAssignments,
                            image_.modifiedKeyFlags);
    state_.DiyColorMode = image_.working.mouseData.ledEffect.LEDEffectMode >= kFirstKeyColorEffect;
    writeKeymapFromWorking(image_, dataFolder_);
}

void MainWindowController::closeWindow() {
    writeKeymapFromSaved(image_, dataFolder_);
    host_.closeMainDialog();
}

void MainWindowController::restoreFactorySettings() {
    const FactoryResetQuestion q = factoryResetQuestion(image_.languageCode);
    if (!host_.confirm(q.text, q.caption)) return;
    host_.setWaitCursor(true);
    state_.DiyColorMode = false;
    state_.LightingCollapsed = state_.GameModeCollapsed = true;
    state_.ResponseTimeCollapsed = state_.ReportRateCollapsed = true;
    host_.factoryResetKeyboard();
    syncSlidersFromSettings();
    settleAfterFactoryReset(image_, dataFolder_);
    host_.setWaitCursor(false);
}

void MainWindowController::runProfileManager() {
    host_.runProfileManager();
    host_.sendRefresh(1);
}

void MainWindowController::tellUnreadableFiles() {
    notices_.tell(image_, dataFolder_, host_);
}

void MainWindowController::syncSlidersFromSettings() {
    setSlidersFromSettings(state_, image_);
    host_.applySliderPositions();
}

std::u16string_view saveFailureText(SaveOutcome outcome, std::int16_t languageCode) {
    const bool chinese = languageCode == kLanguageChinese;
    if (outcome == SaveOutcome::NotConnected) {
        return chinese ? u"未检测到键盘，设置未保存。" : u"No keyboard is connected. The settings were not saved.";
    }
    return chinese ? u"键盘没有响应，设置未保存。请重新连接键盘后再保存。"
                   : u"The keyboard stopped answering. The settings were not saved; reconnect the keyboard and save again.";
}

std::u16string_view saveFailureCaption(std::int16_t languageCode) {
    return languageCode == kLanguageChinese ? u"保存" : u"Save";
}

}  // namespace orvane
