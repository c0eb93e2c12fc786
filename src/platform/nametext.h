#pragma once

#include <QString>

class QFontMetrics;

// A player's name inside a text, as the game's labels and boxes draw it: shortened in its middle
// when the text is too wide, isolated in its writing direction, and never read as markup.
namespace NameText {

// Where the name stands in a text.
struct Span {
    qsizetype from = 0;
    qsizetype length = 0;
};

struct Fitted {
    QString shown;          // the text as drawn
    bool shortened = false; // the name had to be shortened
};

// `text` as drawn in `width` pixels of `metrics`: the name shortened in its middle with "…" until
// the whole fits (what stands around it stays whole), and isolated in its direction, so that a
// right-to-left override in it cannot reverse the words around it. A text without a name
// (length 0) is drawn as it is.
Fitted fitted(const QString &text, Span name, const QFontMetrics &metrics, int width);

// A tooltip that shows `text` as it is: never read as markup, blanks kept.
QString plainToolTip(const QString &text);

} // namespace NameText
