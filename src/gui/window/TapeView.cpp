// The tape view: styled appending, the engine-unit position count and the one place
// where engine positions and QTextDocument positions are translated.

#include "window/TapeView.h"

#include "engine/QuantrelEval5.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>
#include <cmath>

namespace quantrel::gui {

namespace {

bool isSurrogatePairAt(QStringView text, qsizetype i) {
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
}

/// Characters (code points) in `text`: "90°" has 3, "😀" (two UTF-16 units) has 1.
int codePoints(QStringView text) {
    qsizetype pairs = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (isSurrogatePairAt(text, i)) {
            ++pairs;
            ++i;
        }
    return static_cast<int>(text.size() - pairs);
}

bool hasSurrogatePair(QStringView text) {
    return codePoints(text) != text.size();
}

/// UTF-16 units taken by the first `count` code points of `text` (all of it at most).
int utf16Units(QStringView text, int count) {
    qsizetype i = 0;
    for (int n = 0; n < count && i < text.size(); ++n)
        i += isSurrogatePairAt(text, i) ? 2 : 1;
    return static_cast<int>(i);
}

/// `text` with every character that would start a new paragraph shown as a blank;
/// each stays one character, so the engine's count of the line still holds.
QString asOneParagraph(const QString& text) {
    QString line = text;
    for (QChar& c : line)
        if (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == u'\uFDD0' ||
            c == u'\uFDD1')
            c = u' ';
    return line;
}

} // namespace

TapeView::TapeView(QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("RichEdit1"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Every line would otherwise stay on the undo stack for the life of the tape.
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_blockFormat.setAlignment(Qt::AlignRight);
    QTextCursor(document()).setBlockFormat(m_blockFormat);
    setLineFormat(taOperation, false);

    connect(document(), &QTextDocument::contentsChange, this, [this] {
        if (!m_ownEdit)
            m_countKnown = false;
    });
    keepSelectionVisible();
}

void TapeView::setLineFormat(int tapeAttr, bool isNegative) {
    const QColor windowText = palette().color(QPalette::Text);
    const QColor red(255, 0, 0);
    QColor color;
    bool bold = false;
    bool underline = false;
    switch (tapeAttr) {
    case taOperation:
        color = windowText;
        break;
    case taExpand:
        color = m_style.expandOperColor;
        break;
    case taSubTotal:
        color = m_style.subTotalsColor;
        break;
    case taTotal:
        color = m_style.totalsRed && isNegative ? red : windowText;
        bold = m_style.totalsBold;
        underline = m_style.totalsUnder;
        break;
    case taError:
        color = red;
        break;
    default:
        return;
    }
    QTextCharFormat format;
    format.setForeground(color);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(false);
    format.setFontUnderline(underline);
    m_lineFormat = format;
}

void TapeView::collapseSelection() {
    // Before the edit, so that the view repaints the old highlight; moved by the edit,
    // it would be left on the screen, shifted, while nothing is selected any more.
    QTextCursor current = textCursor();
    if (!current.hasSelection())
        return;
    current.clearSelection();
    setTextCursor(current);
}

void TapeView::AppendLine(const QString& text, int tapeAttr, bool isNegative) {
    collapseSelection();
    setLineFormat(tapeAttr, isNegative);
    const QString line = asOneParagraph(text);
    countIfStale();

    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // Only a foreign edit can leave text after the last break; the line still goes below it.
    const bool lastLineOpen = cursor.block().length() > 1;
    m_ownEdit = true;
    cursor.beginEditBlock();
    if (lastLineOpen)
        cursor.insertBlock(m_blockFormat, m_lineFormat);
    cursor.setBlockFormat(m_blockFormat);
    cursor.insertText(line, m_lineFormat);
    cursor.insertBlock(m_blockFormat, m_lineFormat);
    cursor.endEditBlock();
    m_ownEdit = false;

    m_engineLength += (lastLineOpen ? 2 : 0) + codePoints(line) + 2;
    m_hasSurrogates = m_hasSurrogates || hasSurrogatePair(line);
    m_ownDocumentLength += (lastLineOpen ? 1 : 0) + static_cast<int>(line.size()) + 1;
    setTextCursor(cursor);
}

void TapeView::BeginAppend() {
    if (m_appendDepth++ > 0)
        return;
    m_appendBlock = QTextCursor(document());
    m_appendBlock.beginEditBlock();
    m_ownDocumentLength = document()->characterCount();
}

void TapeView::EndAppend() {
    if (m_appendDepth == 0 || --m_appendDepth > 0)
        return;
    // The deferred contentsChange arrives here; a length other than the one our own
    // edits left shows that something else edited the tape meanwhile.
    const bool foreignEdit = document()->characterCount() != m_ownDocumentLength;
    m_ownEdit = true;
    m_appendBlock.endEditBlock();
    m_ownEdit = false;
    m_appendBlock = QTextCursor();
    if (foreignEdit)
        m_countKnown = false;
    ensureCursorVisible();
}

int TapeView::NextLineStart() const {
    countIfStale();
    return m_engineLength;
}

void TapeView::SelectTapeRange(int start, int length) {
    const int tapeEnd = NextLineStart();
    const int from = std::clamp(start, 0, tapeEnd);
    const int to = from + std::clamp(length, 0, tapeEnd - from);
    QTextCursor cursor(document());
    cursor.setPosition(ToDocumentPos(from));
    cursor.setPosition(ToDocumentPos(to), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void TapeView::ClearTape() {
    QTextCursor cursor(document());
    m_ownEdit = true;
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockFormat(m_blockFormat);
    cursor.endEditBlock();
    m_ownEdit = false;

    m_engineLength = 0;
    m_hasSurrogates = false;
    m_countKnown = true;
    m_ownDocumentLength = document()->characterCount();
    setTextCursor(cursor);
}

int TapeView::LineCount() const {
    const QTextDocument* doc = document();
    return doc->blockCount() - (doc->lastBlock().length() == 1 ? 1 : 0);
}

QString TapeView::PlainText() const {
    QString text;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        text += block.text();
        if (block.next().isValid())
            text += QStringLiteral("\r\n");
    }
    return text;
}

QString TapeView::SelectedTapeText() const {
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

bool TapeView::CopySelection() {
    const QString text = SelectedTapeText();
    if (text.isEmpty())
        return false;
    QGuiApplication::clipboard()->setText(text);
    return true;
}

void TapeView::SelectAllTape() {
    setFocus();
    selectAll();
}

// Both translations walk from the end of the tape, where NextLineStart anchors the
// engine count: the lines asked about (those of the current calculation) are the
// last few, so a long tape costs nothing extra.

int TapeView::ToDocumentPos(int enginePos) const {
    const int target = std::clamp(enginePos, 0, NextLineStart());
    QTextBlock block = document()->lastBlock();
    int blockStart = m_engineLength - engineLength(block);
    while (blockStart > target && block.previous().isValid()) {
        block = block.previous();
        blockStart -= engineLength(block);
    }
    const int offset = target - blockStart;
    const int units =
        m_hasSurrogates ? utf16Units(block.text(), offset) : std::min(offset, block.length() - 1);
    return block.position() + units;
}

int TapeView::ToEnginePos(int documentPos) const {
    countIfStale();
    const int pos = std::clamp(documentPos, 0, document()->characterCount() - 1);
    const QTextBlock block = document()->findBlock(pos);
    const int offset = pos - block.position();
    const int characters =
        m_hasSurrogates ? codePoints(QStringView(block.text()).left(offset)) : offset;
    return engineStart(block) + characters;
}

int TapeView::engineLength(const QTextBlock& block) const {
    const int breakLength = block.next().isValid() ? 2 : 0;
    if (m_hasSurrogates)
        return codePoints(block.text()) + breakLength;
    return block.length() - 1 + breakLength;
}

int TapeView::engineStart(const QTextBlock& block) const {
    QTextBlock walk = document()->lastBlock();
    int start = m_engineLength - engineLength(walk);
    while (walk != block && walk.previous().isValid()) {
        walk = walk.previous();
        start -= engineLength(walk);
    }
    return start;
}

void TapeView::countIfStale() const {
    if (m_countKnown)
        return;
    m_engineLength = 0;
    m_hasSurrogates = false;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        m_hasSurrogates = m_hasSurrogates || hasSurrogatePair(text);
        m_engineLength += codePoints(text) + (block.next().isValid() ? 2 : 0);
    }
    m_countKnown = true;
}

QString TapeView::LastLine() const {
    QTextBlock block = document()->lastBlock();
    if (block.length() == 1 && block.previous().isValid())
        block = block.previous();
    return block.text();
}

rtf::Document TapeView::ToDocument() const {
    const QColor windowText = palette().color(QPalette::Text);
    const QFont tapeFont = font();
    rtf::Document out;
    const int lines = LineCount();
    QTextBlock block = document()->begin();
    for (int line = 0; line < lines && block.isValid(); ++line, block = block.next()) {
        rtf::Paragraph paragraph;
        paragraph.alignment = rtf::Alignment::Right;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            const QFont look = format.font().resolve(tapeFont);
            rtf::Run run;
            run.text = fragment.text().toStdString();
            run.font = look.family().toStdString();
            run.halfPoints = static_cast<int>(std::lround(look.pointSizeF() * 2));
            if (format.hasProperty(QTextFormat::ForegroundBrush)) {
                const QColor colour = format.foreground().color();
                if (colour != windowText)
                    run.colour = rtf::Colour{static_cast<std::uint8_t>(colour.red()),
                                             static_cast<std::uint8_t>(colour.green()),
                                             static_cast<std::uint8_t>(colour.blue())};
            }
            run.bold = look.bold();
            run.italic = look.italic();
            run.underline = look.underline();
            paragraph.runs.push_back(std::move(run));
        }
        out.paragraphs.push_back(std::move(paragraph));
    }
    return out;
}

template <class Edit> void TapeView::replaceContent(Edit edit) {
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    edit(cursor);
    cursor.endEditBlock();
    m_countKnown = false;
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    setTextCursor(end);
}

void TapeView::LoadDocument(const rtf::Document& document) {
    const QColor windowText = palette().color(QPalette::Text);
    replaceContent([&](QTextCursor& cursor) {
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        cursor.setBlockFormat(m_blockFormat);
        for (const rtf::Paragraph& paragraph : document.paragraphs) {
            for (const rtf::Run& run : paragraph.runs) {
                QTextCharFormat format;
                if (!run.font.empty())
                    format.setFontFamilies({QString::fromStdString(run.font)});
                if (run.halfPoints > 0)
                    format.setFontPointSize(run.halfPoints / 2.0);
                format.setForeground(
                    run.colour ? QColor(run.colour->red, run.colour->green, run.colour->blue)
                               : windowText);
                format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
                format.setFontItalic(run.italic);
                format.setFontUnderline(run.underline);
                cursor.insertText(asOneParagraph(QString::fromStdString(run.text)), format);
            }
            cursor.insertBlock(m_blockFormat, m_lineFormat);
        }
    });
}

void TapeView::LoadPlainText(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    if (lines.endsWith(u'\n'))
        lines.chop(1);
    setLineFormat(taOperation, false);
    replaceContent([&](QTextCursor& cursor) {
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        cursor.setBlockFormat(m_blockFormat);
        if (text.isEmpty())
            return;
        for (const QString& line : lines.split(u'\n')) {
            cursor.insertText(asOneParagraph(line), m_lineFormat);
            cursor.insertBlock(m_blockFormat, m_lineFormat);
        }
    });
}

void TapeView::KeepLastLines(int count) {
    const int excess = LineCount() - std::max(count, 0);
    if (excess <= 0)
        return;
    replaceContent([&](QTextCursor& cursor) {
        cursor.movePosition(QTextCursor::Start);
        cursor.setPosition(document()->findBlockByNumber(excess).position(),
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    });
}

int TapeView::InsertNote(const QString& note) {
    collapseSelection();
    const int lineStart = textCursor().block().position();
    const int enginePos = ToEnginePos(lineStart);
    QTextCharFormat format;
    format.setForeground(m_style.annotColor);
    format.setFontWeight(QFont::Normal);
    format.setFontItalic(m_style.annotItalics);
    format.setFontUnderline(m_style.annotUnder);
    const QString line = asOneParagraph(note);
    QTextCursor cursor(document());
    cursor.setPosition(lineStart);
    m_ownEdit = true;
    cursor.beginEditBlock();
    cursor.insertText(line, format);
    cursor.insertBlock(m_blockFormat, m_lineFormat);
    cursor.endEditBlock();
    m_ownEdit = false;
    // The note's own count keeps the position count exact without a recount.
    m_engineLength += codePoints(line) + 2;
    m_hasSurrogates = m_hasSurrogates || hasSurrogatePair(line);
    setTextCursor(cursor);
    return enginePos;
}

void TapeView::SetTapeFont(const QFont& chosen) {
    collapseSelection();
    setFont(chosen);
    document()->setDefaultFont(chosen);
    QTextCharFormat face;
    face.setFontFamilies({chosen.family()});
    face.setFontPointSize(chosen.pointSizeF());
    const bool known = m_countKnown;
    m_ownEdit = true;
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(face);
    m_ownEdit = false;
    m_countKnown = known; // the text is unchanged
    m_lineFormat.merge(face);
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    setTextCursor(end);
}

void TapeView::changeEvent(QEvent* event) {
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        keepSelectionVisible();
}

void TapeView::keepSelectionVisible() {
    QPalette pal = palette();
    const auto pin = [&pal](QPalette::ColorRole role) {
        if (pal.color(QPalette::Inactive, role) == pal.color(QPalette::Active, role))
            return false;
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
        return true;
    };
    const bool highlightChanged = pin(QPalette::Highlight);
    const bool textChanged = pin(QPalette::HighlightedText);
    if (highlightChanged || textChanged)
        setPalette(pal);
}

} // namespace quantrel::gui
