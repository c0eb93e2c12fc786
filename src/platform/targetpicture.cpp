#include "platform/targetpicture.h"

#include "platform/twips.h"

#include <QMouseEvent>
#include <QPainter>

TargetPicture::TargetPicture(const QPixmap &picture, QWidget *parent)
    : QWidget(parent)
    , m_picture(picture)
{
    // Clicks end here: a press on a target never falls through to the window as a miss.
    setAttribute(Qt::WA_NoMousePropagation);
}

void TargetPicture::setLeft(int twips)
{
    m_twips.moveLeft(twips);
    applyGeometry();
}

void TargetPicture::setTop(int twips)
{
    m_twips.moveTop(twips);
    applyGeometry();
}

void TargetPicture::setWidth(int twips)
{
    m_twips.setWidth(twips);
    applyGeometry();
}

void TargetPicture::setHeight(int twips)
{
    m_twips.setHeight(twips);
    applyGeometry();
}

void TargetPicture::setTwipsGeometry(const QRect &twips)
{
    m_twips = twips;
    applyGeometry();
}

void TargetPicture::applyGeometry()
{
    setGeometry(Twips::toPixels(m_twips));
}

void TargetPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_picture);
}

void TargetPicture::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void TargetPicture::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

void TargetPicture::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_pressed = false;
    event->accept();
}
