#include "window/targetpicture.h"

#include "window/crisppicture.h"
#include "window/twips.h"

#include <QMouseEvent>
#include <QPainter>

TargetPicture::TargetPicture(std::shared_ptr<const CrispPicture> picture, QWidget *parent)
    : QWidget(parent)
    , m_picture(std::move(picture))
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
    const qreal ratio = devicePixelRatioF();
    if (m_shownSize != size() || m_shownRatio != ratio) {
        m_shown = m_picture->at(size(), ratio);
        m_shownSize = size();
        m_shownRatio = ratio;
    }
    QPainter painter(this);
    painter.drawPixmap(rect(), m_shown);
}

void TargetPicture::mousePressEvent(QMouseEvent *event)
{
    m_click.press(*event, true);
    event->accept();
}

void TargetPicture::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (m_click.release(*event, rect().contains(event->position().toPoint())))
        emit clicked();
}

void TargetPicture::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_click.forget();
    event->accept();
}

// A target that is paused or taken away forgets a press in progress, so a release after it
// comes back is no hit.
void TargetPicture::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        m_click.forget();
    QWidget::changeEvent(event);
}

void TargetPicture::hideEvent(QHideEvent *event)
{
    m_click.forget();
    QWidget::hideEvent(event);
}
