#include "core/clockcaption.h"

#include <cmath>
#include <limits>

QString clockCaption(int seconds)
{
    const QString label = QStringLiteral("Прошло времени: ");
    if (seconds < 10)
        return label + QStringLiteral("00:0") + QString::number(seconds);
    if (seconds < 60)
        return label + QStringLiteral("00:") + QString::number(seconds);

    const int minutes = int(std::trunc(seconds / 60.0));
    const int rest = seconds - 60 * minutes;
    const QString prefix = minutes < 10 ? label + u'0' : label;
    const QString separator = rest < 10 ? QStringLiteral(":0") : QStringLiteral(":");
    return prefix + QString::number(minutes) + separator + QString::number(rest);
}

qint16 nextSecond(qint16 seconds)
{
    // The count is 16 bits wide; after 9 h 6 min 7 s of play the clock simply stands still.
    if (seconds >= std::numeric_limits<qint16>::max())
        return seconds;
    return qint16(seconds + 1);
}
