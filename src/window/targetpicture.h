#pragma once

#include "window/clickrecognizer.h"

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QWidget>
#include <memory>

class CrispPicture;

// A picture control for a target: shows its picture stretched to its current size and reports
// single left clicks. The game places it in twips.
class TargetPicture : public QWidget
{
    Q_OBJECT

public:
    explicit TargetPicture(std::shared_ptr<const CrispPicture> picture, QWidget *parent = nullptr);

    // Places the target and sizes it at once.
    void setTwipsGeometry(const QRect &twips);

    // The target as a 1x screen shows it at `side` pixels (not its own 25): drawn pixel by
    // pixel the way its own picture is, hard-edged, with one-pixel lines.
    static QImage drawnInPixels(int side);

signals:
    // A press and a release of the left button over the shown, enabled picture; the second
    // press of a double click is none.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    std::shared_ptr<const CrispPicture> m_picture;
    QPixmap m_shown; // m_picture at m_shownSize and m_shownRatio, made when first painted there
    QSize m_shownSize;
    qreal m_shownRatio = 0;
    ClickRecognizer m_click;
};
