#pragma once
// Where the program's own windows and dialogs open: beside the calculator, and never
// off the screen.

#include <QPoint>
#include <QSize>

namespace quantrel::gui {

/// A window that would stick out of the screen is pulled back this far inside it.
inline constexpr int kScreenMargin = 20;

/// The top-left corner of a window of `size` opened from the window at `anchor`: 50
/// pixels right of and below it; where it would pass the screen's width or height it
/// is pulled back 20 pixels inside; a negative coordinate becomes 5.
inline QPoint PlaceBeside(const QPoint& anchor, const QSize& size, const QSize& screen) {
    constexpr int kOffset = 50;
    constexpr int kNegativeBecomes = 5;
    int left = anchor.x() + kOffset;
    int top = anchor.y() + kOffset;
    if (left + size.width() > screen.width())
        left = screen.width() - size.width() - kScreenMargin;
    if (top + size.height() > screen.height())
        top = screen.height() - size.height() - kScreenMargin;
    return {left < 0 ? kNegativeBecomes : left, top < 0 ? kNegativeBecomes : top};
}

} // namespace quantrel::gui
