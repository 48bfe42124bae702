#pragma once
// TFormOptions, the options dialog. It edits the window's in-memory settings in place;
// the window hands the calculator's part of them to the main engine after OK.
//
//   showing: settings -> every field; a stored number that OK would refuse is told
//   typing:  a number field's text -> its check -> a message, nothing else changes
//   OK:      fields -> settings, step by step; a refused value ends OK with the dialog
//            open and the steps before it stored
//
// Ranges and messages come from the table of stored settings.

#include "calculator/ProgramSettings.h"
#include "calculator/SettingsTable.h"
#include "numeric/Extended.h"
#include "numeric/NumberLocale.h"

#include <QDialog>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace quantrel::gui {

class TFormOptions : public QDialog {
    Q_OBJECT

public:
    /// Shows a refusal as an error box (the window's ShowMessageBox).
    using MessageSink = std::function<void(const QString&)>;

    /// FormCreate. `settings` must outlive the dialog; it is read at every showing and
    /// written by OK. `locale` gives the tax rate's decimal separator.
    TFormOptions(ProgramSettings& settings, const NumberLocale& locale, MessageSink showMessage,
                 QWidget* parent = nullptr);

    // Handlers, named after their controls; public for the window and the tests.

    /// Stores the fields in order; closes the dialog with OK only when every check
    /// passed.
    void OKButtonClick();
    void CancelButtonClick();
    void SubTotalButtonClick();
    void ExpandButtonClick();
    void AnnotButtonClick();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    /// Every showing: places the dialog beside its parent window, loads every field
    /// from the settings, applies the enabling rules and shows the first tab with the
    /// focus on the precedence group.
    void FormShow();

    void buildGeneralTab();
    void buildExpandTab();
    void buildTotalsTab();
    void buildTaxTab();
    void buildAnnotationTab();

    void loadFields();
    /// Sub-total and expansion fields follow their check boxes (either box runs both).
    void SubTotalCheckBoxClick();
    void ExpandCheckBoxClick();
    void KeepTapeCheckBoxClick();
    void enableExpandFields();

    // Live checks: a message for a text that is no accepted value, once per edit of
    // the field, when the user leaves it.
    void checkWhenLeft(QLineEdit* edit, void (TFormOptions::*check)());
    void TaxRateEditChange();
    void DigitsEditChange();
    void ConvEditChange();
    void KeepTapeCountEditChange();
    /// The field's value within `range` (its typing limit while `typing`), or nothing
    /// after showing the message that refuses it.
    std::optional<Extended> checkField(const QLineEdit* edit, const SettingRange& range,
                                       bool typing);

    /// The colour dialog, preselected with the sample's colour; OK colours the sample.
    void pickColor(QLineEdit* sample);

    ProgramSettings& m_settings;
    NumberLocale m_locale;
    MessageSink m_showMessage;

    QTabWidget* m_pages = nullptr;
    // "General"
    QRadioButton* m_arithmetic = nullptr; ///< RadioGroupCalcMode item 0
    QRadioButton* m_asEntered = nullptr;  ///< RadioGroupCalcMode item 1
    QCheckBox* m_thousSep = nullptr;
    QCheckBox* m_resetOnMin = nullptr;
    QCheckBox* m_keepTape = nullptr;
    QLineEdit* m_keepTapeCount = nullptr;
    QCheckBox* m_mouseDown = nullptr;
    // "Expand"
    QCheckBox* m_subTotal = nullptr;
    QComboBox* m_subTotalBrackets = nullptr;
    QLineEdit* m_subTotalSample = nullptr;
    QPushButton* m_subTotalButton = nullptr;
    QCheckBox* m_expand = nullptr;
    QComboBox* m_expandBrackets = nullptr;
    QLineEdit* m_expandSample = nullptr;
    QPushButton* m_expandButton = nullptr;
    QLineEdit* m_digits = nullptr;
    QLineEdit* m_conv = nullptr;
    // "Totals"
    QCheckBox* m_totalBold = nullptr;
    QCheckBox* m_totalUnder = nullptr;
    QCheckBox* m_totalRedNeg = nullptr;
    // "Tax"
    QLineEdit* m_taxLit = nullptr;
    QLineEdit* m_taxRate = nullptr;
    // "Annotation"
    QCheckBox* m_annotItalic = nullptr;
    QCheckBox* m_annotUnder = nullptr;
    QLineEdit* m_annotSample = nullptr;

    QPushButton* m_ok = nullptr;
    QSet<const QLineEdit*> m_edited; ///< fields typed into and not checked since
};

} // namespace quantrel::gui
