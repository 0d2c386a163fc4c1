// The in-place editor of the transparent list box: a line edit that tells
// its list when the edit ends (finished: Enter or focus loss keep, Escape
// discards) and keeps Enter and Escape to itself, so neither reaches the
// dialog around the list.
#pragma once

#include <QLineEdit>

namespace orvane {

class CEditHelper : public QLineEdit {
    Q_OBJECT
public:
    // The editor's parent is the list's viewport.
    explicit CEditHelper(QWidget* parent);

signals:
    // Delivered at once: the list ends the edit while the editor is still there.
    void finished(bool keep);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace orvane
