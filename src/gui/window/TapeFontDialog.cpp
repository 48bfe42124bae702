#include "window/TapeFontDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace quantrel::gui {

TTapeFontDialog::TTapeFontDialog(const QFont& current, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FontDialog1"));
    setWindowTitle(tr("Tape Font"));
    const QFont start = TapeFont(current);

    m_face = new QFontComboBox(this);
    m_face->setObjectName(QStringLiteral("FontComboBox"));
    m_face->setEditable(false);
    m_face->setCurrentFont(start);
    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("SizeComboBox"));
    for (int points = kMinPoints; points <= kMaxPoints; ++points)
        m_size->addItem(QString::number(points), points);
    m_size->setCurrentIndex(start.pointSize() - kMinPoints);
    m_sample = new QLabel(QStringLiteral("= 1,234.56"), this);
    m_sample->setObjectName(QStringLiteral("Sample"));
    m_sample->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_sample->setMinimumHeight(QFontMetrics(TapeFont(QFont(start.family(), kMaxPoints))).height() +
                               8);
    m_sample->setFrameShape(QFrame::StyledPanel);

    auto* fields = new QFormLayout;
    fields->addRow(tr("&Font:"), m_face);
    fields->addRow(tr("&Size:"), m_size);
    fields->addRow(tr("Sample:"), m_sample);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(fields);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_face, &QFontComboBox::currentFontChanged, this, &TTapeFontDialog::showSample);
    connect(m_size, &QComboBox::currentIndexChanged, this, &TTapeFontDialog::showSample);
    showSample();
    m_face->setFocus();
}

QFont TTapeFontDialog::SelectedFont() const {
    return TapeFont(QFont(m_face->currentFont().family(), m_size->currentData().toInt()));
}

QFont TTapeFontDialog::TapeFont(const QFont& font) {
    // A style name (the dialog's "Book", "Italic") would override the lines' own bold.
    QFont tape(font.family());
    tape.setPointSize(std::clamp(font.pointSize(), kMinPoints, kMaxPoints));
    return tape;
}

void TTapeFontDialog::showSample() {
    m_sample->setFont(SelectedFont());
}

} // namespace quantrel::gui
