// The macro manager's state without its window: the working store, the macro
// list, the selected macro's edit buffer and event list, the options, the
// recording and pending-insertion flags, and the hook. Recording
// (MacroRecorder) and the editing commands (MacroEditor) work on it; the
// panel draws it and routes input to them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macros/model/macroeditbuffer.h"
#include "macros/model/macroeventlist.h"
#include "macros/model/macrokeyhook.h"
#include "macros/model/macromessages.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

// Name of a macro record; empty for a free slot.
std::u16string_view macroName(const MacroRecord& record);
// Refuses an empty name (it would free a slot among the used ones) and one
// longer than 254 units; the record is then unchanged.
bool setMacroName(MacroRecord& record, std::u16string_view name);
// Used slots: those before the first free one (the keyboard's view).
std::size_t usedMacroCount(const MacroStore& store);
// Decimal value of the loop edit's text: leading digits, 0 without any,
// capped at 65535.
std::uint16_t loopEditValue(std::u16string_view text);

inline constexpr std::size_t kMaxMacros = 32;

class MacroSession {
public:
    explicit MacroSession(std::int16_t languageCode, MacroKeyHook* hook = nullptr);

    std::int16_t languageCode() const { return languageCode_; }

    // Opening: copies the saved store into the working store, lists every
    // named slot and selects the first macro.
    void open(const MacroStore& saved);
    // OK: stops capture, stores the loop count when the loops option is on and
    // copies the working store back over the saved one.
    void confirm(MacroStore& saved);
    // Cancel, or the window going away: only the capture stops.
    void close();

    const MacroStore& workingStore() const { return *working_; }
    MacroRecord* selectedRecord();

    // ---- macro list -------------------------------------------------------
    const std::vector<std::u16string>& macroNames() const { return names_; }
    int selectedMacro() const { return selected_; }
    std::size_t slotOfItem(std::size_t item) const { return slots_.at(item); }
    // Selection change: options, loop text and event list follow the macro.
    void selectMacro(int item);
    // In-place rename; refused (false, list and store unchanged) for an empty
    // or too long name.
    bool renameMacro(std::size_t item, std::u16string_view name);
    // New: false (and nothing changes) when 32 macros exist.
    bool newMacro();
    // Delete of the selected macro, after the panel has asked ConfirmDelete.
    // Returns the message to show when no macro is selected.
    std::optional<PanelMessage> deleteSelectedMacro();

    // ---- options ----------------------------------------------------------
    bool recordDelay() const { return recordDelay_; }
    bool loopsOption() const { return loops_; }
    const std::u16string& loopText() const { return loopText_; }
    void toggleRecordDelay();
    // Off sets the loop text to "1", which stores 1 at once.
    void toggleLoops();
    // The loop edit's text changed (typed or set by the panel).
    void setLoopText(std::u16string text);

    // ---- shared with recording and editing ----------------------------------
    MacroEditBuffer& buffer() { return buffer_; }
    const MacroEditBuffer& buffer() const { return buffer_; }
    MacroEventList& events() { return events_; }
    const MacroEventList& events() const { return events_; }

    bool recording = false;
    bool pendingInsertion = false;
    int pendingIndex = 0;

    bool hookInstalled() const { return hookInstalled_; }
    bool installHook();
    // Marks the hook as capturing whatever the result (insertions do so).
    void installHookForInsertion();
    void removeHook();

    // Every way a capture ends goes through these, so no key stays held in a
    // macro: the keys still down get their releases, last pressed first, and
    // the list shows them. The room for them was kept while they were down.
    // A pending insertion ends: its held keys are released where it inserts,
    // and the hook goes unless a recording still needs it.
    void endInsertion();
    // The insertion and the recording end; the hook goes.
    void endCapture();

    // Writes the edit buffer, name, loop count and options into the selected
    // slot of the working store; without a selection nothing is written.
    void commit();
    // Reloads the selected macro into the buffer and rebuilds the event list.
    void rebuildEventList();
    // Start of an in-place edit in either list: capture and recording stop.
    void beginInPlaceEdit();

private:
    void reloadList();
    // Appends the releases of the keys recording left held, then commits.
    void releaseRecordedKeys();
    std::optional<std::size_t> firstFreeSlot() const;
    std::u16string nextMacroName() const;

    std::int16_t languageCode_;
    MacroKeyHook* hook_;
    std::unique_ptr<MacroStore> working_;
    std::vector<std::u16string> names_;
    std::vector<std::size_t> slots_;  // slot of each list item, in slot order
    int selected_ = -1;
    MacroEditBuffer buffer_;
    MacroEventList events_;
    bool recordDelay_ = false;
    bool loops_ = false;
    std::u16string loopText_ = u"1";
    bool hookInstalled_ = false;
};

// Which of the two files the macro manager's OK wrote.
struct MacroFilesWritten {
    bool keymap = false;
    bool macros = false;
    bool all() const { return keymap && macros; }
};

// What the main window does when the macro manager ends with OK: the working
// store goes back over MacroStore, MacroSlots are refilled from it, then
// keymap.bin (working copies) and MacroDefine.bin are written.
MacroFilesWritten confirmMacroManager(SettingsImage& image, MacroSession& session,
                         const std::filesystem::path& dataFolder);

}  // namespace orvane
