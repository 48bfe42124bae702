#pragma once
// The tape, RichEdit1. Lines come in from the engine's OnQuantrelTape (and the
// window's separator lines) through AppendLine and become right-aligned paragraphs
// coloured and styled by their TapeAttr; the engine's positions go in and out in its
// own units (code points, a line break counting 2 as CR LF), which only
// ToDocumentPos / ToEnginePos translate into QTextDocument positions (UTF-16 units,
// a paragraph break counting 1). It renders and selects; it computes nothing.

#include "rtf/RtfDocument.h"

#include <QColor>
#include <QString>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace quantrel::gui {

/// How tape lines look: the tape settings of sections "Totals", "Expand" and "Annot",
/// with their first-run values.
struct TapeStyle {
    bool totalsBold = true;                     ///< "Bold" of "Totals"
    bool totalsUnder = true;                    ///< "Under" of "Totals"
    bool totalsRed = false;                     ///< "Red" of "Totals": negative totals red
    QColor expandOperColor = QColor(0, 0, 255); ///< "ExpandOperColor", clBlue
    QColor subTotalsColor = QColor(0, 128, 0);  ///< "SubTotalsColor", clGreen
    QColor annotColor = QColor(0, 0, 255);      ///< "AnnotColor", clBlue
    bool annotItalics = false;                  ///< "Italics" of "Annot"
    bool annotUnder = false;                    ///< "Under" of "Annot"
};

/// The read-only, right-aligned tape view. The user can place the caret and select
/// with mouse and keyboard; the selection stays visible when the tape loses the focus.
class TapeView : public QTextEdit {
    Q_OBJECT

public:
    explicit TapeView(QWidget* parent = nullptr);

    /// The style of the lines appended from now on; lines already on the tape keep theirs.
    const TapeStyle& Style() const { return m_style; }
    void SetStyle(const TapeStyle& style) { m_style = style; }

    /// Appends `text` as a new last line in the colour and style of `tapeAttr`
    /// (taOperation to taError); any other attribute keeps those of the previous line.
    /// Line breaks inside `text` show as blanks, so a line stays one paragraph. The
    /// selection collapses and the caret ends at the end of the tape, scrolled into view.
    void AppendLine(const QString& text, int tapeAttr, bool isNegative);

    /// Lines appended from here to the matching EndAppend are laid out together when
    /// it is called, instead of one by one: a command that prints a whole calculation
    /// pays for one layout. Everything else (positions, selection, text) works as usual
    /// in between. Calls nest.
    void BeginAppend();
    /// Lays out what was appended since BeginAppend and scrolls the caret or the
    /// selection into view.
    void EndAppend();

    /// Where the next appended line will start, in engine units: the length of the
    /// tape's text in code points with every line break counting 2. O(1) while only
    /// AppendLine and ClearTape change the tape.
    int NextLineStart() const;

    /// Selects `length` engine units from `start` (a revisited number's tape line) and
    /// scrolls the selection into view. Positions beyond the tape are clamped.
    void SelectTapeRange(int start, int length);

    /// Empties the tape ("Cle&ar Tape").
    void ClearTape();

    /// Number of lines; the empty position after the last line break is not one.
    int LineCount() const;

    /// The whole tape as plain text, every line ended by CR LF.
    QString PlainText() const;

    /// The text of the last line; empty for an empty tape.
    QString LastLine() const;

    /// The tape as a rich-text document, a paragraph per line: the window-text colour
    /// is written as the automatic colour, so that another program shows it in its own.
    rtf::Document ToDocument() const;

    /// Replaces the tape by `document`, every paragraph a right-aligned line; runs
    /// without a face or colour take the tape's font and the window-text colour.
    void LoadDocument(const rtf::Document& document);

    /// Replaces the tape by plain text, one line per CR LF, LF or CR.
    void LoadPlainText(const QString& text);

    /// Deletes lines from the top until at most `count` remain.
    void KeepLastLines(int count);

    /// Inserts `note` as a line of its own at the start of the caret's line (as the new
    /// last line when the caret is at the end of the tape) in the annotation style.
    /// Returns the engine position where it went in; the note with its line break takes
    /// its code points + 2 from there.
    int InsertNote(const QString& note);

    /// Gives every character of the tape `font`'s face and size, keeping its colour and
    /// style; the font is the tape's default from now on. The selection collapses.
    void SetTapeFont(const QFont& font);

    /// Whether the user (or SelectTapeRange) has selected something.
    bool HasSelection() const { return textCursor().hasSelection(); }

    /// The selected text, its line breaks as "\n" (the clipboard's convention; Qt
    /// turns them into the platform's own).
    QString SelectedTapeText() const;

    /// Puts the selected text on the clipboard; false, and the clipboard untouched,
    /// when nothing is selected.
    bool CopySelection();

    /// Gives the tape the focus and selects all of it (Select All).
    void SelectAllTape();

    /// Engine position -> QTextDocument position, clamped to the tape. A position
    /// between the CR and the LF of a break maps to the end of that line's text.
    /// Both translations walk back from the end of the tape, so their cost grows
    /// with the number of lines after the position (few for the current calculation).
    int ToDocumentPos(int enginePos) const;

    /// QTextDocument position -> engine position, clamped to the tape.
    int ToEnginePos(int documentPos) const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void setLineFormat(int tapeAttr, bool isNegative);
    /// Runs `edit` on the document as one foreign edit: the position count is redone.
    template <class Edit> void replaceContent(Edit edit);
    void collapseSelection();
    void keepSelectionVisible();
    void countIfStale() const;
    int engineLength(const QTextBlock& block) const;
    int engineStart(const QTextBlock& block) const;

    TapeStyle m_style;
    QTextCharFormat m_lineFormat; ///< the insertion attributes, kept from line to line
    QTextBlockFormat m_blockFormat;

    /// Set while AppendLine or ClearTape edits the document and keeps the count
    /// itself; any other edit (a loader, a font change) makes the count stale.
    bool m_ownEdit = false;
    // An open BeginAppend: its edit block defers the document's layout (and its
    // contentsChange) to EndAppend; the document length our own edits leave tells a
    // foreign edit made in between.
    int m_appendDepth = 0;
    QTextCursor m_appendBlock;
    int m_ownDocumentLength = 0;
    // The engine-unit length of the tape, recounted on demand after foreign edits.
    mutable bool m_countKnown = true;
    mutable int m_engineLength = 0;
    /// Some line holds a character beyond U+FFFF, which takes two UTF-16 units but
    /// is one engine character; without one, code points and UTF-16 units agree.
    mutable bool m_hasSurrogates = false;
};

} // namespace quantrel::gui
