// The profile manager panel: a frameless modal window over ConfigurePanel.
// It draws the skin, holds the profile list (a parent-background transparent
// list box), and routes button releases, the context menu and the list's
// in-place renames to the panel's commands.
#pragma once

#include <QDialog>
#include <QRect>

#include <cstdint>

#include "profiles/model/configurepanel.h"
#include "controls/skinnedwindow.h"
#include "drawing/skinimages.h"

class QMenu;

namespace orvane {

class CTransparentListBox;

class CConfigureDlg : public SkinnedWindow<QDialog> {
    Q_OBJECT
public:
    CConfigureDlg(SettingsImage& image, Dialogs& dialogs, const DataFolders& folders,
                  std::int16_t languageCode, QWidget* parent = nullptr);
    ~CConfigureDlg() override;

    // Sizes the panel to its background, puts its top-left corner one pixel
    // left of and above the main window's, and fills the list from the folder.
    void OnInitDialog(const QRect& mainWindowRect);

    ConfigurePanel& panel() { return panel_; }
    CTransparentListBox* list() const { return list_; }

    // The context menu as it is tracked at the pointer (built by language).
    QMenu* buildContextMenu();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void compose();
    void refillList();
    void runCommand(int command);
    void showContextMenu(const QPoint& globalPos);
    // The list kept a rename: the item that was at `from` is now at `to`.
    void onRenamed(int from, int to);

    ConfigurePanel panel_;
    SkinImages skin_;
    CTransparentListBox* list_ = nullptr;
};

}  // namespace orvane
