#include "core/results.h"

#include "core/numberformat.h"

#include <cmath>
#include <limits>

namespace Results {

namespace {

qint32 saturated(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (value <= double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint32(value);
}

} // namespace

qint32 finalScore(double hits, double clicks, int seconds, int level)
{
    if (clicks == 0)
        return 0;
    const double base = ((hits * (seconds / double(6 - level))) * (hits / clicks)) / 10;
    // nearbyint follows the rounding mode, which is to-nearest-even; std::round would send
    // 2.5 to 3 instead of 2.
    const qint32 rounded = saturated(std::nearbyint(base));
    return saturated(double(level) * rounded);
}

double accuracyPercent(double hits, double clicks)
{
    if (clicks == 0)
        return 0;
    return std::trunc((hits / clicks) * 1000) / 10;
}

double clicksPerMinute(double clicks, int seconds)
{
    if (clicks == 0)
        return 0;
    const double duration = seconds == 0 ? 1.0 : double(seconds);
    return std::trunc((clicks / duration) * 60);
}

QString gameOverText(const QString &nick, qint32 score)
{
    return GameOverOpening + nick + QStringLiteral(" вы набрали ") + QString::number(score)
           + QStringLiteral(" очков!");
}

QString accuracyLine(const QString &nick, double hits, double clicks, const NumberFormat &numbers)
{
    const QString figure =
        clicks == 0 ? QStringLiteral("0") : numbers.toText(accuracyPercent(hits, clicks));
    return AccuracyOpening + nick + QStringLiteral("'a = ") + figure + u'%';
}

QString clicksPerMinuteLine(double clicks, int seconds, const NumberFormat &numbers)
{
    const QString figure =
        clicks == 0 ? QStringLiteral("0") : numbers.toText(clicksPerMinute(clicks, seconds));
    return QStringLiteral("Количество кликов в минуту = ") + figure;
}

} // namespace Results
