#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <QWidget>

// A small chart drawn with QPainter: dots, lines or bars over an x axis and one or two y axes,
// with vertical markers and a legend. The ranges and ticks are worked out once, when the data
// is set; a paint only maps the points into the widget, so it stays quick with many of them and
// sharp at any screen scale.
class ChartView : public QWidget
{
    Q_OBJECT

public:
    enum class Style { Dots, Line, Bars };

    struct Series {
        QString name; // in the legend; none when empty
        QColor color;
        Style style = Style::Dots;
        QList<QPointF> points;
        bool rightAxis = false;
        double barWidth = 0; // a bar stands from x to x + barWidth
    };

    // A vertical line across the plot at `x`, labelled at its top.
    struct Marker {
        double x = 0;
        QString label;
        QColor color;
    };

    struct Axis {
        QString title; // no axis at all (for the right one) when empty
        bool fromZero = true;
        double atLeastTo = 0; // the range reaches at least this far (100 for percentages)
        bool whole = false;   // ticks on whole numbers only
    };

    explicit ChartView(const QString &title, QWidget *parent = nullptr);

    // 1, 2 or 5 times a power of ten, at least `raw`: steps a reader adds up at a glance.
    static double niceStep(double raw);

    // The text drawn instead of the plot when no series has a point.
    void setEmptyText(const QString &text);
    void setData(const Axis &x, const Axis &left, const Axis &right, const QList<Series> &series,
                 const QList<Marker> &markers = {});

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // An axis's range widened to round ticks, and the ticks.
    struct Scale {
        Axis axis;
        double low = 0;
        double high = 1;
        QList<double> ticks;
        int decimals = 0;
    };
    static Scale scale(const Axis &axis, double low, double high, bool widen);
    qreal xPadding() const;
    QRectF plotArea(const QFontMetricsF &metrics, qreal legendHeight) const;
    qreal drawLegend(QPainter &painter, const QRectF &area, bool draw) const;
    void drawAxes(QPainter &painter, const QRectF &plot) const;
    void drawSeries(QPainter &painter, const QRectF &plot) const;
    static void drawBand(QPainter &painter, const QPolygonF &points, const QColor &color);
    void drawMarkers(QPainter &painter, const QRectF &plot) const;

    QString m_title;
    QString m_emptyText;
    QList<Series> m_series;
    QList<Marker> m_markers;
    Scale m_x;
    Scale m_left;
    Scale m_right;
    bool m_empty = true;
};
