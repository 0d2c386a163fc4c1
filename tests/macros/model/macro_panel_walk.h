// A walk through the macro manager and the main window's hand-over, driven by
// bytes: recordings and insertions with a shell that presses and releases
// any keys, New, Delete, selection changes, in-place edits, OK and Cancel of
// the panel, keys assigned to macros, and the main window's Save and Cancel.
// After every step no finished macro leaves a key held, and every key that
// plays a macro agrees in its record, its device entry and the keyboard's
// slot with MacroDefine.bin. Shared by the suite (fixed seeds) and the fuzz
// target macro_panel.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "settings/keyassignment.h"
#include "keyboardstate/keytables.h"
#include "macros/model/macropanelconfirm.h"
#include "macro_test_support.h"
#include "settings/macroslots.h"
#include "settings/settingsfiles.h"

namespace orvane::test {

class MacroPanelWalk {
public:
    explicit MacroPanelWalk(std::filesystem::path folder) : folder_(std::move(folder)) {
        image_->macroStore = *storeWith({{u"A", {0x01, 0x41, 0x81, 0x41}},
                                         {u"B", {0x01, 0x42, 0x81, 0x42}},
                                         {u"C", {0x01, 0xA2, 0x01, 0x43, 0x81, 0x43, 0x81, 0xA2}}});
        image_->working.mouseData.DeviceKeyTable = DefaultDeviceKeyTable;
        stampKeyCodes(image_->working.keyAssignments);
        fillMacroSlots(image_->working.mouseData, image_->macroStore);
        copyWorkingToSaved(*image_);
        panel_.open(image_->macroStore);
    }

    // Runs the steps; the first broken rule, or empty.
    std::string run(std::span<const std::uint8_t> bytes) {
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            step(bytes[i], bytes[i + 1]);
            if (std::string problem = check(); !problem.empty()) {
                return "step " + std::to_string(i / 2) + " (" + std::to_string(bytes[i] % 16) + "): " + problem;
            }
        }
        panel_.close();
        return check();
    }

private:
    static constexpr std::uint8_t kKeys[] = {0x41, 0x42, 0x43, 0xA2, 0xA0, 0x1B, 0x0D, 0x5B};

    void click(MacroPanelPoint at) { panel_.onLButtonUp(at.x, at.y); }

    void step(std::uint8_t op, std::uint8_t arg) {
        MacroSession& session = panel_.session();
        const std::uint8_t key = kKeys[arg % std::size(kKeys)];
        switch (op % 16) {
            case 0: click(kMacroRecord); break;
            case 1: click(kMacroNew); break;
            case 2: click(kMacroDelete); break;
            case 3: panel_.onMacroSelected(static_cast<int>(arg % 5) - 1); break;
            case 4:
            case 5:
                panel_.onEventSelected(static_cast<int>(arg % (session.events().size() + 1)));
                panel_.onMenuCommand(op % 16 == 4 ? kCmdInsertBefore : kCmdInsertAfter);
                break;
            case 6:
            case 7:
            case 8: panel_.onKey(key, false); break;
            case 9:
            case 10:
            case 11: panel_.onKey(key, true); break;
            case 12: panel_.onInPlaceEditBegins(); break;
            case 13:  // the panel ends, then the main window goes on
                if (arg & 1) {
                    click(kMacroOk);
                    confirmMacroPanel(*image_, panel_, folder_);
                } else {
                    click(kMacroCancel);
                }
                mainWindow(arg >> 1);
                panel_.open(image_->macroStore);
                break;
            case 14: panel_.onMenuCommand(arg & 1 ? kCmdInsertDelay : kCmdMouseLeftClick); break;
            default: clock_.advanceMs(arg); break;
        }
    }

    void mainWindow(std::uint8_t what) {
        const std::size_t used = usedMacroCount(image_->macroStore);
        switch (what % 4) {
            case 0:  // a key set to play a macro, as the key panel's Save does
                if (used > 0) {
                    PendingAssignment pending;
                    pending.mapType = TYPE_MACRO;
                    pending.MacroIndex = static_cast<int>((what >> 2) % used);
                    confirmKeyAssignment(*image_, pending, 20 + (what >> 2) % 40, folder_);
                }
                break;
            case 1:  // Save: the keyboard takes the working copy
                copyWorkingToSaved(*image_);
                macroChangesSent(*image_);
                break;
            case 2:  // Cancel
                copySavedToWorking(*image_);
                keepUnsentMacroChanges(*image_);
                break;
            default: break;
        }
    }

    std::string check() const {
        const MacroSession& session = panel_.session();
        const bool capturing = session.recording || session.pendingInsertion;
        for (std::size_t s = 0; s < kMacroSlotCount; ++s) {
            if (!keysBalance(image_->macroStore.records[s])) return "saved macro " + std::to_string(s) + " holds a key";
            if (!capturing && !keysBalance(session.workingStore().records[s])) {
                return "macro " + std::to_string(s) + " holds a key";
            }
        }
        if (session.hookInstalled() != capturing) return "the hook is in without a capture, or out during one";
        const std::size_t used = usedMacroCount(image_->macroStore);
        MouseData slots = image_->working.mouseData;
        fillMacroSlots(slots, image_->macroStore);
        for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
            for (const SettingsCopy* copy : {&image_->working, &image_->saved}) {
                const KeyAssignment& r = copy->keyAssignments.records[p];
                if (r.mapType != TYPE_MACRO) continue;
                const std::uint8_t slot = r.mapData[2];
                if (slot >= used) return "key " + std::to_string(p) + " plays empty slot " + std::to_string(slot);
                if (copy != &image_->working) continue;
                MouseData data = copy->mouseData;
                const auto entry = deviceKeyEntry(data, KeyPositionEntryMap[p]);
                if (entry[0] != KIND_MACRO || entry[2] != slot) {
                    return "key " + std::to_string(p) + ": record and device entry disagree";
                }
                if (std::memcmp(macroSlot(data, slot).data(), macroSlot(slots, slot).data(), kMacroSlotSize) != 0) {
                    return "key " + std::to_string(p) + ": the keyboard's slot is not MacroDefine.bin's macro";
                }
            }
        }
        return {};
    }

    std::filesystem::path folder_;
    std::unique_ptr<SettingsImage> image_ = std::make_unique<SettingsImage>();
    FakeHook hook_;
    FakeClock clock_;
    OkPanelHost host_;
    MacroPanelController panel_{kLanguageEnglish, hook_, clock_, host_};
};

}  // namespace orvane::test
