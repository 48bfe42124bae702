#pragma once
// "Always On Top": a window in the top layer, and the pauses that let a modal box or a
// common dialog show above it.

#include <QWidget>

namespace quantrel::gui {

/// Puts `window` into the top layer or takes it out, keeping its place; changing the
/// flag hides a shown window, so it is shown again.
inline void SetStaysOnTop(QWidget* window, bool on) {
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    const QPoint place = window->pos();
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    window->move(place);
    if (visible)
        window->show();
}

/// While a message box, the About box, a common dialog or a print job runs, an
/// always-on-top window steps back into the normal layer, so the dialog is not hidden
/// behind it; it keeps its place.
class OutOfTopLayer {
public:
    explicit OutOfTopLayer(QWidget* window)
        : m_window(window), m_wasOnTop(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        if (m_wasOnTop)
            SetStaysOnTop(m_window, false);
    }
    ~OutOfTopLayer() {
        if (m_wasOnTop)
            SetStaysOnTop(m_window, true);
    }
    OutOfTopLayer(const OutOfTopLayer&) = delete;
    OutOfTopLayer& operator=(const OutOfTopLayer&) = delete;

private:
    QWidget* m_window;
    bool m_wasOnTop;
};

} // namespace quantrel::gui
