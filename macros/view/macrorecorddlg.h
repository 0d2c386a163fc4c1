// The macro manager panel: a borderless, skinned modal dialog with the macro
// list, the event list and the loop edit box. It draws the state of its
// MacroPanelController, routes input and the lists' signals to it, captures
// keys with the application's key capture and shows its message boxes through the
// injected dialogs. OK ends it with the Accepted result; the main window then
// confirms the result (confirmMacroPanel).
#pragma once

#include <QDialog>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "controls/skinnedwindow.h"
#include "drawing/skinimages.h"
#include "macros/model/macropanelcontroller.h"
#include "macros/model/macropanelhost.h"
#include "macros/view/panelkeyhook.h"
#include "keyboardstate/settingsimage.h"

class QLineEdit;
class QMenu;

namespace orvane {

class CTransparentListBox;
class Dialogs;

class CMacroRecordDlg : public SkinnedWindow<QDialog>, public MacroPanelHost {
    Q_OBJECT
public:
    struct Environment {
        const MacroStore& store;  // MacroStore: the panel starts from it
        std::filesystem::path resourceFolder;  // where the skin is
        std::int16_t languageCode;
        Dialogs& dialogs;
        PerformanceClock* clock = nullptr;  // null: the steady clock
    };

    explicit CMacroRecordDlg(Environment env, QWidget* parent = nullptr);
    ~CMacroRecordDlg() override;

    // The opening steps, in their order; DoModal runs them, then the dialog.
    void OnInitDialog();
    int DoModal();

    MacroPanelController& controller() { return controller_; }
    CTransparentListBox& eventList() { return *eventList_; }
    CTransparentListBox& macroList() { return *macroList_; }
    QLineEdit& loopEdit() { return *loopEdit_; }
    // The context menu being shown (for tests and screenshots); null when none.
    QMenu* contextMenu() const { return menu_; }

    // MacroPanelHost
    void showMessage(const PanelMessage& message) override;
    bool confirm(const PanelMessage& message) override;
    void endPanel(bool ok) override;
    void startWindowDrag() override;

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void refresh();
    void syncMacroList();
    void syncEventList();
    void syncLoopEdit();
    void endInPlaceEdits();
    void openContextMenu(const QPoint& globalPos);
    // From the lists: a kept delay edit, and a kept edit that changed an item's text.
    void onEditResult(int index, int value);
    void onItemTextChanged(int row);

    Environment env_;
    SkinImages skin_;
    std::unique_ptr<PerformanceClock> ownClock_;
    PanelKeyHook hook_;
    MacroPanelController controller_;
    CTransparentListBox* eventList_;
    CTransparentListBox* macroList_;
    QLineEdit* loopEdit_;
    QMenu* menu_ = nullptr;
    bool syncing_ = false;
};

}  // namespace orvane
