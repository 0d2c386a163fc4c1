#include "macros/model/macrosession.h"

#include <algorithm>
#include <string>

#include "keyboardstate/keylabels.h"
#include "macros/model/macroevents.h"
#include "settings/macroslots.h"
#include "settings/settingsfiles.h"

namespace orvane {

std::u16string_view macroName(const MacroRecord& record) { return fixedText(record.name); }

bool setMacroName(MacroRecord& record, std::u16string_view name) {
    if (name.empty() || name.find(u'\0') != std::u16string_view::npos) return false;
    return setFixedText(record.name, name);
}

std::size_t usedMacroCount(const MacroStore& store) {
    std::size_t n = 0;
    while (n < kMacroRecordCount && store.records[n].name[0] != u'\0') ++n;
    return n;
}

std::uint16_t loopEditValue(std::u16string_view text) {
    unsigned value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        value = std::min(value * 10 + static_cast<unsigned>(c - u'0'), 65535u);
    }
    return static_cast<std::uint16_t>(value);
}

MacroSession::MacroSession(std::int16_t languageCode, MacroKeyHook* hook)
    : languageCode_(languageCode), hook_(hook), working_(std::make_unique<MacroStore>()) {}

void MacroSession::open(const MacroStore& saved) {
    *working_ = saved;
    recording = false;
    pendingInsertion = false;
    pendingIndex = 0;
    hookInstalled_ = false;
    recordDelay_ = false;
    loops_ = false;
    loopText_ = u"1";
    buffer_.clear();
    events_.clear();
    selected_ = -1;
    reloadList();
    if (!names_.empty()) selectMacro(0);
}

void MacroSession::confirm(MacroStore& saved) {
    close();
    if (MacroRecord* record = selectedRecord(); record != nullptr && loops_) {
        record->loopCount = loopEditValue(loopText_);
    }
    saved = *working_;
}

void MacroSession::close() { endCapture(); }

MacroRecord* MacroSession::selectedRecord() {
    if (selected_ < 0 || static_cast<std::size_t>(selected_) >= slots_.size()) return nullptr;
    return &working_->records[slots_[static_cast<std::size_t>(selected_)]];
}

void MacroSession::reloadList() {
    names_.clear();
    slots_.clear();
    // Every named slot is listed, even behind a free one (a file written
    // elsewhere may have gaps); each item remembers its own slot.
    for (std::size_t s = 0; s < kMacroRecordCount; ++s) {
        const auto name = macroName(working_->records[s]);
        if (name.empty()) continue;
        names_.emplace_back(name);
        slots_.push_back(s);
    }
}

void MacroSession::selectMacro(int item) {
    if (item != selected_) {
        // The macro left behind keeps its held keys' releases; a recording
        // goes on in the new one, where those keys' releases belong to no
        // press.
        endInsertion();
        releaseRecordedKeys();
    }
    if (item < 0 || static_cast<std::size_t>(item) >= names_.size()) {
        // Nothing selected, nothing shown: no edit works on a macro the list
        // no longer names.
        selected_ = -1;
        events_.clear();
        buffer_.clear();
        return;
    }
    selected_ = item;
    events_.clear();
    MacroRecord& record = *selectedRecord();
    const unsigned loops = record.loopCount == 0 ? 1u : record.loopCount;
    loops_ = loops != 1;
    recordDelay_ = (record.options & 1) != 0;
    const std::string digits = std::to_string(loops);
    setLoopText(std::u16string(digits.begin(), digits.end()));
    buffer_.load(record);
    events_.assign(macroDisplayItems(buffer_.streams.hostView()));
}

bool MacroSession::renameMacro(std::size_t item, std::u16string_view name) {
    if (item >= names_.size()) return false;
    if (!setMacroName(working_->records[slots_[item]], name)) return false;
    names_[item] = std::u16string(name);
    return true;
}

std::optional<std::size_t> MacroSession::firstFreeSlot() const {
    for (std::size_t s = 0; s < kMaxMacros; ++s) {
        if (working_->records[s].name[0] == u'\0') return s;
    }
    return std::nullopt;
}

std::u16string MacroSession::nextMacroName() const {
    for (int i = 1;; ++i) {
        const std::string text = (i <= 9 ? "Macro_00" : "Macro_0") + std::to_string(i);
        std::u16string name(text.begin(), text.end());
        if (std::find(names_.begin(), names_.end(), name) == names_.end()) return name;
    }
}

bool MacroSession::newMacro() {
    if (names_.size() >= kMaxMacros) return false;
    const auto slot = firstFreeSlot();
    if (!slot) return false;
    endCapture();
    MacroRecord& record = working_->records[*slot];
    record = MacroRecord{};
    setMacroName(record, nextMacroName());
    reloadList();
    selected_ = static_cast<int>(std::find(slots_.begin(), slots_.end(), *slot) - slots_.begin());
    events_.clear();
    buffer_.clear();
    recordDelay_ = false;
    loops_ = false;
    setLoopText(u"1");
    return true;
}

std::optional<PanelMessage> MacroSession::deleteSelectedMacro() {
    if (selectedRecord() == nullptr) {
        return macroMessage(MacroMessage::DeleteWithoutMacro, languageCode_);
    }
    endCapture();
    const int item = selected_;
    const std::size_t slot = slots_[static_cast<std::size_t>(item)];
    // Later macros move down one slot so the used slots stay contiguous.
    std::move(working_->records.begin() + static_cast<std::ptrdiff_t>(slot + 1),
              working_->records.end(),
              working_->records.begin() + static_cast<std::ptrdiff_t>(slot));
    working_->records.back() = MacroRecord{};
    reloadList();
    events_.clear();
    buffer_.clear();
    selected_ = -1;
    selectMacro(std::min(item, static_cast<int>(names_.size()) - 1));
    return std::nullopt;
}

void MacroSession::toggleRecordDelay() { recordDelay_ = !recordDelay_; }

void MacroSession::toggleLoops() {
    loops_ = !loops_;
    if (!loops_) setLoopText(u"1");
}

void MacroSession::setLoopText(std::u16string text) {
    loopText_ = std::move(text);
    if (MacroRecord* record = selectedRecord()) record->loopCount = loopEditValue(loopText_);
}

bool MacroSession::installHook() {
    if (!hookInstalled_) hookInstalled_ = hook_ != nullptr && hook_->install();
    return hookInstalled_;
}

void MacroSession::installHookForInsertion() {
    if (hookInstalled_) return;
    if (hook_ != nullptr) hook_->install();
    hookInstalled_ = true;
}

void MacroSession::removeHook() {
    buffer_.forgetHeldKeys();
    if (!hookInstalled_) return;
    if (hook_ != nullptr) hook_->remove();
    hookInstalled_ = false;
}

void MacroSession::commit() {
    MacroRecord* record = selectedRecord();
    if (record == nullptr) return;
    setMacroName(*record, names_[static_cast<std::size_t>(selected_)]);
    record->loopCount = loops_ ? loopEditValue(loopText_) : 1;
    record->options = recordDelay_ ? 1 : 0;
    buffer_.storeInto(*record);
}

void MacroSession::rebuildEventList() {
    events_.clear();
    MacroRecord* record = selectedRecord();
    if (record == nullptr) {
        // No macro to show: the buffer empties with the list, so no edit
        // works on events the list no longer shows.
        buffer_.clear();
        return;
    }
    buffer_.load(*record);
    events_.assign(macroDisplayItems(buffer_.streams.hostView()));
}

void MacroSession::beginInPlaceEdit() { endCapture(); }

void MacroSession::endInsertion() {
    if (!pendingInsertion) return;
    pendingInsertion = false;
    MacroHeldKeys& held = buffer_.insertedKeys;
    const auto index = static_cast<std::size_t>(std::max(pendingIndex, 0));
    auto offset = macroOffsetOfItem(buffer_.streams.hostView(), index);
    if (offset && selectedRecord() != nullptr) {
        const std::vector<std::uint8_t> keys = held.inPressOrder();
        for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
            if (!insertShortMacroEvent(buffer_.streams, *offset, true, keyUsage(*key), *key)) break;
            events_.insert(static_cast<std::size_t>(pendingIndex), keyItemText(*key, true));
            ++pendingIndex;
            *offset += kShortEventSize;
        }
        buffer_.syncWritePosition();
        commit();
    }
    held.clear();
    if (!recording) removeHook();
}

void MacroSession::releaseRecordedKeys() {
    MacroHeldKeys& held = buffer_.recordedKeys;
    if (held.none()) return;
    if (selectedRecord() != nullptr) {
        const std::vector<std::uint8_t> keys = held.inPressOrder();
        for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
            if (!appendMacroEvent(buffer_.streams, true, 1, keyUsage(*key), *key)) break;
            std::u16string text = keyItemText(*key, true);
            buffer_.lastKeyItem = text;
            events_.appendAndSelect(std::move(text));
            ++buffer_.eventCounter;
        }
        buffer_.syncWritePosition();
        commit();
    }
    // The keys are still down on the host; if capture goes on, their
    // releases belong to no press in the macro.
    held.releasedByCapture();
}

void MacroSession::endCapture() {
    endInsertion();
    releaseRecordedKeys();
    recording = false;
    removeHook();
}

MacroFilesWritten confirmMacroManager(SettingsImage& image, MacroSession& session,
                                      const std::filesystem::path& dataFolder) {
    session.confirm(image.macroStore);
    fillMacroSlots(image.working.mouseData, image.macroStore);
    MacroFilesWritten written;
    written.keymap = writeKeymapFromWorking(image, dataFolder);
    written.macros = writeMacroFile(image, dataFolder);
    return written;
}

}  // namespace orvane
