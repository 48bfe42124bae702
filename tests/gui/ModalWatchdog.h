#pragma once
// Closes every modal dialog that opens while it lives, so a message box can never hang
// a test, and records what each one said. A dialog that the test did not announce with
// Expect fails the test. A dialog announced with Answer is handed to the test instead,
// which fills it in and closes it as a user would.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
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
    /// The next modal dialog named `objectName` goes to `answer`, which must close it.
    /// The dialogs it opens meanwhile are closed, or answered, as usual.
    void Answer(const QString& objectName, std::function<void(QDialog&)> answer) {
        m_answers.push_back({objectName, std::move(answer)});
    }
    /// Dialogs announced with Expect or Answer that have not opened.
    int Pending() const { return m_expected + static_cast<int>(m_answers.size()); }
    const std::vector<Dialog>& Seen() const { return m_seen; }
    /// Runs on each dialog before it is closed, to look at the program while it is open.
    void Inspect(std::function<void(QWidget*)> inspect) { m_inspect = std::move(inspect); }

private:
    struct Answering {
        QString objectName;
        std::function<void(QDialog&)> answer;
    };

    void closeModal() {
        QWidget* modal = QApplication::activeModalWidget();
        const auto answering = [modal](const QPointer<QDialog>& d) { return d.data() == modal; };
        if (!modal || std::any_of(m_answering.begin(), m_answering.end(), answering))
            return;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            const auto found =
                std::find_if(m_answers.begin(), m_answers.end(), [&](const Answering& a) {
                    return a.objectName == dialog->objectName();
                });
            if (found != m_answers.end()) {
                answer(dialog, std::move(found->answer));
                m_answers.erase(found);
                return;
            }
        }
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

    void answer(QDialog* dialog, std::function<void(QDialog&)> answer) {
        m_answering.push_back(dialog);
        // Outside this timer's own slot, which Qt does not re-enter: the watchdog keeps
        // closing the message boxes that the answer raises.
        QTimer::singleShot(0, dialog, [this, dialog, answer = std::move(answer)] {
            answer(*dialog);
            std::erase_if(m_answering, [dialog](const QPointer<QDialog>& d) {
                return d.isNull() || d.data() == dialog;
            });
        });
    }

    QTimer m_timer;
    int m_expected = 0;
    std::vector<Answering> m_answers;
    std::vector<QPointer<QDialog>> m_answering;
    std::vector<Dialog> m_seen;
    std::function<void(QWidget*)> m_inspect;
};

} // namespace quantrel::gui
