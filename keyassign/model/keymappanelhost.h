// What the key assignment panel's logic asks of its window: the opening
// steps that need the window, the capture boxes, the tree and the macro
// list, the key-capture hook, dragging and the end of the dialog. The widget
// implements it; tests record the calls.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keyassign/model/functiontree.h"

namespace orvane {

enum class CaptureBox { Single, Combine };
enum class PanelResult { Ok, Cancel };

class KeyMapPanelHost {
public:
    virtual ~KeyMapPanelHost() = default;

    // Opening step 1: the background picture, and the panel sized to it.
    virtual void loadBackground() = 0;
    // Step 3: the four controls to their rectangles, both boxes empty, the
    // tree given its pictures and its solid background.
    virtual void placeControls() = 0;
    // Step 5: the tree refilled; items whose text is `select` selected and
    // their groups expanded.
    virtual void fillTree(const std::vector<FunctionTreeItem>& items, std::u16string_view select) = 0;
    // Step 6: the macro list refilled, nothing selected.
    virtual void fillMacroList(const std::vector<std::u16string>& names) = 0;

    // The box shows the text with the caret at its end.
    virtual void setBoxText(CaptureBox box, std::u16string_view text) = 0;
    // Keyboard focus to a box; the logic has already applied its focus rule.
    virtual void focusBox(CaptureBox box) = 0;
    // Keyboard focus to the macro list with that item selected (none when out of range).
    virtual void focusMacroList(int item) = 0;
    // Keyboard focus to the function tree, so its selection shows.
    virtual void focusTree() = 0;

    // The key-capture hook in mode 0 on the panel window; false when unavailable.
    virtual bool installHook() = 0;
    virtual void removeHook() = 0;

    // The text of the tree's selected item; none without a selection.
    virtual std::optional<std::u16string> selectedTreeText() = 0;
    // The macro list's selected index, -1 for none.
    virtual int selectedMacroIndex() = 0;

    // The window follows the pointer while the left button stays down.
    virtual void startDrag() = 0;
    // The modal panel ends once the current input is handled.
    virtual void end(PanelResult result) = 0;
};

}  // namespace orvane
