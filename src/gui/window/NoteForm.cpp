#include "window/NoteForm.h"

#include "window/Placement.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quantrel::gui {

TNoteForm::TNoteForm(const QStringList& stored, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("NoteForm"));
    setWindowTitle(QStringLiteral("Annotation"));
    m_box = new QComboBox(this);
    m_box->setObjectName(QStringLiteral("NoteComboBox"));
    m_box->setEditable(true);
    // The list is ours to order; the box must not add or sort on Enter.
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->setDuplicatesEnabled(true);
    m_box->lineEdit()->setMaxLength(kMaxLength);
    m_box->setMinimumContentsLength(kMaxLength);
    for (const QString& note : stored)
        if (!note.isEmpty() && m_box->count() < kMaxNotes)
            m_box->addItem(note);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CanButton"));
    connect(m_ok, &QPushButton::clicked, this, &TNoteForm::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_box);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TNoteForm::PlaceBeside(const QPoint& anchor, const QRect& screen) {
    const QSize frame = OuterSize(this, parentWidget()) - size();
    m_place = gui::PlaceBeside(anchor, sizeHint().expandedTo(size()) + frame, screen.size());
    move(*m_place); // keeps it from centring itself on the window
}

void TNoteForm::Reset() {
    m_box->setCurrentIndex(-1);
    m_box->setEditText(QString());
    m_box->setFocus();
    m_ok->setDefault(true);
}

void TNoteForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Once the dialog has its size: the frame, not the client area, goes to the place.
    if (m_place)
        MoveFrameTo(this, *m_place);
    Reset();
}

QString TNoteForm::Text() const {
    return m_box->currentText();
}

QStringList TNoteForm::Notes() const {
    QStringList notes;
    for (int i = 0; i < m_box->count(); ++i)
        notes << m_box->itemText(i);
    return notes;
}

void TNoteForm::OKButtonClick() {
    const QString typed = m_box->currentText();
    const QString note = typed.trimmed();
    if (note.isEmpty()) {
        reject();
        return;
    }
    const int known = m_box->findText(note, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (known >= 0) {
        m_box->removeItem(known);
        m_box->insertItem(0, note);
        m_box->setCurrentIndex(0);
        m_box->setEditText(note);
    } else {
        m_box->insertItem(0, note);
        if (m_box->count() > kMaxNotes)
            m_box->removeItem(m_box->count() - 1);
        // The note goes on the tape as typed, blanks and all.
        m_box->setCurrentIndex(-1);
        m_box->setEditText(typed);
    }
    accept();
}

} // namespace quantrel::gui
