#include "mainwindow/model/keyboardsession.h"

#include "device/refreshsteps.h"
#include "mainwindow/model/firmwarecheck.h"
#include "mainwindow/model/hostaction.h"
#include "mainwindow/model/maincontroller.h"
#include "platform/desktop/dialogs.h"
#include "settings/settingsfiles.h"

namespace orvane {

KeyboardSession::KeyboardSession(Environment env) : env_(env) {}

KeyboardLink::StartResult KeyboardSession::start() {
    loadStartupFiles(env_.image, env_.folders);
    return env_.link.start(env_.image.working.mouseData);
}

void KeyboardSession::started(const KeyboardLink::StartResult& result) {
    noteKeyboardAccess(result.cannotOpen, result.commandOpened);
}

void KeyboardSession::deviceArrived() {
    if (arrivalPending_) return;
    arrivalPending_ = true;
    // The one settle wait. A keyboard that refuses to be opened is tried
    // again at each rescan this way without ever holding the window up.
    env_.host.startSettleTimer(env_.arrivalSettle);
}

void KeyboardSession::settled() {
    arrivalPending_ = false;
    const ArrivalResult result = env_.link.onArrival(env_.image);
    if (result.commandOpened) env_.controller.syncSlidersFromSettings();
    noteKeyboardAccess(result.cannotOpen, result.commandOpened);
    env_.controller.repaint();
}

void KeyboardSession::deviceRemoved() {
    keyboardRefused_ = false;
    env_.link.onRemoval();
}

bool KeyboardSession::rescanFindsKeyboard() {
    if (arrivalPending_ || (env_.link.commandOpen() && env_.link.eventOpen())) return false;
    const bool listed = env_.link.rescanFindsKeyboard();
    if (!listed) keyboardRefused_ = false;  // gone: the tray says so again
    return listed;
}

void KeyboardSession::noteKeyboardAccess(bool cannotOpen, bool commandOpened) {
    if (commandOpened) refusalTold_ = false;  // a later refusal is news again
    keyboardRefused_ = cannotOpen;
    if (!cannotOpen || refusalTold_) return;
    refusalTold_ = true;
    env_.host.showAccessNotice(cannotOpenNotice(env_.image.languageCode));
}

void KeyboardSession::trayActivated() {
    if (env_.link.commandOpen()) {
        env_.host.bringWindowToFront();
    } else if (keyboardRefused_) {
        env_.host.showAccessNotice(cannotOpenNotice(env_.image.languageCode));  // asked for: said again
    } else {
        env_.host.showNoKeyboard();
    }
}

void KeyboardSession::refresh(int kind) {
    if (!runRefreshSteps(env_.link, env_.image, env_.folders.state, kind))
        env_.host.logWarning("keymap.bin could not be written");
    env_.controller.syncSlidersFromSettings();
    env_.controller.repaint();
    if (kind == kRefreshAfterKeyboardRead) checkFirmware();
}

void KeyboardSession::checkFirmware() {
    if (!packageIsNewer(env_.image.fileFirmwareVersion, env_.image.deviceFirmwareVersion)) return;
    const UpdateQuestion q = updateQuestion(env_.image.languageCode);
    if (env_.dialogs.confirm(q.text, q.caption)) env_.host.startUpdater();
}

void KeyboardSession::hostKeyPressed(std::uint8_t code) {
    std::string path;
    if (runHostAction(env_.image.working.keyAssignments, code, env_.shell, &path) != HostActionRun::Failed) return;
    env_.host.logWarning("The host action of key " + std::to_string(code) + " failed: " + path);
    // Once per path: a key pressed again and again does not stack messages.
    if (!toldHostActionFailures_.insert(path).second) return;
    const HostActionFailure failure = hostActionFailure(path, env_.image.languageCode);
    env_.dialogs.showMessage(failure.text, failure.caption);
}

SaveOutcome KeyboardSession::writeAll() {
    switch (env_.link.writeAll(env_.image)) {
        case WriteResult::NothingChanged: return SaveOutcome::NothingChanged;
        case WriteResult::Sent: return SaveOutcome::Sent;
        case WriteResult::NoAcknowledgement: return SaveOutcome::NoAcknowledgement;
        case WriteResult::NotConnected: break;
    }
    return SaveOutcome::NotConnected;
}

void KeyboardSession::factoryReset() { env_.link.factoryResetAndRead(env_.image.working.mouseData); }

}  // namespace orvane
