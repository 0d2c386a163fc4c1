// The macro manager panel: a borderless, skinned modal dialog with the macro
// list, the event list and the loop edit box. It draws the state of its
// MacroPanelController, routes input and the lists' messages to it, captures
// keys with the key-capture library and shows its message boxes through the
// injected dialogs. OK ends it with the Accepted result; the main window then
// confirms the result (confirmMacroPanel).
#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <cstdint>
#include <filesystem>
#include <memory>

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

class CMacroRecordDlg : public QDialog, public MacroPanelHost {
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

    // The panel's message table: 0x6F3 from the capture, 0x6F4, 0x6F5 and
    // 0x8840 from the lists.
    long handleMessage(int message, std::uintptr_t wParam, std::intptr_t lParam);

    MacroPanelController& controller() { return controller_; }
    CTransparentListBox& eventList() { return *eventList_; }
    CTransparentListBox& macroList() { return *macroList_; }
    QLineEdit& loopEdit() { return *loopEdit_; }
    const QImage& canvas() const { return canvas_; }
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
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();
    void syncMacroList();
    void syncEventList();
    void syncLoopEdit();
    void endInPlaceEdits();
    void openContextMenu(const QPoint& globalPos);

    Environment env_;
    SkinImages skin_;
    std::unique_ptr<PerformanceClock> ownClock_;
    PanelKeyHook hook_;
    MacroPanelController controller_;
    QImage canvas_;
    CTransparentListBox* eventList_;
    CTransparentListBox* macroList_;
    QLineEdit* loopEdit_;
    QMenu* menu_ = nullptr;
    bool syncing_ = false;
    bool manualDrag_ = false;
    QPoint dragOffset_;
};

}  // namespace orvane
