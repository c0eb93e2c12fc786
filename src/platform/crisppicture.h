#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

#include <vector>

// A picture shown crisp at any size and screen density: its own pixels where the device size
// matches them exactly, otherwise a smooth reduction of a larger source drawn for the purpose
// (never a blurry enlargement of the small one).
class CrispPicture
{
public:
    // `natural`: the picture at its own size; `large`: the same picture drawn much larger.
    CrispPicture(const QImage &natural, const QImage &large);

    // The picture for `logicalSize` on a screen of `devicePixelRatio`, at device resolution.
    QPixmap at(QSize logicalSize, qreal devicePixelRatio) const;

private:
    QImage m_natural;
    std::vector<QImage> m_levels; // the large source, halved again and again, largest first
};
