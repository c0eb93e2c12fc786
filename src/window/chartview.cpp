#include "window/chartview.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr qreal TickGap = 5;      // between an axis and its tick labels
constexpr qreal SwatchWidth = 16; // a legend entry's sample of its series

qreal map(double value, double low, double high, qreal from, qreal to)
{
    return from + (value - low) / (high - low) * (to - from);
}

} // namespace

double ChartView::niceStep(double raw)
{
    if (!(raw > 0))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / power;
    return (fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10) * power;
}

ChartView::ChartView(const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_title(title)
{
    setAccessibleName(title);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartView::setEmptyText(const QString &text)
{
    m_emptyText = text;
    update();
}

ChartView::Scale ChartView::scale(const Axis &axis, double low, double high, bool widen)
{
    Scale scale;
    scale.axis = axis;
    if (!(low <= high)) // no points on the axis
        low = high = 0;
    if (axis.fromZero) {
        low = std::min(low, 0.0);
        high = std::max(high, axis.atLeastTo);
    }
    if (high <= low) {
        if (axis.fromZero) { // both are 0 then
            high = 1;
        } else {
            low -= 0.5;
            high += 0.5;
        }
    }
    double step = niceStep((high - low) / 5);
    if (axis.whole)
        step = std::max(step, 1.0);
    if (widen) {
        low = std::floor(low / step) * step;
        high = std::ceil(high / step) * step;
    }
    scale.low = low;
    scale.high = high;
    // Steps of a tenth or finer need as many decimals; the ticks themselves are whole multiples
    // of the step, so that rounding cannot pile up along the axis.
    scale.decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    for (double n = std::ceil(low / step - 1e-9); n * step <= high + step * 1e-9; ++n)
        scale.ticks << n * step;
    return scale;
}

void ChartView::setData(const Axis &x, const Axis &left, const Axis &right,
                        const QList<Series> &series, const QList<Marker> &markers)
{
    m_series = series;
    m_markers = markers;
    constexpr double inf = std::numeric_limits<double>::infinity();
    double xLow = inf, xHigh = -inf;
    double yLow[2] = {inf, inf}, yHigh[2] = {-inf, -inf};
    for (Series &s : m_series) {
        // A figure the history could not read (NaN) is left out rather than drawn nowhere.
        s.points.removeIf(
            [](const QPointF &p) { return !std::isfinite(p.x()) || !std::isfinite(p.y()); });
        const int side = s.rightAxis ? 1 : 0;
        for (const QPointF &p : s.points) {
            xLow = std::min(xLow, p.x());
            xHigh = std::max(xHigh, p.x() + (s.style == Style::Bars ? s.barWidth : 0));
            yLow[side] = std::min(yLow[side], p.y());
            yHigh[side] = std::max(yHigh[side], p.y());
        }
    }
    m_empty = !(xLow <= xHigh);
    m_x = scale(x, xLow, xHigh, false);
    m_left = scale(left, yLow[0], yHigh[0], true);
    m_right = scale(right, yLow[1], yHigh[1], true);
    update();
}

// Dots and lines keep clear of the plot's edges; bars stand on the whole width.
qreal ChartView::xPadding() const
{
    const bool bars = std::any_of(m_series.begin(), m_series.end(),
                                  [](const Series &s) { return s.style == Style::Bars; });
    return bars ? 0 : 8;
}

QSize ChartView::minimumSizeHint() const
{
    return {260, 170};
}

QSize ChartView::sizeHint() const
{
    return {360, 230};
}

// Every entry on one line after the other, on as many lines as the width needs. Returns the
// height taken.
qreal ChartView::drawLegend(QPainter &painter, const QRectF &area, bool draw) const
{
    const QFontMetricsF metrics(font());
    const qreal lineHeight = metrics.height();
    qreal x = area.left();
    qreal y = area.top();
    bool any = false;
    for (const Series &s : m_series) {
        if (s.name.isEmpty())
            continue;
        const qreal width = SwatchWidth + 4 + metrics.horizontalAdvance(s.name);
        if (any && x + width > area.right()) {
            x = area.left();
            y += lineHeight;
        }
        any = true;
        if (draw) {
            const qreal middle = y + lineHeight / 2;
            if (s.style == Style::Line) {
                painter.setPen(QPen(s.color, 2));
                painter.drawLine(QPointF(x, middle), QPointF(x + SwatchWidth, middle));
            } else { // dots; bars go without a name, alone in their chart
                painter.setPen(QPen(s.color, 7, Qt::SolidLine, Qt::RoundCap));
                painter.drawPoint(QPointF(x + SwatchWidth / 2, middle));
            }
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(QRectF(x + SwatchWidth + 4, y, width, lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, s.name);
        }
        x += width + 14;
    }
    return any ? y + lineHeight - area.top() : 0;
}

QRectF ChartView::plotArea(const QFontMetricsF &metrics, qreal legendHeight) const
{
    const auto widest = [&](const Scale &scale) {
        qreal widest = 0;
        for (double tick : scale.ticks)
            widest = std::max(
                widest, metrics.horizontalAdvance(QString::number(tick, 'f', scale.decimals)));
        return widest;
    };
    const qreal line = metrics.height();
    const qreal top = line * 1.4 + legendHeight + line * 0.6;
    const qreal left = line + 4 + widest(m_left) + TickGap;
    // Without a right axis, room for half the last x tick's label, which is centred on it.
    const qreal right = m_right.axis.title.isEmpty() ? std::max(10.0, widest(m_x) / 2 + 2)
                                                     : line + 4 + widest(m_right) + TickGap;
    const qreal bottom = line + TickGap + (m_x.axis.title.isEmpty() ? 0 : line + 2);
    return QRectF(rect()).adjusted(left, top, -right, -bottom);
}

void ChartView::drawAxes(QPainter &painter, const QRectF &plot) const
{
    const QColor text = palette().color(QPalette::WindowText);
    QColor grid = text;
    grid.setAlphaF(0.12f);
    QColor frame = text;
    frame.setAlphaF(0.55f);
    const QFontMetricsF metrics(font());
    const qreal line = metrics.height();

    painter.fillRect(plot, palette().color(QPalette::Base));
    // Whole pixels plus a half at 1x, so that the one-pixel lines fall on one row of pixels.
    const auto crisp = [](qreal v) { return std::floor(v) + 0.5; };
    for (double tick : m_left.ticks) {
        const qreal y = crisp(map(tick, m_left.low, m_left.high, plot.bottom(), plot.top()));
        painter.setPen(QPen(grid, 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        painter.drawText(QRectF(0, y - line / 2, plot.left() - TickGap, line),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(tick, 'f', m_left.decimals));
    }
    if (!m_right.axis.title.isEmpty()) {
        for (double tick : m_right.ticks) {
            const qreal y = map(tick, m_right.low, m_right.high, plot.bottom(), plot.top());
            painter.drawText(QRectF(plot.right() + TickGap, y - line / 2, width(), line),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             QString::number(tick, 'f', m_right.decimals));
        }
    }
    const qreal pad = xPadding();
    for (double tick : m_x.ticks) {
        const qreal x = map(tick, m_x.low, m_x.high, plot.left() + pad, plot.right() - pad);
        painter.setPen(QPen(frame, 1));
        painter.drawLine(QPointF(crisp(x), plot.bottom()), QPointF(crisp(x), plot.bottom() + 3));
        painter.setPen(text);
        painter.drawText(QRectF(x - 50, plot.bottom() + 3, 100, line),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(tick, 'f', m_x.decimals));
    }

    painter.setPen(QPen(frame, 1));
    const qreal left = crisp(plot.left()) - 1;
    const qreal bottom = crisp(plot.bottom());
    painter.drawLine(QPointF(left, plot.top()), QPointF(left, bottom));
    painter.drawLine(QPointF(left, bottom), QPointF(plot.right(), bottom));
    if (!m_right.axis.title.isEmpty())
        painter.drawLine(QPointF(crisp(plot.right()), plot.top()),
                         QPointF(crisp(plot.right()), bottom));

    painter.setPen(text);
    painter.drawText(QRectF(plot.left(), plot.bottom() + TickGap + line, plot.width(), line + 2),
                     Qt::AlignCenter, m_x.axis.title);
    // The y axes' titles run along them, read from the bottom up on the left, from the top down
    // on the right.
    painter.save();
    painter.translate(0, plot.bottom());
    painter.rotate(-90);
    painter.drawText(QRectF(0, 0, plot.height(), line), Qt::AlignCenter, m_left.axis.title);
    painter.restore();
    if (!m_right.axis.title.isEmpty()) {
        painter.save();
        painter.translate(width(), plot.top());
        painter.rotate(90);
        painter.drawText(QRectF(0, 0, plot.height(), line), Qt::AlignCenter, m_right.axis.title);
        painter.restore();
    }
}

void ChartView::drawSeries(QPainter &painter, const QRectF &plot) const
{
    const qreal pad = xPadding();
    for (const Series &s : m_series) {
        const Scale &y = s.rightAxis ? m_right : m_left;
        const auto point = [&](double px, double py) {
            return QPointF(map(px, m_x.low, m_x.high, plot.left() + pad, plot.right() - pad),
                           map(py, y.low, y.high, plot.bottom(), plot.top()));
        };
        if (s.style == Style::Bars) {
            for (const QPointF &p : s.points) {
                const QPointF top = point(p.x(), p.y());
                const qreal right = point(p.x() + s.barWidth, 0).x();
                // A hair of the background between neighbouring bars.
                painter.fillRect(
                    QRectF(top.x() + 0.5, top.y(), right - top.x() - 1, plot.bottom() - top.y()),
                    s.color);
            }
            continue;
        }
        QPolygonF mapped;
        mapped.reserve(s.points.size());
        for (const QPointF &p : s.points)
            mapped << point(p.x(), p.y());
        if (s.style == Style::Line && mapped.size() > plot.width()) {
            drawBand(painter, mapped, s.color);
            continue;
        }
        // Dots when they stand apart.
        const bool crowded = mapped.size() > plot.width() / 4;
        if (s.style == Style::Line) {
            painter.setPen(QPen(s.color, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPolyline(mapped);
            if (crowded)
                continue;
        }
        painter.setPen(QPen(s.color, crowded ? 3 : 6, Qt::SolidLine, Qt::RoundCap));
        painter.drawPoints(mapped);
    }
}

// More points than columns of pixels, in the order of x: each column shows the spread of its
// points as a pale band and their mean as the line, where a line through every point would be a
// solid block.
void ChartView::drawBand(QPainter &painter, const QPolygonF &points, const QColor &color)
{
    QPolygonF upper;
    QPolygonF lower;
    QPolygonF mean;
    qsizetype from = 0;
    while (from < points.size()) {
        const qreal column = std::floor(points[from].x());
        qreal top = points[from].y();
        qreal bottom = top;
        qreal sum = 0;
        qsizetype to = from;
        for (; to < points.size() && std::floor(points[to].x()) == column; ++to) {
            top = std::min(top, points[to].y());
            bottom = std::max(bottom, points[to].y());
            sum += points[to].y();
        }
        upper << QPointF(column + 0.5, top);
        lower << QPointF(column + 0.5, bottom);
        mean << QPointF(column + 0.5, sum / qreal(to - from));
        from = to;
    }
    QColor pale = color;
    pale.setAlphaF(0.25f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(pale);
    std::reverse(lower.begin(), lower.end()); // back along the bottom edge
    painter.drawPolygon(upper + lower);
    painter.setPen(QPen(color, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(mean);
}

void ChartView::drawMarkers(QPainter &painter, const QRectF &plot) const
{
    const QFontMetricsF metrics(font());
    const qreal pad = xPadding();
    qreal row = plot.top() + 4;
    for (const Marker &marker : m_markers) {
        const qreal x = map(marker.x, m_x.low, m_x.high, plot.left() + pad, plot.right() - pad);
        painter.setPen(QPen(marker.color, 2, Qt::DashLine, Qt::FlatCap));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        // The label beside its line, on the right unless it would stick out; each marker on a
        // row of its own, so that two close values never cover each other.
        const QSizeF size(metrics.horizontalAdvance(marker.label) + 10, metrics.height() + 4);
        QRectF box(QPointF(x + 4, row), size);
        if (box.right() > plot.right())
            box.moveRight(x - 4);
        QColor back = palette().color(QPalette::Base);
        back.setAlphaF(0.9f);
        painter.setPen(QPen(marker.color, 1));
        painter.setBrush(back);
        painter.drawRoundedRect(box, 3, 3);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(box, Qt::AlignCenter, marker.label);
        row += size.height() + 3;
    }
}

void ChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font());
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRectF(0, 0, width(), metrics.height() * 1.4), Qt::AlignLeft | Qt::AlignTop,
                     m_title);
    painter.setFont(font());
    if (m_empty) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect().adjusted(8, int(metrics.height() * 1.4), -8, 0),
                         Qt::AlignCenter | Qt::TextWordWrap, m_emptyText);
        return;
    }
    const QRectF legendArea(0, metrics.height() * 1.4, width(), height());
    const qreal legendHeight = drawLegend(painter, legendArea, false);
    drawLegend(painter, legendArea, true);
    const QRectF plot = plotArea(metrics, legendHeight);
    if (plot.width() <= 10 || plot.height() <= 10)
        return;
    drawAxes(painter, plot);
    painter.save();
    painter.setClipRect(plot.adjusted(-4, -4, 4, 4));
    drawSeries(painter, plot);
    painter.restore();
    drawMarkers(painter, plot);
}
