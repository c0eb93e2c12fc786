#include "platform/namelabel.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

NameLabel::NameLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText); // names are never read as markup
}

void NameLabel::setTextWithName(const QString &text, qsizetype nameFrom, qsizetype nameLength)
{
    m_nameFrom = std::clamp<qsizetype>(nameFrom, 0, text.size());
    m_nameLength = std::clamp<qsizetype>(nameLength, 0, text.size() - m_nameFrom);
    setText(text);
    refit();
}

NameLabel::Fitted NameLabel::fitted(const QString &text, qsizetype nameFrom, qsizetype nameLength,
                                    const QFontMetrics &metrics, int width)
{
    if (nameLength == 0)
        return {text};
    const QString before = text.left(nameFrom);
    const QString after = text.mid(nameFrom + nameLength);
    QString name = text.mid(nameFrom, nameLength);
    const bool shortened = metrics.horizontalAdvance(text) > width;
    if (shortened) {
        const int room = width - metrics.horizontalAdvance(before + after);
        name = metrics.elidedText(name, Qt::ElideMiddle, std::max(room, 0));
    }
    // First strong isolate ... pop directional isolate: the name takes its direction from its
    // own first letter, and nothing in it (an override, an embedding) reaches past it.
    return {before + QChar(0x2068) + name + QChar(0x2069) + after, shortened};
}

QString NameLabel::plainToolTip(const QString &text)
{
    // A tooltip guesses whether its text is markup; as converted markup it shows the text as it
    // is. Pre keeps leading and doubled blanks, which HTML would merge, and names differ by them.
    return Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}

// Where QLabel draws a one-line text (it keeps that to itself): inside the margin, indented from
// a frame.
QRect NameLabel::textRect() const
{
    const QRect rect = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    int indent = this->indent();
    if (indent < 0 && frameWidth() > 0)
        indent = fontMetrics().horizontalAdvance(u'x') / 2 - margin();
    if (indent <= 0)
        return rect;
    const Qt::Alignment align = alignment();
    return rect.adjusted(align & Qt::AlignLeft ? indent : 0, align & Qt::AlignTop ? indent : 0,
                         align & Qt::AlignRight ? -indent : 0,
                         align & Qt::AlignBottom ? -indent : 0);
}

void NameLabel::refit()
{
    const Fitted fitted =
        NameLabel::fitted(text(), m_nameFrom, m_nameLength, fontMetrics(), textRect().width());
    m_shown = fitted.shown;
    setToolTip(fitted.shortened ? plainToolTip(text()) : QString());
    update();
}

void NameLabel::paintEvent(QPaintEvent *event)
{
    if (m_shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    // As QLabel draws a one-line plain text (the program's words run left to right), but the
    // drawn text instead of text().
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, textRect(), int(alignment()), palette(), isEnabled(), m_shown,
                          foregroundRole());
}

void NameLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    refit();
}

void NameLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        refit();
}
