#pragma once
// TTapeFontDialog, "Tape Font...": the tape's face and a size of 5 to 20 points. The
// lines' bold, italics, underline and colours come from the options, so the dialog
// offers no styles or effects of its own.

#include <QDialog>
#include <QFont>

class QComboBox;
class QFontComboBox;
class QLabel;

namespace quantrel::gui {

class TTapeFontDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMinPoints = 5;
    static constexpr int kMaxPoints = 20;

    /// Opens on `current`'s face and size (a size outside 5..20 shows the nearest).
    explicit TTapeFontDialog(const QFont& current, QWidget* parent = nullptr);

    /// The chosen face at the chosen size, nothing else set.
    QFont SelectedFont() const;
    /// `font`'s face at its size clamped to 5..20 points, without style or effects.
    static QFont TapeFont(const QFont& font);

private:
    void showSample();

    QFontComboBox* m_face = nullptr;
    QComboBox* m_size = nullptr;
    QLabel* m_sample = nullptr;
};

} // namespace quantrel::gui
