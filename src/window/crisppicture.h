#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

// A picture shown crisp at any size and screen density: its own pixels where the device size
// matches them exactly, otherwise a smooth reduction of a larger source drawn for the purpose
// (never a blurry enlargement of the small one).
class CrispPicture
{
public:
    // `natural`: the picture at its own size; `largeFile`: the same picture drawn much larger,
    // read when a size or density first needs it (decoding it costs milliseconds at start-up,
    // and at its own size on a 1× screen the banner never needs it).
    CrispPicture(const QImage &natural, const QString &largeFile);

    // The picture for `logicalSize` on a screen of `devicePixelRatio`, at device resolution.
    QPixmap at(QSize logicalSize, qreal devicePixelRatio) const;
    QSize naturalSize() const { return m_natural.size(); }

private:
    const std::vector<QImage> &levels() const;

    QImage m_natural;
    QString m_largeFile;
    // The large source, halved again and again, largest first; none before it was first needed.
    mutable std::optional<std::vector<QImage>> m_levels;
};
