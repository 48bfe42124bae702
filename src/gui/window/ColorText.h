#pragma once
// Colour texts of the settings store <-> QColor. A colour is written by name when it
// has one, otherwise as "$" and eight hex digits of 00BBGGRR (blue, green, red):
//   QColor(0, 0, 255) <-> "clBlue",  QColor(1, 2, 3) <-> "$00030201".
// Reading also takes the system colour names ("clWindowText"), which resolve through a
// palette, and decimal colour numbers ("16711680" is clBlue). Everything written reads
// back as the same colour.

#include <QColor>
#include <QPalette>
#include <QString>

namespace quantrel::gui {

/// The colour that `text` names, or `fallback` when it names none (empty text,
/// unknown name, malformed or out-of-range number). Names are matched without regard
/// to case and blanks around the text are ignored. System colours ("clWindowText",
/// "clWindow", "clBtnFace", "clHighlight", ... and their numbers such as "$80000008")
/// are taken from `palette`, by default the application's.
QColor TextToColor(const QString& text, const QColor& fallback,
                   const QPalette& palette = QPalette());

/// The colour text of `color`, ignoring its alpha: one of the sixteen basic names when
/// the colour is one of them, else "$00BBGGRR". An invalid colour gives an empty
/// text, which reads back as the reader's fallback.
QString ColorToText(const QColor& color);

} // namespace quantrel::gui
