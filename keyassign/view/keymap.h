// The key assignment panel's window: a frameless skinned dialog centred
// over the main window, with the function tree, the two capture boxes and
// the macro list. It draws the state of its KeyMapPanel, routes pointer
// input, focus changes and captured keys to it, and gives it
// the hook, the controls and the end of the dialog.
#pragma once

#include <QDialog>
#include <QPoint>
#include <cstdint>
#include <filesystem>

#include "controls/skinnedwindow.h"
#include "drawing/skinimages.h"
#include "keyassign/model/keymappanel.h"

class QLineEdit;
class QListWidget;

namespace orvane {

class Dialogs;
class VividTree;

class CKeyMap : public SkinnedWindow<QDialog>, private KeyMapPanelHost {
    Q_OBJECT
public:
    // Control ids of the panel's dialog template.
    static constexpr int kTreeId = 1003;
    static constexpr int kCombineBoxId = 1012;
    static constexpr int kSingleBoxId = 1013;
    static constexpr int kMacroListId = 1015;

    CKeyMap(Dialogs& dialogs, std::filesystem::path resourceFolder, QWidget* mainWindow);
    ~CKeyMap() override;

    // Opens the panel on `position` and runs it modally. True when it ended
    // with OK (Save or Default); the choice is then in `pending`.
    bool DoModal(SettingsImage& image, PendingAssignment& pending, std::uint8_t position,
                 std::uint8_t currentKeyCode);

    // Opens and shows the panel without waiting (DoModal's first half).
    void openPanel(SettingsImage& image, PendingAssignment& pending, std::uint8_t position,
                   std::uint8_t currentKeyCode);

    void done(int result) override;

    KeyMapPanel& panel() { return panel_; }
    VividTree* tree() const { return tree_; }
    QLineEdit* singleBox() const { return single_; }
    QLineEdit* combineBox() const { return combine_; }
    QListWidget* macroList() const { return list_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // KeyMapPanelHost
    void loadBackground() override;
    void placeControls() override;
    void fillTree(const std::vector<FunctionTreeItem>& items, std::u16string_view select) override;
    void fillMacroList(const std::vector<std::u16string>& names) override;
    void setBoxText(CaptureBox box, std::u16string_view text) override;
    void focusBox(CaptureBox box) override;
    void focusMacroList(int item) override;
    void focusTree() override;
    bool installHook() override;
    void removeHook() override;
    std::optional<std::u16string> selectedTreeText() override;
    int selectedMacroIndex() override;
    void startDrag() override;
    void end(PanelResult result) override;

    QLineEdit* box(CaptureBox which) const;
    // The page's controls shown, the others hidden, the picture composed again.
    void refresh();
    void centreOverMainWindow();

    std::filesystem::path resourceFolder_;
    QWidget* mainWindow_;
    KeyMapPanel panel_;
    SkinImages skin_;
    VividTree* tree_ = nullptr;
    QLineEdit* single_ = nullptr;
    QLineEdit* combine_ = nullptr;
    QListWidget* list_ = nullptr;
};

}  // namespace orvane
