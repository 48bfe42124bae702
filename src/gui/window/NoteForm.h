#pragma once
// TNoteForm, the annotation dialog: an editable list of the ten most recent notes.
// OK trims the text, moves a known note to the top or puts a new one there (the
// eleventh falls out); the window then writes the combo box's text on the tape.

#include <QDialog>
#include <QStringList>

#include <optional>

class QComboBox;
class QPushButton;

namespace quantrel::gui {

class TNoteForm : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMaxNotes = 10;
    static constexpr int kMaxLength = 27;

    /// FormCreate: the non-empty ones of `stored` ("Note1".."Note10"), in order.
    explicit TNoteForm(const QStringList& stored, QWidget* parent = nullptr);

    /// FormShow's placement: 50 pixels right of and below `anchor`, pulled back 20
    /// pixels inside `screen` at the right and bottom, a negative coordinate 5.
    void PlaceBeside(const QPoint& anchor, const QRect& screen);
    /// FormShow's start: no item selected, the text empty, the focus on the box.
    void Reset();

    /// The text the window writes after OK.
    QString Text() const;
    /// The list, most recent first: what FormDestroy gives "Note1".."Note10".
    QStringList Notes() const;

    QComboBox* ComboBox() const { return m_box; }

public slots:
    /// OKButtonClick: accepts (and updates the list) or, for a blank text, rejects.
    void OKButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* m_box = nullptr;    ///< NoteComboBox
    QPushButton* m_ok = nullptr;   ///< OKButton
    std::optional<QPoint> m_place; ///< where PlaceBeside puts the frame
};

} // namespace quantrel::gui
