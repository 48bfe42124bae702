#include "window/Placement.h"

#include <QWidget>
#include <QWindow>

namespace quantrel::gui {

namespace {

QMargins marginsOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

QSize extent(const QMargins& margins) {
    return {margins.left() + margins.right(), margins.top() + margins.bottom()};
}

} // namespace

QMargins FrameMargins(const QWidget* window, const QWidget* framedLike) {
    const QMargins own = marginsOf(window);
    if (!own.isNull() || !framedLike)
        return own;
    return marginsOf(framedLike);
}

QSize OuterSize(const QWidget* window, const QWidget* framedLike) {
    return window->size() + extent(FrameMargins(window, framedLike));
}

void MoveFrameTo(QWidget* window, const QPoint& place) {
    QWindow* handle = window->windowHandle();
    // Once framed, or before its native window exists, Qt moves a window by its frame.
    // In between (its first show) it would put the client area there: the window then
    // climbs by its title bar at every start.
    if (!handle || !window->testAttribute(Qt::WA_WState_Created) || !marginsOf(window).isNull()) {
        window->move(place);
        return;
    }
    // The widget and its native window must agree on the geometry, or the show puts
    // the widget's client geometry back.
    window->move(place);
    handle->resize(window->size());
    handle->setFramePosition(place);
}

void ResizeOuter(QWidget* window, const QSize& outer, const QWidget* framedLike) {
    window->resize(
        (outer - extent(FrameMargins(window, framedLike))).expandedTo(window->minimumSize()));
}

} // namespace quantrel::gui
