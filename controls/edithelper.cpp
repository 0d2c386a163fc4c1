#include "controls/edithelper.h"

#include <QKeyEvent>


namespace orvane {
namespace {

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

CEditHelper::CEditHelper(QWidget* parent) : QLineEdit(parent) {
    // Its own menu would open a popup that ends the edit under it.
    setContextMenuPolicy(Qt::NoContextMenu);
}

void CEditHelper::keyPressEvent(QKeyEvent* event) {
    QLineEdit::keyPressEvent(event);
    // A line edit passes these on to its parents, where a dialog would
    // close or press its default button.
    if (isEnter(event->key()) || event->key() == Qt::Key_Escape) event->accept();
}

void CEditHelper::keyReleaseEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool repeat = event->isAutoRepeat();
    QLineEdit::keyReleaseEvent(event);
    if (repeat) return;
    if (isEnter(key)) {
        emit finished(true);
    } else if (key == Qt::Key_Escape) {
        emit finished(false);
    }
}

void CEditHelper::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit finished(true);
}

}  // namespace orvane
