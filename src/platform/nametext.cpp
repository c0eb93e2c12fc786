#include "platform/nametext.h"

#include <QFontMetrics>
#include <QTextDocument>

#include <algorithm>

namespace NameText {

Fitted fitted(const QString &text, Span name, const QFontMetrics &metrics, int width)
{
    if (name.length == 0)
        return {text};
    const QString before = text.left(name.from);
    const QString after = text.mid(name.from + name.length);
    const QString whole = text.mid(name.from, name.length);
    const int room = width - metrics.horizontalAdvance(before + after);
    const QString shownName = metrics.elidedText(whole, Qt::ElideMiddle, std::max(room, 0));
    // First strong isolate ... pop directional isolate: the name takes its direction from its
    // own first letter, and nothing in it (an override, an embedding) reaches past it.
    return {before + QChar(0x2068) + shownName + QChar(0x2069) + after, shownName != whole};
}

QString plainToolTip(const QString &text)
{
    // A tooltip guesses whether its text is markup; as converted markup it shows the text as it
    // is. Pre keeps leading and doubled blanks, which HTML would merge, and names differ by them.
    return Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}

} // namespace NameText
