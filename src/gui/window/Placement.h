#pragma once
// Where the program's own windows and dialogs open: beside the calculator, and never
// off the screen. A window's place is always its frame's top-left corner (title bar
// and border included), when it is stored and when it is restored, also before the
// window manager has framed the window.

#include <QMargins>
#include <QPoint>
#include <QSize>

class QWidget;

namespace quantrel::gui {

/// A window that would stick out of the screen is pulled back this far inside it.
inline constexpr int kScreenMargin = 20;

/// When a window near the screen's right or bottom edge is pulled back.
enum class EdgeRule {
    /// when it would pass the edge (the converter, Options, Annotate, the first show)
    PastTheEdge,
    /// when it would come closer than the margin to it (About, the common dialogs)
    WithinTheMargin,
};

/// The top-left corner of a window of outer `size` opened from the window whose frame
/// is at `anchor`: 50 pixels right of and below it; near the screen's right or bottom
/// edge (by `rule`) it is pulled back 20 pixels inside; a negative coordinate becomes 5.
inline QPoint PlaceBeside(const QPoint& anchor, const QSize& size, const QSize& screen,
                          EdgeRule rule = EdgeRule::PastTheEdge) {
    constexpr int kOffset = 50;
    constexpr int kNegativeBecomes = 5;
    const int keepOff = rule == EdgeRule::WithinTheMargin ? kScreenMargin : 0;
    int left = anchor.x() + kOffset;
    int top = anchor.y() + kOffset;
    if (left + size.width() > screen.width() - keepOff)
        left = screen.width() - size.width() - kScreenMargin;
    if (top + size.height() > screen.height() - keepOff)
        top = screen.height() - size.height() - kScreenMargin;
    return {left < 0 ? kNegativeBecomes : left, top < 0 ? kNegativeBecomes : top};
}

/// How far `window`'s frame reaches beyond its client area; before the window manager
/// has framed it, the frame of `framedLike` (a window of ours already on the screen),
/// which the window manager draws alike.
QMargins FrameMargins(const QWidget* window, const QWidget* framedLike = nullptr);

/// The outer size of `window`: its client size and FrameMargins(window, framedLike).
QSize OuterSize(const QWidget* window, const QWidget* framedLike = nullptr);

/// Puts `window`'s frame at `place`: before it is first shown, and when it is shown
/// again after being hidden, the window manager puts the frame's corner there, not the
/// client area's.
void MoveFrameTo(QWidget* window, const QPoint& place);

/// Gives `window` the outer size `outer` (frame included) as far as its least size
/// allows, with FrameMargins(window, framedLike).
void ResizeOuter(QWidget* window, const QSize& outer, const QWidget* framedLike = nullptr);

} // namespace quantrel::gui
