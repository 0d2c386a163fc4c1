// The key assignment panel without its window: the opening steps, the four
// pages and the "Disable" box, hover and the hit tests, the Advance cells and
// their choosers, key capture into the two boxes with their focus rules,
// Save by page, Default, Cancel and the close button. Its decisions go into
// the PendingAssignment the main window applies; the window draws this state
// and routes input here.
//
// One object lives as long as the main window, as the panel object did: the
// keep-once flag and the choosers' filter memory survive from one opening to
// the next; everything else is set again at opening.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keyassign/model/advancechoosers.h"
#include "settings/keyassignment.h"
#include "keyassign/model/keymapbmpinfo.h"
#include "keyassign/model/keymappanelhost.h"
#include "platform/desktop/dialogs.h"

namespace orvane {

// Pages, in tab order.
inline constexpr int kPageSingle = 0;
inline constexpr int kPageMacro = 1;
inline constexpr int kPageBasic = 2;
inline constexpr int kPageAdvance = 3;
inline constexpr std::uint8_t kNoRow = 255;

class KeyMapPanel {
public:
    KeyMapPanel(KeyMapPanelHost& host, Dialogs& dialogs, std::filesystem::path chooserFolder);

    // Opening steps 1 to 10 on key `position` (0..107) of the working copy;
    // any other position ends at once with Cancel, changing nothing. The
    // image and the pending assignment must outlive the opening.
    void open(SettingsImage& image, PendingAssignment& pending, std::uint8_t position,
              std::uint8_t currentKeyCode);
    // The panel window goes away: the hook is removed if it was installed.
    void close();

    // Pointer move in client coordinates. True when the pictures changed.
    bool onMouseMove(int x, int y, bool leftButtonDown);
    void onLButtonUp(int x, int y);
    // A key captured by the key capture.
    void onKeyCaptured(std::uint8_t virtualKey);
    // The person moved the keyboard focus into a capture box.
    void onBoxFocused(CaptureBox box);

    // ---- what the window draws ------------------------------------------------
    int page() const { return page_; }
    const KeyMapBmpTable& regions() const { return KeyMap_BmpInformation; }
    std::uint8_t markedRow() const { return markedRow_; }
    std::uint8_t advancedItem() const { return advancedItem_; }
    std::uint8_t hoverRegion() const { return hover_; }
    // The browse button under the pointer on the Advance page (cell 3, 7, 11 or 15), or kNoCell.
    std::uint8_t hoverBrowseCell() const { return hoverBrowse_; }
    std::u16string pathText() const;
    std::u16string_view currentKeyLabel() const;
    std::int16_t languageCode() const;
    const std::u16string& boxText(CaptureBox box) const;
    const std::vector<std::u16string>& macroNames() const { return macroNames_; }

    bool hookInstalled() const { return hookInstalled_; }
    bool keepOnce() const { return keepOnce_; }
    std::optional<PanelResult> result() const { return result_; }
    const AdvanceChoosers& choosers() const { return choosers_; }

private:
    PendingAssignment& pending() { return *pending_; }
    KeyAssignment& record();
    void preload(const KeyAssignment& r);
    void focusBox(CaptureBox box);
    void applyFocusRule(CaptureBox box);
    void setBox(CaptureBox box, std::u16string text);
    void clearCapture();
    void onRegion(std::uint8_t region);
    void onTab(std::uint8_t tab);
    void onAdvanceCell(std::uint8_t cell);
    void browse(int row);
    bool save();
    std::uint8_t keyEnabledFromBox() const;
    void end(PanelResult result);
    // Keys go to a dialog while it is open: capture pauses around it.
    void showMessage(std::u16string_view text);
    void pauseCapture();
    void resumeCapture();

    KeyMapPanelHost& host_;
    Dialogs& dialogs_;
    std::filesystem::path chooserFolder_;
    AdvanceChoosers choosers_;
    bool keepOnce_ = false;

    SettingsImage* image_ = nullptr;
    PendingAssignment* pending_ = nullptr;
    std::uint8_t position_ = 0;
    std::uint8_t currentKeyCode_ = 0xFF;
    // The panel works on a copy of the key's record: only an OK hands it to
    // the working copy, so Cancel, the close button and a tab switch that
    // is not saved leave the key as it was.
    KeyAssignment record_{};

    KeyMapBmpTable KeyMap_BmpInformation{};
    int page_ = kPageSingle;
    bool hookInstalled_ = false;
    bool capturePaused_ = false;
    std::uint8_t hover_ = kKeyMapNoRegion;
    std::uint8_t hoverBrowse_ = kNoCell;
    std::uint8_t advancedItem_ = kNoRow;
    std::uint8_t markedRow_ = kNoRow;
    std::u16string singleText_, combineText_;
    std::vector<std::u16string> macroNames_;
    std::optional<PanelResult> result_;
};

}  // namespace orvane
