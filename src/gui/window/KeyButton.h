#pragma once
// A key of the keypad or of the function tabs. It clicks like any push button; with
// Fast Click on it acts when a mouse button goes down instead of when it comes up,
// and only once for that press.

#include <QPushButton>

namespace quantrel::gui {

class KeyButton : public QPushButton {
    Q_OBJECT

public:
    explicit KeyButton(QWidget* parent = nullptr);

    /// Act on the press of any mouse button ("Fast Click"); default off.
    void SetFastClick(bool on) { m_fastClick = on; }
    bool FastClick() const { return m_fastClick; }

signals:
    /// Fast Click: a mouse button went down on the enabled key. The key does not emit
    /// clicked() for this press.
    void fastPressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool m_fastClick = false;
};

} // namespace quantrel::gui
