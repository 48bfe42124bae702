#pragma once
// Closes every modal dialog that opens while it lives, so a message box can never hang
// a test, and records what each one said. A dialog that the test did not announce with
// Expect fails the test.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

#include <vector>

namespace quantrel::gui {

class ModalWatchdog {
public:
    struct Dialog {
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QPoint topLeft; ///< frame position when it was closed
    };

    ModalWatchdog() {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { closeModal(); });
        m_timer.start();
    }

    /// The next `count` dialogs are part of the test.
    void Expect(int count = 1) { m_expected += count; }
    /// Dialogs announced with Expect that have not opened.
    int Pending() const { return m_expected; }
    const std::vector<Dialog>& Seen() const { return m_seen; }
    /// Runs on each dialog before it is closed, to look at the program while it is open.
    void Inspect(std::function<void(QWidget*)> inspect) { m_inspect = std::move(inspect); }

private:
    void closeModal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        Dialog seen;
        if (const auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.text = box->text();
            seen.icon = box->icon();
        }
        seen.topLeft = modal->frameGeometry().topLeft();
        if (m_inspect)
            m_inspect(modal);
        m_seen.push_back(seen);
        if (m_expected > 0)
            --m_expected;
        else
            ADD_FAILURE() << "unexpected modal dialog: " << seen.text.toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }

    QTimer m_timer;
    int m_expected = 0;
    std::vector<Dialog> m_seen;
    std::function<void(QWidget*)> m_inspect;
};

} // namespace quantrel::gui
