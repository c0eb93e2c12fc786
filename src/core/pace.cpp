#include "core/pace.h"

#include <cmath>
#include <iterator>

namespace Pace {

namespace {

struct Level {
    QString name;
    QString tag;
};

// Levels 1..5, the one list of their names and tags.
const Level &levelAt(int level)
{
    static const Level levels[] = {
        {QStringLiteral("Очень легко"), QStringLiteral(" (ОЛ)")},
        {QStringLiteral("Легко"), QStringLiteral(" (Л)")},
        {QStringLiteral("Норма"), QStringLiteral(" (Н)")},
        {QStringLiteral("Тяжело"), QStringLiteral(" (Т)")},
        {QStringLiteral("Очень тяжело"), QStringLiteral(" (ОТ)")},
        {}, // outside 1..5
    };
    static_assert(std::size(levels) == MaxLevel - MinLevel + 2);
    return level < MinLevel || level > MaxLevel ? levels[MaxLevel] : levels[level - MinLevel];
}

} // namespace

QString levelName(int level)
{
    return levelAt(level).name;
}

QString levelTag(int level)
{
    return levelAt(level).tag;
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
