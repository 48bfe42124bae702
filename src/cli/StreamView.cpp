#include "cli/StreamView.h"

#include "numeric/Utf8.h"

namespace quantrel::cli {

void StreamView::AppendTapeLine(const std::string& text, std::int32_t attr, bool /*isNegative*/) {
    if (m_attrs)
        m_tape << attr << '\t';
    m_tape << text << '\n';
    // The engine counts a line break as two characters, as the window's tape does.
    m_tapeLength += static_cast<std::int32_t>(Utf8Length(text)) + 2;
}

void StreamView::ShowMessage(const std::string& text, MessageKind /*kind*/) {
    // A message box's line breaks (CR) become blanks: one message, one line.
    std::string line = text;
    for (char& c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    m_messages << "message: " << line << '\n';
}

} // namespace quantrel::cli
