#include "window/namelabel.h"

#include "platform/nametext.h"

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

void NameLabel::refit()
{
    const NameText::Fitted fitted =
        NameText::fitted(text(), {m_nameFrom, m_nameLength}, fontMetrics(), contentsRect().width());
    m_shown = fitted.shown;
    setToolTip(fitted.shortened ? NameText::plainToolTip(text()) : QString());
    update();
}

void NameLabel::paintEvent(QPaintEvent *)
{
    // As QLabel draws a one-line plain text (the program's words run left to right), but the
    // drawn text instead of text().
    QPainter painter(this);
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
