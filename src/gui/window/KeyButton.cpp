// Fast Click: the press is taken whole, so the button never goes down and its release
// cannot click a second time.

#include "window/KeyButton.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

namespace quantrel::gui {

KeyButton::KeyButton(QWidget* parent) : QPushButton(parent) {
    // Enter belongs to the "=" key (the window's default), not to whichever key the
    // user tabbed to.
    setAutoDefault(false);
}

void KeyButton::mousePressEvent(QMouseEvent* event) {
    if (!m_fastClick) {
        QPushButton::mousePressEvent(event);
        return;
    }
    event->accept();
    emit fastPressed();
}

void KeyButton::contextMenuEvent(QContextMenuEvent* event) {
    // Under Fast Click a right press was the key itself; the window's popup menu
    // must not open on top of it.
    if (m_fastClick) {
        event->accept();
        return;
    }
    QPushButton::contextMenuEvent(event);
}

} // namespace quantrel::gui
