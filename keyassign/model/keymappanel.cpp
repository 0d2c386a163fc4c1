#include "keyassign/model/keymappanel.h"

#include <algorithm>

#include "keyassign/model/actionpath.h"
#include "keyboardstate/keylabels.h"
#include "keyassign/model/keymaptexts.h"
#include "keyboardstate/keytables.h"

namespace orvane {

namespace {

// A combination reads label, "+ ", label, ...; labels end in a space.
std::u16string joinedLabels(const std::uint8_t* keys, std::size_t count, bool skipZeros) {
    std::u16string text;
    bool first = true;
    for (std::size_t i = 0; i < count; ++i) {
        if (skipZeros && keys[i] == 0) continue;
        if (!first) text += u"+ ";
        text += keyLabel(keys[i]);
        first = false;
    }
    return text;
}

constexpr std::size_t kCombinationKeys = 3;

}  // namespace

KeyMapPanel::KeyMapPanel(KeyMapPanelHost& host, Dialogs& dialogs, std::filesystem::path chooserFolder)
    : host_(host), dialogs_(dialogs), chooserFolder_(std::move(chooserFolder)) {
    rebuildKeyMapBmpInformation(KeyMap_BmpInformation);
}

KeyAssignment& KeyMapPanel::record() { return record_; }

std::int16_t KeyMapPanel::languageCode() const {
    return image_ != nullptr ? image_->languageCode : kLanguageEnglish;
}

std::u16string_view KeyMapPanel::currentKeyLabel() const { return keyLabel(currentKeyCode_); }

const std::u16string& KeyMapPanel::boxText(CaptureBox box) const {
    return box == CaptureBox::Single ? singleText_ : combineText_;
}

std::u16string KeyMapPanel::pathText() const {
    if (pending_ == nullptr) return {};
    return advancePathText(fixedText(pending_->PathOrFileName));
}

void KeyMapPanel::open(SettingsImage& image, PendingAssignment& pending, std::uint8_t position,
                       std::uint8_t currentKeyCode) {
    image_ = &image;
    pending_ = &pending;
    currentKeyCode_ = currentKeyCode;
    result_.reset();
    if (position >= kKeyPositionCount) {
        // No key of the picture: nothing to show and nothing to change.
        result_ = PanelResult::Cancel;
        return;
    }
    position_ = position;
    record_ = image.working.keyAssignments.records[position];
    hover_ = kKeyMapNoRegion;
    hoverBrowse_ = kNoCell;
    hookInstalled_ = false;
    capturePaused_ = false;
    const std::int16_t language = image.languageCode;

    host_.loadBackground();                                  // 1
    rebuildKeyMapBmpInformation(KeyMap_BmpInformation);      // 2
    page_ = kPageSingle;
    singleText_.clear();                                     // 3
    combineText_.clear();
    host_.placeControls();
    const KeyAssignment& r = record();
    if (r.mapType == TYPE_BASIC) {                           // 4
        setPendingFunctionName(pending, storedFunctionName(r, language));
    }
    host_.fillTree(functionTreeItems(language), fixedText(pending.FunctionName));  // 5
    macroNames_.clear();                                     // 6
    for (const MacroRecord& m : image.macroStore.records) {
        // Only the keyboard's slots can be played; later names never reach it.
        if (fixedText(m.name).empty() || macroNames_.size() == kMacroSlotCount) break;
        macroNames_.emplace_back(fixedText(m.name));
    }
    host_.fillMacroList(macroNames_);
    pending.CapturedKeys.fill(0);                            // 7
    pending.ItemCountOnList = 0;
    advancedItem_ = kNoRow;
    markedRow_ = kNoRow;
    preload(r);                                              // 8
    const bool enabled = isKeyEnabled(image.working.mouseData, deviceSlotOfPosition(position_));  // 9
    KeyMap_BmpInformation[kKeyMapDisable].BmpIndex = enabled ? 0 : 1;
    pending.KeyEnabled = enabled ? 1 : 0;
    hookInstalled_ = host_.installHook();                    // 10
}

void KeyMapPanel::preload(const KeyAssignment& r) {
    PendingAssignment& p = pending();
    p.mapType = r.mapType;
    p.ItemCountOnList = r.keyCount;
    switch (r.mapType) {
        case TYPE_SINGLE:
            setBox(CaptureBox::Single, std::u16string(keyLabel(r.mapData[0])));
            p.CapturedKeys = r.mapData;
            p.ItemCountOnList = 1;
            keepOnce_ = true;  // set before the focus, so the box keeps what it shows
            focusBox(CaptureBox::Single);
            break;
        case TYPE_COMBINE:
            setBox(CaptureBox::Combine, joinedLabels(r.mapData.data(), kCombinationKeys, true));
            p.CapturedKeys = r.mapData;
            keepOnce_ = true;
            focusBox(CaptureBox::Combine);
            break;
        case TYPE_MACRO:
            if (r.mapData[0] == KIND_MACRO) {
                page_ = kPageMacro;
                host_.focusMacroList(r.mapData[2]);
            }
            break;
        case TYPE_BASIC:
            page_ = kPageBasic;
            // The tree shows its selection only with the focus: the stored function shows.
            host_.focusTree();
            break;
        case TYPE_PLAY_SOUND:
        case TYPE_STARTUP:
        case TYPE_OPEN_FILE:
        case TYPE_OPEN_FOLDER:
            page_ = kPageAdvance;
            // A path that does not fit (a damaged file) is shown as none rather than an old one.
            if (!setPendingPath(p, fixedText(r.actionPath))) p.PathOrFileName.fill(0);
            advancedItem_ = static_cast<std::uint8_t>(r.mapType - TYPE_PLAY_SOUND);
            break;
        default: break;
    }
}

void KeyMapPanel::close() {
    if (hookInstalled_ && !capturePaused_) host_.removeHook();
    hookInstalled_ = false;
    capturePaused_ = false;
}

// ---- capture ----------------------------------------------------------------

void KeyMapPanel::setBox(CaptureBox box, std::u16string text) {
    (box == CaptureBox::Single ? singleText_ : combineText_) = std::move(text);
    host_.setBoxText(box, boxText(box));
}

void KeyMapPanel::clearCapture() {
    pending().ItemCountOnList = 0;
    pending().CapturedKeys.fill(0);
}

void KeyMapPanel::onKeyCaptured(std::uint8_t v) {
    if (!hookInstalled_ || pending_ == nullptr || result_) return;
    PendingAssignment& p = pending();
    if (p.mapType != TYPE_SINGLE && p.mapType != TYPE_COMBINE) return;
    if (keyUsage(v) == 0) {
        // The key would do nothing on the keyboard: say so instead of taking it.
        showMessage(keyMapTexts(languageCode()).noDeviceCode);
        return;
    }
    if (p.mapType == TYPE_SINGLE) {
        p.CapturedKeys[0] = v;
        p.ItemCountOnList = 1;
        setBox(CaptureBox::Single, std::u16string(keyLabel(v)));
        return;
    }
    // A fourth key starts a new combination of itself (a damaged count too).
    if (p.ItemCountOnList >= kCombinationKeys) {
        clearCapture();
        setBox(CaptureBox::Combine, {});
    }
    p.CapturedKeys[p.ItemCountOnList] = v;
    setBox(CaptureBox::Combine, joinedLabels(p.CapturedKeys.data(), p.ItemCountOnList + 1, false));
    ++p.ItemCountOnList;
}

void KeyMapPanel::focusBox(CaptureBox box) {
    applyFocusRule(box);
    host_.focusBox(box);
}

void KeyMapPanel::onBoxFocused(CaptureBox box) {
    if (pending_ == nullptr || result_) return;
    applyFocusRule(box);
}

void KeyMapPanel::applyFocusRule(CaptureBox box) {
    PendingAssignment& p = pending();
    const std::uint8_t type = box == CaptureBox::Single ? TYPE_SINGLE : TYPE_COMBINE;
    if (keepOnce_ && p.mapType == type) {
        keepOnce_ = false;
        return;
    }
    p.mapType = type;
    clearCapture();
    setBox(box == CaptureBox::Single ? CaptureBox::Combine : CaptureBox::Single, {});
}

// ---- dialogs ------------------------------------------------------------------

void KeyMapPanel::pauseCapture() {
    if (!hookInstalled_ || capturePaused_) return;
    host_.removeHook();
    capturePaused_ = true;
}

void KeyMapPanel::resumeCapture() {
    if (!capturePaused_) return;
    capturePaused_ = false;
    hookInstalled_ = host_.installHook();
}

void KeyMapPanel::showMessage(std::u16string_view text) {
    pauseCapture();
    dialogs_.showMessage(text, u"");
    resumeCapture();
}

// ---- pointer ------------------------------------------------------------------

bool KeyMapPanel::onMouseMove(int x, int y, bool leftButtonDown) {
    if (pending_ == nullptr || result_) return false;
    bool changed = false;
    const std::uint8_t h = keyMapHitTest(KeyMap_BmpInformation, x, y);
    const std::uint8_t cell = page_ == kPageAdvance ? advanceCellAt(x, y) : kNoCell;
    if (h != hover_) {
        if (h == kKeyMapNoRegion) {
            for (std::size_t i = 0; i < kKeyMapRowCount; ++i) {
                if (i != kKeyMapDisable) KeyMap_BmpInformation[i].BmpIndex = 0;
            }
        }
        hover_ = h;
        if (h != kKeyMapNoRegion && h != kKeyMapDisable) KeyMap_BmpInformation[h].BmpIndex = 1;
        changed = true;
    }
    const std::uint8_t browse = (cell != kNoCell && advanceColumn(cell) == 3) ? cell : kNoCell;
    if (browse != hoverBrowse_) {
        hoverBrowse_ = browse;
        changed = true;
    }
    // Empty parts of the panel drag it; the Advance cells are not empty.
    if (leftButtonDown && h == kKeyMapNoRegion && cell == kNoCell) host_.startDrag();
    return changed;
}

void KeyMapPanel::onLButtonUp(int x, int y) {
    if (pending_ == nullptr || result_) return;
    onRegion(keyMapHitTest(KeyMap_BmpInformation, x, y));
    if (page_ == kPageAdvance) onAdvanceCell(advanceCellAt(x, y));
}

void KeyMapPanel::end(PanelResult result) {
    if (result == PanelResult::Ok && image_ != nullptr) {
        image_->working.keyAssignments.records[position_] = record_;
    }
    result_ = result;
    host_.end(result);
}

std::uint8_t KeyMapPanel::keyEnabledFromBox() const {
    return KeyMap_BmpInformation[kKeyMapDisable].BmpIndex == 0 ? 1 : 0;
}

void KeyMapPanel::onRegion(std::uint8_t region) {
    PendingAssignment& p = pending();
    switch (region) {
        case kKeyMapClose: end(PanelResult::Cancel); break;
        case kKeyMapTabSingle:
        case kKeyMapTabMacro:
        case kKeyMapTabBasic:
        case kKeyMapTabAdvance: onTab(region); break;
        case kKeyMapDisable: KeyMap_BmpInformation[kKeyMapDisable].BmpIndex ^= 1; break;
        case kKeyMapDefault:
            p.ItemCountOnList = kDefaultButtonCount;
            end(PanelResult::Ok);
            break;
        case kKeyMapCancel:
            clearCapture();
            end(PanelResult::Cancel);
            break;
        case kKeyMapSave:
            if (save()) end(PanelResult::Ok);
            break;
        default: break;  // the strip under the tabs and empty parts
    }
}

void KeyMapPanel::onTab(std::uint8_t tab) {
    PendingAssignment& p = pending();
    KeyAssignment& r = record();
    markedRow_ = kNoRow;
    // The Advance tab keeps the chosen row while the page stays open.
    if (tab != kKeyMapTabAdvance || page_ != kPageAdvance) advancedItem_ = kNoRow;
    switch (tab) {
        case kKeyMapTabSingle:
            if (page_ != kPageSingle) {
                // Coming back to keys starts from no key: the record says so at once.
                p.CapturedKeys[0] = 0;
                p.ItemCountOnList = 0;
                setBox(CaptureBox::Single, {});
                setBox(CaptureBox::Combine, {});
                p.mapType = TYPE_SINGLE;
                r.mapType = TYPE_SINGLE;
                r.keyCount = 0;
                r.mapData.fill(0);
                page_ = kPageSingle;
                focusBox(CaptureBox::Single);
            }
            break;
        case kKeyMapTabMacro:
            page_ = kPageMacro;
            p.mapType = 1;
            break;
        case kKeyMapTabBasic:
            page_ = kPageBasic;
            p.mapType = 2;
            host_.focusTree();
            break;
        case kKeyMapTabAdvance:
            if (page_ != kPageAdvance) {
                p.CapturedKeys[0] = 0;
                p.ItemCountOnList = 0;
                r.mapType = TYPE_UNCHOSEN;
                r.mapData.fill(0);
                setBox(CaptureBox::Single, {});
                setBox(CaptureBox::Combine, {});
                p.mapType = TYPE_UNCHOSEN;
            }
            page_ = kPageAdvance;
            break;
        default: break;
    }
}

bool KeyMapPanel::save() {
    PendingAssignment& p = pending();
    const KeyMapTexts& texts = keyMapTexts(languageCode());
    switch (page_) {
        case kPageSingle: {
            p.KeyEnabled = keyEnabledFromBox();
            const auto firstZero = std::find(p.CapturedKeys.begin(), p.CapturedKeys.end(), 0);
            p.ItemCountOnList = static_cast<std::uint32_t>(firstZero - p.CapturedKeys.begin());
            if (p.ItemCountOnList == 0) p.mapType = Type_NONE;
            return true;
        }
        case kPageAdvance:
            // A chosen row without its path would apply nothing while looking
            // saved; with no row chosen Save returns the key to its default.
            if (advancedItem_ != kNoRow &&
                (!isHostActionType(p.mapType) || fixedText(p.PathOrFileName).empty())) {
                showMessage(texts.pathMissing);
                return false;
            }
            p.KeyEnabled = keyEnabledFromBox();
            return true;
        case kPageBasic: {
            p.mapType = TYPE_BASIC;
            const std::optional<std::u16string> item = host_.selectedTreeText();
            if (item && isFunctionGroupText(*item)) {
                showMessage(texts.selectSubItem);
                return false;
            }
            if (!setPendingFunctionName(p, item.value_or(std::u16string()))) p.FunctionName.fill(0);
            p.KeyEnabled = keyEnabledFromBox();
            return true;
        }
        case kPageMacro:
            p.mapType = TYPE_MACRO;
            p.MacroIndex = host_.selectedMacroIndex();
            if (p.MacroIndex < 0 || p.MacroIndex >= static_cast<int>(macroNames_.size())) {
                p.MacroIndex = -1;
                p.mapType = Type_NONE;
                p.KeyEnabled = 1;
            } else {
                p.KeyEnabled = keyEnabledFromBox();
            }
            return true;
        default: return false;
    }
}

// ---- Advance page ---------------------------------------------------------------

void KeyMapPanel::onAdvanceCell(std::uint8_t cell) {
    if (cell == kNoCell) {
        if (advancedItem_ == kNoRow) {
            markedRow_ = kNoRow;
            pending().mapType = Type_NONE;
        }
        return;
    }
    const int row = advanceRow(cell);
    switch (advanceColumn(cell)) {
        case 0:
            markedRow_ = static_cast<std::uint8_t>(4 * row);
            advancedItem_ = static_cast<std::uint8_t>(row);
            pending().PathOrFileName.fill(0);
            break;
        case 3: browse(row); break;
        default: break;  // labels and path boxes
    }
}

void KeyMapPanel::browse(int row) {
    PendingAssignment& p = pending();
    if (row <= 1) markedRow_ = static_cast<std::uint8_t>(4 * row);
    pauseCapture();
    const ChooserOutcome outcome = choosers_.choose(row, dialogs_, chooserFolder_, languageCode());
    if (!outcome.message.empty()) dialogs_.showMessage(outcome.message, u"");
    resumeCapture();
    if (outcome.clearPath) p.PathOrFileName.fill(0);
    if (!outcome.path || !setPendingPath(p, *outcome.path)) return;
    advancedItem_ = static_cast<std::uint8_t>(row);
    p.mapType = static_cast<std::uint8_t>(TYPE_PLAY_SOUND + row);
    if (row >= 2) markedRow_ = static_cast<std::uint8_t>(4 * row);
}

}  // namespace orvane
