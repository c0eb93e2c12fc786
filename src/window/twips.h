#pragma once

#include <QRect>
#include <cmath>

// The game lays out its window in twips; widgets take logical pixels.
namespace Twips {

inline constexpr int PerPixel = 15;

inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / PerPixel));
}

inline QRect toPixels(const QRect &twips)
{
    return QRect(toPixels(twips.x()), toPixels(twips.y()), toPixels(twips.width()),
                 toPixels(twips.height()));
}

// A rectangle given as Left, Top, Width, Height in twips, converted to pixels.
inline QRect rect(int left, int top, int width, int height)
{
    return toPixels(QRect(left, top, width, height));
}

} // namespace Twips
