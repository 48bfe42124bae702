#pragma once
// TFormConvert, the converter: a tool window beside the calculator with a category
// box and two unit lists. An arrow button hands the chosen pair of units to the
// calculator, which converts the current value; the window computes nothing itself.
//
//   category box -> both lists refilled, first rows selected -> status line
//   right arrow  -> TCalculator::ApplyConversion(left unit -> right unit, to history)
//   left arrow   -> TCalculator::ApplyConversion(right unit -> left unit, not recorded)

#include "conversion/ConvSpec.h"
#include "conversion/convunits.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QLabel;
class QStatusBar;
class QToolButton;
class QTreeWidget;

namespace quantrel::gui {

class TCalculator;

class TFormConvert : public QWidget {
    Q_OBJECT

public:
    /// Position and outer size as the settings store keeps them; 0 means not saved.
    struct Place {
        int Left = 0;
        int Top = 0;
        int Width = 0;
        int Height = 0;
    };

    /// The design's outer size, and the least one the border can be dragged to: the
    /// label "Base Units:" (168 + 54) and the left arrow (72 + 30) whole, with the
    /// status line and 50 pixels to spare each way.
    static constexpr QSize kDesignSize{500, 228};
    static constexpr QSize kLeastSize{272, 171};

    /// FormCreate: loads conv.csv of the calculator's data folder into the window's
    /// own table and fills the box and the lists with the first category.
    TFormConvert(TCalculator& calculator, const Place& saved);

    /// The table the lists, the status line and the history menus use.
    const TConvUnits& Units() const { return m_units; }
    const Place& Saved() const { return m_saved; }
    /// The main window's closing: the position of a visible, normal window is kept.
    void RememberPosition();

    /// Selects category `index` (0-based, as in the box) without refilling the lists.
    void SelectCategory(int index);
    /// Opens the window as a category command does: category `tag` - 1 (0 keeps the
    /// one shown), the lists refilled, the window restored and in front. The first
    /// opening of a run tells of the problems of the user's conv.csv.
    void Open(int tag);

    // Handlers, named after their controls; public for the calculator and the tests.
    void ConvTypeComboBoxChange();
    void Button16Click();
    void Button20Click();
    void FromExtListViewColumnClick(QTreeWidget* list, int column);

    QComboBox* ConvTypeComboBox() const { return m_category; }
    QTreeWidget* FromExtListView() const { return m_from; }
    QTreeWidget* ToExtListView() const { return m_to; }
    QString StatusText() const;
    QString BaseUnitText() const;

    void setVisible(bool visible) override;

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fillUnitList(QTreeWidget* list, const std::string& category);
    void sortList(QTreeWidget* list);
    void selectFirstRow(QTreeWidget* list);
    /// The request of the selected rows, from `from`'s unit to `to`'s; nothing unless
    /// both lists have a selected row.
    std::optional<TConvSpec> selectedSpec(QTreeWidget* from, QTreeWidget* to) const;
    void UpdateConvStatus();
    void ArrangeControls();
    void reportTableProblems();
    void keepOnTop();
    /// Size and place for a show: the saved ones, or the design size beside the
    /// calculator.
    void FormShow();
    /// Once the window manager has framed the window: the least size and the size of
    /// FormShow again with the frame's true size. True when it did so.
    bool fitFrame();

    TCalculator& m_calculator;
    TConvUnits m_units;
    Place m_saved;
    int m_sortColumn = 0;
    bool m_sortUp = true;
    bool m_resizing = false;      ///< FormShow sets the saved size: no recording
    bool m_problemsShown = false; ///< conv.csv's problems are told once a run
    bool m_firstShow = true;
    bool m_framePending = false; ///< shown with the calculator's frame taken for its own
    QSize m_outerWanted;         ///< the outer size FormShow set, if it set one

    QComboBox* m_category = nullptr;   ///< ConvTypeComboBox
    QLabel* m_baseLabel = nullptr;     ///< Label1
    QLabel* m_baseUnit = nullptr;      ///< BaseUnitLabel
    QTreeWidget* m_from = nullptr;     ///< FromExtListView
    QTreeWidget* m_to = nullptr;       ///< ToExtListView
    QToolButton* m_right = nullptr;    ///< Button16
    QToolButton* m_left = nullptr;     ///< Button20
    QStatusBar* m_statusBar = nullptr; ///< StatusBar1
    QLabel* m_status = nullptr;        ///< its one text
};

} // namespace quantrel::gui
