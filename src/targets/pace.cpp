#include "targets/pace.h"

#include <QStringList>
#include <cmath>

namespace Pace {

QString levelName(int level)
{
    static const QStringList names{
        QStringLiteral("Очень легко"), QStringLiteral("Легко"),        QStringLiteral("Норма"),
        QStringLiteral("Тяжело"),      QStringLiteral("Очень тяжело"),
    };
    if (level < MinLevel || level > MaxLevel)
        return {};
    return names.at(level - MinLevel);
}

qint16 speedUpLimit(int level)
{
    return qint16((6 - level) * 100);
}

std::optional<Intervals> appearanceIntervals(double hits, int level)
{
    if (hits > speedUpLimit(level))
        return std::nullopt;
    // The order of the operations matters: (h * 1.9) * L is just below a whole number for some
    // counts (6 hits at level 5 give 56.999...), and the truncation keeps that.
    const double first = std::nearbyint(1050.0 - (hits + hits) * level);
    const double second = 1000.0 - std::trunc((hits * 1.9) * level);
    return Intervals{static_cast<long long>(first), static_cast<long long>(second)};
}

int timerInterval(long long computed)
{
    return computed < 0 ? 1 : int(computed);
}

} // namespace Pace
