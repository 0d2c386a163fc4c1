// The in-place editor of the transparent list box: a line edit that tells
// its list when the edit ends (0x8841: Enter or focus loss keep, Escape
// discards) and keeps Enter and Escape to itself, so neither reaches the
// dialog around the list.
#pragma once

#include <QLineEdit>
#include <QPointer>

namespace orvane {

class CEditHelper : public QLineEdit {
    Q_OBJECT
public:
    // `list` receives 0x8841; the editor's own parent is the list's viewport.
    CEditHelper(QWidget* parent, QObject* list);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void finished(bool keep);

    QPointer<QObject> list_;
};

}  // namespace orvane
