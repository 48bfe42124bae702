#include "options/FormOptions.h"

#include "numeric/NumberText.h"
#include "window/ColorText.h"
#include "window/Placement.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace quantrel::gui {

namespace {

// Characters a user may type into the short fields.
constexpr int kKeepCountLength = 3;
constexpr int kDigitsLength = 2;
constexpr int kTaxLitLength = 3;

/// The bracket pairs in the order of the engine's bracket indexes.
const QStringList kBrackets = {QStringLiteral("none"), QStringLiteral("{ }"), QStringLiteral("[ ]"),
                               QStringLiteral("( )"), QStringLiteral("< >")};

const SettingDef& settingRow(const char* section, const char* name) {
    return *FindSetting(section, name);
}

const SettingRange& rangeOf(const char* section, const char* name) {
    return *settingRow(section, name).Range;
}

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// A stored colour text as a colour; one that names none takes the setting's default.
QColor storedColor(const std::string& text, const char* section, const char* name) {
    const QColor fallback = TextToColor(qt(settingRow(section, name).Default), QColor(Qt::black));
    return TextToColor(qt(text), fallback);
}

/// The sample's font colour is the setting; a disabled sample keeps the usual grey.
void setSampleColor(QLineEdit* sample, const QColor& color) {
    QPalette palette = sample->palette();
    palette.setColor(QPalette::Active, QPalette::Text, color);
    palette.setColor(QPalette::Inactive, QPalette::Text, color);
    sample->setPalette(palette);
}

QColor sampleColor(const QLineEdit* sample) {
    return sample->palette().color(QPalette::Active, QPalette::Text);
}

std::string sampleColorText(const QLineEdit* sample) {
    return ColorToText(sampleColor(sample)).toStdString();
}

/// The limit stops typing only: a longer stored text (a hand-edited store) shows whole,
/// so that OK does not cut it silently, and the live check can refuse it.
void setLimitedText(QLineEdit* edit, int limit, const QString& text) {
    edit->setMaxLength(std::max(limit, static_cast<int>(text.size())));
    edit->setText(text);
}

/// A field wide enough for `chars` digits in its own font.
void fitDigits(QLineEdit* edit, int chars) {
    const QFontMetrics metrics = edit->fontMetrics();
    // QLineEdit's size hint holds 17 "x" plus its frame and margins.
    const int frame = edit->sizeHint().width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
    edit->setFixedWidth(frame + (chars + 1) * metrics.horizontalAdvance(QLatin1Char('0')));
}

QLineEdit* lineEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLabel* label(QWidget* parent, const QString& caption, QWidget* buddy) {
    auto* text = new QLabel(caption, parent);
    text->setBuddy(buddy);
    return text;
}

/// A read-only sample text whose font colour shows a setting's colour.
QLineEdit* sample(QWidget* parent, const char* name, const QString& text) {
    QLineEdit* edit = lineEdit(parent, name);
    edit->setText(text);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    fitDigits(edit, 6);
    return edit;
}

QPushButton* changeButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(QStringLiteral("Change.."), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QComboBox* bracketsBox(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(kBrackets);
    return box;
}

QGroupBox* group(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

/// A stored bracket index as a list position; one outside the list shows no item.
int bracketPosition(std::int32_t index) {
    return index >= 0 && index < kBrackets.size() ? index : -1;
}

} // namespace

TFormOptions::TFormOptions(ProgramSettings& settings, const NumberLocale& locale,
                           MessageSink showMessage, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_locale(locale),
      m_showMessage(std::move(showMessage)) {
    setObjectName(QStringLiteral("FormOptions"));
    setWindowTitle(QStringLiteral("Options"));

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("OptionsPageControl"));
    buildGeneralTab();
    buildExpandTab();
    buildTotalsTab();
    buildTaxTab();
    buildAnnotationTab();

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &TFormOptions::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &TFormOptions::CancelButtonClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    // A fixed size that holds every caption whole in the system font.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormOptions::buildGeneralTab() {
    auto* page = new QWidget(m_pages);
    page->setObjectName(QStringLiteral("GeneralSheet"));

    QGroupBox* precedence = group(page, "RadioGroupCalcMode", QStringLiteral("Precedence"));
    m_arithmetic = new QRadioButton(QStringLiteral("Arithmetic"), precedence);
    m_arithmetic->setObjectName(QStringLiteral("RadioGroupCalcMode_0"));
    m_asEntered = new QRadioButton(QStringLiteral("As Entered"), precedence);
    m_asEntered->setObjectName(QStringLiteral("RadioGroupCalcMode_1"));
    auto* items = new QVBoxLayout(precedence);
    items->addWidget(m_arithmetic);
    items->addWidget(m_asEntered);

    m_thousSep = checkBox(page, "ThousSepCheckBox", QStringLiteral("Show Thousand Separators"));
    m_resetOnMin =
        checkBox(page, "ResetOnMinCheckBox", QStringLiteral("Reset On Minimise to Tray"));
    m_keepTape = checkBox(page, "KeepTapeCheckBox", QStringLiteral("Keep Tape on close"));
    m_keepTapeCount = lineEdit(page, "KeepTapeCountEdit");
    m_keepTapeCount->setMaxLength(kKeepCountLength);
    fitDigits(m_keepTapeCount, kKeepCountLength);
    m_mouseDown = checkBox(page, "MouseDownCheckBox", QStringLiteral("Fast Click"));
    connect(m_keepTape, &QCheckBox::toggled, this, &TFormOptions::KeepTapeCheckBoxClick);
    checkWhenLeft(m_keepTapeCount, &TFormOptions::KeepTapeCountEditChange);

    auto* keep = new QHBoxLayout;
    keep->addWidget(m_keepTape);
    keep->addSpacing(12);
    keep->addWidget(label(page, QStringLiteral("Lines:"), m_keepTapeCount));
    keep->addWidget(m_keepTapeCount);
    keep->addStretch();

    auto* column = new QVBoxLayout(page);
    column->addWidget(precedence);
    column->addWidget(m_thousSep);
    column->addWidget(m_resetOnMin);
    column->addLayout(keep);
    column->addWidget(m_mouseDown);
    column->addStretch();
    m_pages->addTab(page, QStringLiteral("General"));
}

void TFormOptions::buildExpandTab() {
    auto* page = new QWidget(m_pages);
    page->setObjectName(QStringLiteral("ExpandSheet"));

    // The two groups are laid out alike: check box, brackets, colour sample and button.
    const auto bracketsGroup = [page](QGroupBox* box, QCheckBox* check, QComboBox* brackets,
                                      QLineEdit* sampleText, QPushButton* button) {
        auto* grid = new QGridLayout(box);
        grid->addWidget(check, 0, 0, 1, 3);
        grid->addWidget(label(page, QStringLiteral("Brackets:"), brackets), 1, 0);
        grid->addWidget(brackets, 1, 1, 1, 2, Qt::AlignLeft);
        grid->addWidget(label(page, QStringLiteral("Color:"), sampleText), 2, 0);
        grid->addWidget(sampleText, 2, 1);
        grid->addWidget(button, 2, 2);
        grid->setColumnStretch(3, 1);
    };

    QGroupBox* subTotals = group(page, "SubTotalGroupBox", QStringLiteral("Sub Totals"));
    m_subTotal = checkBox(subTotals, "SubTotalCheckBox", QStringLiteral("Show SubTotals"));
    m_subTotalBrackets = bracketsBox(subTotals, "SubTotalComboBox");
    m_subTotalSample = sample(subTotals, "SubTotalEdit", QStringLiteral("99.99"));
    m_subTotalButton = changeButton(subTotals, "SubTotalButton");
    bracketsGroup(subTotals, m_subTotal, m_subTotalBrackets, m_subTotalSample, m_subTotalButton);

    QGroupBox* expand = group(page, "ExpandGroupBox", QStringLiteral("Expand Operators"));
    m_expand = checkBox(expand, "ExpandCheckBox", QStringLiteral("Expand Operators"));
    m_expandBrackets = bracketsBox(expand, "ExpandComboBox");
    m_expandSample = sample(expand, "ExpandEdit", QStringLiteral("99.99"));
    m_expandButton = changeButton(expand, "ExpandButton");
    bracketsGroup(expand, m_expand, m_expandBrackets, m_expandSample, m_expandButton);

    connect(m_subTotal, &QCheckBox::toggled, this, &TFormOptions::SubTotalCheckBoxClick);
    connect(m_expand, &QCheckBox::toggled, this, &TFormOptions::ExpandCheckBoxClick);
    connect(m_subTotalButton, &QPushButton::clicked, this, &TFormOptions::SubTotalButtonClick);
    connect(m_expandButton, &QPushButton::clicked, this, &TFormOptions::ExpandButtonClick);

    QGroupBox* precision = group(page, "PrecisionGroupBox", QStringLiteral("Precision"));
    m_digits = lineEdit(precision, "DigitsEdit");
    m_digits->setMaxLength(kDigitsLength);
    fitDigits(m_digits, kDigitsLength);
    m_conv = lineEdit(precision, "ConvEdit");
    m_conv->setMaxLength(kDigitsLength);
    fitDigits(m_conv, kDigitsLength);
    checkWhenLeft(m_digits, &TFormOptions::DigitsEditChange);
    checkWhenLeft(m_conv, &TFormOptions::ConvEditChange);
    auto* digits = new QGridLayout(precision);
    digits->addWidget(label(precision, QStringLiteral("Fixed Digits:"), m_digits), 0, 0);
    digits->addWidget(m_digits, 0, 1);
    digits->addWidget(label(precision, QStringLiteral("Conversion:"), m_conv), 1, 0);
    digits->addWidget(m_conv, 1, 1);
    digits->addWidget(new QLabel(QStringLiteral("(Display)"), precision), 1, 2);
    digits->setColumnStretch(3, 1);

    auto* groups = new QHBoxLayout;
    groups->addWidget(subTotals);
    groups->addWidget(expand);
    auto* column = new QVBoxLayout(page);
    column->addLayout(groups);
    column->addWidget(precision);
    column->addStretch();
    m_pages->addTab(page, QStringLiteral("Expand"));
}

void TFormOptions::buildTotalsTab() {
    auto* page = new QWidget(m_pages);
    page->setObjectName(QStringLiteral("TotalsSheet"));
    QGroupBox* totals = group(page, "TotalsGroupBox", QStringLiteral("Totals on Tape in"));
    m_totalBold = checkBox(totals, "TotalBoldCheckBox", QStringLiteral("Bold"));
    m_totalUnder = checkBox(totals, "TotalUnderCheckBox", QStringLiteral("Underlined"));
    m_totalRedNeg = checkBox(totals, "TotalRedNegCheckBox", QStringLiteral("Negative in Red"));
    auto* items = new QVBoxLayout(totals);
    items->addWidget(m_totalBold);
    items->addWidget(m_totalUnder);
    items->addWidget(m_totalRedNeg);
    auto* column = new QVBoxLayout(page);
    column->addWidget(totals);
    column->addStretch();
    m_pages->addTab(page, QStringLiteral("Totals"));
}

void TFormOptions::buildTaxTab() {
    auto* page = new QWidget(m_pages);
    page->setObjectName(QStringLiteral("TaxSheet"));
    m_taxLit = lineEdit(page, "TaxLitEdit");
    m_taxLit->setMaxLength(kTaxLitLength);
    fitDigits(m_taxLit, kTaxLitLength + 2);
    m_taxRate = lineEdit(page, "TaxRateEdit");
    fitDigits(m_taxRate, 10);
    checkWhenLeft(m_taxRate, &TFormOptions::TaxRateEditChange);
    auto* grid = new QGridLayout(page);
    grid->addWidget(label(page, QStringLiteral("Tax Name:"), m_taxLit), 0, 0);
    grid->addWidget(m_taxLit, 0, 1);
    grid->addWidget(label(page, QStringLiteral("Tax Rate:"), m_taxRate), 1, 0);
    grid->addWidget(m_taxRate, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("%"), page), 1, 2);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(2, 1);
    m_pages->addTab(page, QStringLiteral("Tax"));
}

void TFormOptions::buildAnnotationTab() {
    auto* page = new QWidget(m_pages);
    page->setObjectName(QStringLiteral("AnnotationSheet"));
    QGroupBox* annotations = group(page, "AnnotGroupBox", QStringLiteral("Annotations in"));
    m_annotItalic = checkBox(annotations, "AnnotItalicCheckBox", QStringLiteral("Italics"));
    m_annotUnder = checkBox(annotations, "AnnotUnderCheckBox", QStringLiteral("Underline"));
    m_annotSample = sample(annotations, "AnnotEdit", QStringLiteral("Notes"));
    QPushButton* change = changeButton(annotations, "AnnotButton");
    connect(change, &QPushButton::clicked, this, &TFormOptions::AnnotButtonClick);
    auto* grid = new QGridLayout(annotations);
    grid->addWidget(m_annotItalic, 0, 0, 1, 3);
    grid->addWidget(m_annotUnder, 1, 0, 1, 3);
    grid->addWidget(label(annotations, QStringLiteral("Color:"), m_annotSample), 2, 0);
    grid->addWidget(m_annotSample, 2, 1);
    grid->addWidget(change, 2, 2);
    grid->setColumnStretch(3, 1);
    auto* column = new QVBoxLayout(page);
    column->addWidget(annotations);
    column->addStretch();
    m_pages->addTab(page, QStringLiteral("Annotation"));
}

void TFormOptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TFormOptions::FormShow() {
    if (const QWidget* window = parentWidget()) {
        const QScreen* shown = window->screen();
        const QSize screenSize = shown ? shown->geometry().size() : QSize(INT_MAX, INT_MAX);
        MoveFrameTo(this, PlaceBeside(window->frameGeometry().topLeft(), OuterSize(this, window),
                                      screenSize));
    }
    m_edited.clear();
    loadFields();
    KeepTapeCheckBoxClick();
    enableExpandFields();
    m_pages->setCurrentIndex(0);
    (m_asEntered->isChecked() ? m_asEntered : m_arithmetic)->setFocus(Qt::OtherFocusReason);
    m_ok->setDefault(true);
}

void TFormOptions::loadFields() {
    const CalculatorSettings& calc = m_settings.Calc;
    {
        // Each number field is checked once below, whether or not its text changed.
        const QSignalBlocker quietCount(m_keepTapeCount);
        const QSignalBlocker quietDigits(m_digits);
        const QSignalBlocker quietConv(m_conv);
        const QSignalBlocker quietRate(m_taxRate);

        (calc.Dumb ? m_asEntered : m_arithmetic)->setChecked(true);
        m_thousSep->setChecked(calc.ThousSep);
        m_resetOnMin->setChecked(m_settings.Reset);
        m_keepTape->setChecked(m_settings.Keep);
        setLimitedText(m_keepTapeCount, kKeepCountLength, qt(IntegerText(m_settings.Keepcount)));
        m_mouseDown->setChecked(m_settings.Down);

        m_subTotal->setChecked(calc.Subtotals);
        m_subTotalBrackets->setCurrentIndex(bracketPosition(calc.SubTotalsSymIndex));
        setSampleColor(m_subTotalSample,
                       storedColor(m_settings.SubTotalsColor, "Expand", "SubTotalsColor"));
        m_expand->setChecked(calc.ExpandOper);
        m_expandBrackets->setCurrentIndex(bracketPosition(calc.ExpandOperSymIndex));
        setSampleColor(m_expandSample,
                       storedColor(m_settings.ExpandOperColor, "Expand", "ExpandOperColor"));
        setLimitedText(m_digits, kDigitsLength, qt(IntegerText(calc.Digits)));
        setLimitedText(m_conv, kDigitsLength, qt(IntegerText(calc.ConvDigits)));

        m_totalBold->setChecked(m_settings.TotalsBold);
        m_totalUnder->setChecked(m_settings.TotalsUnder);
        m_totalRedNeg->setChecked(m_settings.TotalsRed);

        setLimitedText(m_taxLit, kTaxLitLength, qt(calc.TaxLit));
        const SettingRange& rate = rangeOf("Tax", "TaxRate");
        m_taxRate->setText(
            qt(GeneralText(static_cast<Extended>(calc.TaxRate) * rate.Scale, 15, m_locale)));

        m_annotItalic->setChecked(m_settings.AnnotItalics);
        m_annotUnder->setChecked(m_settings.AnnotUnder);
        setSampleColor(m_annotSample, storedColor(m_settings.AnnotColor, "Annot", "AnnotColor"));
    }
    // Checked as OK checks them: a value OK took shows nothing when the dialog opens
    // again (a conversion precision of 11 to 14 is refused only while it is typed).
    checkField(m_keepTapeCount, rangeOf("Tape", "Keepcount"), false);
    checkField(m_digits, rangeOf("Tape", "Digits"), false);
    checkField(m_conv, rangeOf("Tape", "ConvDigits"), false);
    checkField(m_taxRate, rangeOf("Tax", "TaxRate"), false);
}

void TFormOptions::SubTotalCheckBoxClick() {
    enableExpandFields();
}

void TFormOptions::ExpandCheckBoxClick() {
    enableExpandFields();
}

void TFormOptions::enableExpandFields() {
    const bool subTotals = m_subTotal->isChecked();
    m_subTotalBrackets->setEnabled(subTotals);
    m_subTotalSample->setEnabled(subTotals);
    m_subTotalButton->setEnabled(subTotals);
    const bool expand = m_expand->isChecked();
    m_expandBrackets->setEnabled(expand);
    m_expandSample->setEnabled(expand);
    m_expandButton->setEnabled(expand);
}

void TFormOptions::KeepTapeCheckBoxClick() {
    m_keepTapeCount->setEnabled(m_keepTape->isChecked());
}

void TFormOptions::checkWhenLeft(QLineEdit* edit, void (TFormOptions::*check)()) {
    // A message box in the middle of typing would take the next keys: an edited field
    // is checked once, when the user leaves it (or presses Enter).
    connect(edit, &QLineEdit::textEdited, this, [this, edit] { m_edited.insert(edit); });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, check] {
        if (m_edited.remove(edit))
            (this->*check)();
    });
}

void TFormOptions::done(int result) {
    m_edited.clear(); // OK has checked every field; Cancel drops the edits
    QDialog::done(result);
}

void TFormOptions::TaxRateEditChange() {
    checkField(m_taxRate, rangeOf("Tax", "TaxRate"), true);
}

void TFormOptions::DigitsEditChange() {
    checkField(m_digits, rangeOf("Tape", "Digits"), true);
}

void TFormOptions::ConvEditChange() {
    checkField(m_conv, rangeOf("Tape", "ConvDigits"), true);
}

void TFormOptions::KeepTapeCountEditChange() {
    checkField(m_keepTapeCount, rangeOf("Tape", "Keepcount"), true);
}

std::optional<Extended> TFormOptions::checkField(const QLineEdit* edit, const SettingRange& range,
                                                 bool typing) {
    const CheckedSetting checked =
        CheckSettingText(range, edit->text().toStdString(), m_locale, typing);
    if (!checked.Value)
        m_showMessage(qt(checked.Message));
    return checked.Value;
}

void TFormOptions::OKButtonClick() {
    m_edited.clear(); // OK checks each field itself
    CalculatorSettings& calc = m_settings.Calc;
    calc.Subtotals = m_subTotal->isChecked();
    m_settings.SubTotalsColor = sampleColorText(m_subTotalSample);
    calc.SubTotalsSymIndex = m_subTotalBrackets->currentIndex();
    calc.ExpandOper = m_expand->isChecked();
    m_settings.ExpandOperColor = sampleColorText(m_expandSample);
    calc.ExpandOperSymIndex = m_expandBrackets->currentIndex();
    calc.Dumb = m_asEntered->isChecked();
    calc.TaxLit = m_taxLit->text().toStdString();

    const SettingRange& rateRange = rangeOf("Tax", "TaxRate");
    const std::optional<Extended> rate = checkField(m_taxRate, rateRange, false);
    if (!rate)
        return;
    calc.TaxRate = static_cast<double>(*rate / rateRange.Scale);

    const std::optional<Extended> digits = checkField(m_digits, rangeOf("Tape", "Digits"), false);
    if (!digits)
        return;
    const std::optional<Extended> conv = checkField(m_conv, rangeOf("Tape", "ConvDigits"), false);
    if (!conv)
        return;

    m_settings.Keep = m_keepTape->isChecked();
    if (m_settings.Keep) {
        const std::optional<Extended> count =
            checkField(m_keepTapeCount, rangeOf("Tape", "Keepcount"), false);
        if (!count)
            return;
        m_settings.Keepcount = static_cast<std::int32_t>(*count);
    } else {
        // Not keeping: the count goes back to its default, whatever the field says.
        m_settings.Keepcount = *ParseStoredInteger(settingRow("Tape", "Keepcount").Default);
    }

    calc.Digits = static_cast<std::int32_t>(*digits);
    calc.ConvDigits = static_cast<std::int32_t>(*conv);

    m_settings.TotalsBold = m_totalBold->isChecked();
    m_settings.TotalsUnder = m_totalUnder->isChecked();
    m_settings.TotalsRed = m_totalRedNeg->isChecked();
    m_settings.AnnotColor = sampleColorText(m_annotSample);
    m_settings.AnnotItalics = m_annotItalic->isChecked();
    m_settings.AnnotUnder = m_annotUnder->isChecked();
    calc.ThousSep = m_thousSep->isChecked();
    m_settings.Reset = m_resetOnMin->isChecked();
    m_settings.Down = m_mouseDown->isChecked();
    accept();
}

void TFormOptions::CancelButtonClick() {
    reject();
}

void TFormOptions::SubTotalButtonClick() {
    pickColor(m_subTotalSample);
}

void TFormOptions::ExpandButtonClick() {
    pickColor(m_expandSample);
}

void TFormOptions::AnnotButtonClick() {
    pickColor(m_annotSample);
}

void TFormOptions::pickColor(QLineEdit* sampleText) {
    QColorDialog dialog(sampleColor(sampleText), this);
    dialog.setObjectName(QStringLiteral("ColorDialog1"));
    dialog.setWindowTitle(QStringLiteral("Color"));
    if (dialog.exec() == QDialog::Accepted)
        setSampleColor(sampleText, dialog.selectedColor());
}

} // namespace quantrel::gui
