#include "window/crisppicture.h"

CrispPicture::CrispPicture(const QImage &natural, const QString &largeFile)
    : m_natural(natural)
    , m_largeFile(largeFile)
{
}

const std::vector<QImage> &CrispPicture::levels() const
{
    if (m_levels)
        return *m_levels;
    m_levels.emplace();
    // Halved steps keep each reduction cheap and smooth: a small target is scaled from a level
    // at most a few times its size, not from the full source.
    QImage level = QImage(m_largeFile).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    while (!level.isNull()) {
        m_levels->push_back(level);
        if (level.width() < 2 * m_natural.width())
            break;
        level = level.scaled(level.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return *m_levels;
}

QPixmap CrispPicture::at(QSize logicalSize, qreal devicePixelRatio) const
{
    const QSize device = (QSizeF(logicalSize) * devicePixelRatio).toSize();
    if (device == m_natural.size() || levels().empty())
        return QPixmap::fromImage(m_natural);
    const QImage *source = &levels().front();
    for (const QImage &level : levels()) {
        if (level.width() >= 2 * device.width() && level.height() >= 2 * device.height())
            source = &level;
    }
    QPixmap pixmap =
        QPixmap::fromImage(source->scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}
