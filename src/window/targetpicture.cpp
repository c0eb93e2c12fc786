#include "window/targetpicture.h"

#include "window/crisppicture.h"
#include "window/twips.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

TargetPicture::TargetPicture(std::shared_ptr<const CrispPicture> picture, QWidget *parent)
    : QWidget(parent)
    , m_picture(std::move(picture))
{
    // Clicks end here: a press on a target never falls through to the window as a miss.
    setAttribute(Qt::WA_NoMousePropagation);
}

void TargetPicture::setTwipsGeometry(const QRect &twips)
{
    setGeometry(Twips::toPixels(twips));
}

QImage TargetPicture::drawnInPixels(int side)
{
    // Distances in the 25-pixel picture's units from its middle pixel: a disc, two rings and
    // the transparent outside.
    const double middle = (side - 1) / 2.0;
    const double unit = 25.0 / side;
    const auto zone = [&](int x, int y) {
        const double d = std::hypot(x - middle, y - middle) * unit;
        return d <= 4.5 ? 0 : d <= 8.5 ? 1 : d <= 12.5 ? 2 : 3;
    };
    const QRgb black = qRgb(0, 0, 0);
    const QRgb fields[] = {qRgb(255, 0, 0), qRgb(255, 255, 0)}; // red, yellow
    QImage image(side, side, QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int z = zone(x, y);
            // The cross, and the outline inside every boundary.
            const bool line = x == side / 2 || y == side / 2 || zone(x + 1, y) > z
                              || zone(x - 1, y) > z || zone(x, y + 1) > z || zone(x, y - 1) > z;
            // Quarters numbered around the circle from the upper right, so neighbouring fields
            // differ in colour like a chequerboard.
            const bool right = x > middle;
            const bool up = y < middle;
            const int quarter = up ? (right ? 0 : 1) : (right ? 3 : 2);
            const QRgb colour = z == 3 ? 0 : line ? black : fields[(z + quarter) % 2];
            image.setPixel(x, y, colour);
        }
    }
    return image;
}

void TargetPicture::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_shownSize != size() || m_shownRatio != ratio) {
        // On a 1x screen every target is pixel art like its own 25-pixel picture: hard edges
        // and lines one pixel wide, the nearest whole pixel to its line weight at every size
        // a target takes there (13 to 37 pixels). The smooth source, shrunk that far, draws
        // lines twice as heavy with blurred edges.
        m_shown = ratio == 1.0 && size() != m_picture->naturalSize()
                      ? QPixmap::fromImage(drawnInPixels(width()))
                      : m_picture->at(size(), ratio);
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

// As on the window's surface: the second press of a double click is no click.
void TargetPicture::mouseDoubleClickEvent(QMouseEvent *event)
{
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
