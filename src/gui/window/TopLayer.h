#pragma once
// "Always On Top": the program's windows in the top layer, and the pauses that let a
// modal box or a common dialog show above them.

#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace quantrel::gui {

/// Puts `window` into the top layer or takes it out. Only the stacking hint of its
/// native window changes: re-creating the window (as QWidget::setWindowFlags does)
/// would make it flicker and could stack it above an open modal dialog.
inline void SetStaysOnTop(QWidget* window, bool on) {
    const Qt::WindowFlags flags = window->windowFlags();
    if (flags.testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    const Qt::WindowFlags changed = flags ^ Qt::WindowStaysOnTopHint;
    window->overrideWindowFlags(changed); // what the widget shows at its next creation
    if (QWindow* handle = window->windowHandle())
        handle->setFlags(changed);
}

/// While a message box, the About box, a common dialog or a print job runs, the
/// program's always-on-top windows step back into the normal layer, so the dialog is
/// not hidden behind them; they keep their places.
class OutOfTopLayer {
public:
    explicit OutOfTopLayer(const std::vector<QWidget*>& windows) {
        for (QWidget* window : windows)
            if (window && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
                SetStaysOnTop(window, false);
                m_paused.push_back(window);
            }
    }
    ~OutOfTopLayer() {
        for (const QPointer<QWidget>& window : m_paused)
            if (window)
                SetStaysOnTop(window, true);
    }
    OutOfTopLayer(const OutOfTopLayer&) = delete;
    OutOfTopLayer& operator=(const OutOfTopLayer&) = delete;

private:
    std::vector<QPointer<QWidget>> m_paused;
};

} // namespace quantrel::gui
