#include "mainwindow/view/panellauncher.h"

#include <QDialog>
#include <QWidget>

#include "keyassign/view/keymap.h"
#include "macros/model/macropanelconfirm.h"
#include "macros/view/macrorecorddlg.h"
#include "mainwindow/model/firmwarecheck.h"
#include "mainwindow/model/maincontroller.h"
#include "mainwindow/model/messages.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/hostshell.h"
#include "profiles/view/configuredlg.h"

namespace orvane {

PanelLauncher::PanelLauncher(Environment env, QWidget& mainWindow) : env_(env), mainWindow_(mainWindow) {}

PanelLauncher::~PanelLauncher() = default;

void PanelLauncher::runMacroManager() {
    SettingsImage& image = env_.image;
    CMacroRecordDlg panel({image.macroStore, env_.folders.resources, image.languageCode, env_.dialogs}, &mainWindow_);
    if (panel.DoModal() != QDialog::Accepted) return;
    if (const auto failed = confirmMacroPanel(image, panel.controller(), env_.folders.state)) {
        env_.dialogs.showMessage(failed->text, failed->caption);
    }
    env_.controller.repaint();
}

void PanelLauncher::runProfileManager() {
    CConfigureDlg panel(env_.image, env_.dialogs, env_.folders, env_.image.languageCode, &mainWindow_);
    panel.OnInitDialog(mainWindow_.geometry());
    panel.exec();
}

bool PanelLauncher::runKeyAssignment(std::uint8_t position, PendingAssignment& pending) {
    if (!keyMap_) keyMap_ = std::make_unique<CKeyMap>(env_.dialogs, env_.folders.resources, &mainWindow_);
    return keyMap_->DoModal(env_.image, pending, position, env_.state.CurrentKeyCode);
}

void PanelLauncher::openWebAddress() { env_.shell.openWithDesktop(kHelpWebAddress); }

void PanelLauncher::startUpdater() { orvane::startUpdater(env_.folders.resources, env_.shell); }

}  // namespace orvane
