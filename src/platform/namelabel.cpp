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

QString NameLabel::fitted(const QString &text, qsizetype nameFrom, qsizetype nameLength,
                          const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString before = text.left(nameFrom);
    const QString after = text.mid(nameFrom + nameLength);
    const int room = width - metrics.horizontalAdvance(before + after);
    return before
           + metrics.elidedText(text.mid(nameFrom, nameLength), Qt::ElideMiddle, std::max(room, 0))
           + after;
}

void NameLabel::refit()
{
    m_shown = fitted(text(), m_nameFrom, m_nameLength, fontMetrics(), contentsRect().width());
    setToolTip(m_shown == text() ? QString() : text());
    update();
}

void NameLabel::paintEvent(QPaintEvent *event)
{
    if (m_shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                          m_shown, foregroundRole());
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
