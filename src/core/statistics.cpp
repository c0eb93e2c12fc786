#include "core/statistics.h"

#include <QLocale>

#include <algorithm>

namespace Statistics {

double median(QList<qint64> values)
{
    if (values.isEmpty())
        return 0;
    const qsizetype middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + middle, values.end());
    const qint64 upper = values[middle];
    if (values.size() % 2 != 0)
        return double(upper);
    // The lower middle is the largest of the values before the upper one.
    const qint64 lower = *std::max_element(values.begin(), values.begin() + middle);
    return (double(lower) + double(upper)) / 2;
}

qint64 percentile(QList<qint64> values, int p)
{
    if (values.isEmpty())
        return 0;
    // The rank in whole numbers: p / 100 * n in floating point can land just above an integer
    // (7 / 100 * 100 is 7.000000000000001) and take the next value.
    const qint64 rank =
        std::clamp<qint64>((qint64(p) * values.size() + 99) / 100, 1, values.size());
    std::nth_element(values.begin(), values.begin() + (rank - 1), values.end());
    return values[rank - 1];
}

QList<qint64> recentReactions(const QList<RoundRecord> &rounds, int count)
{
    QList<qint64> reactions;
    for (qsizetype i = std::max<qsizetype>(rounds.size() - count, 0); i < rounds.size(); ++i)
        reactions += rounds[i].reactionMs;
    return reactions;
}

Summary summarize(const QList<RoundRecord> &rounds)
{
    Summary summary;
    summary.rounds = int(rounds.size());
    for (const RoundRecord &round : rounds) {
        summary.secondsPlayed += round.seconds;
        const auto [best, added] = summary.bestByLevel.try_emplace(round.level, round.score);
        if (!added)
            best->second = std::max(best->second, round.score);
    }
    return summary;
}

namespace {

// A field in double quotes, its quotes doubled. A text that begins like a formula (=, +, -, @, or
// a tab or line break that a spreadsheet may skip before one) gets an apostrophe first, so that a
// spreadsheet shows it as text instead of running it.
QString field(const QString &text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r\n");
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    if (!text.isEmpty() && formulaStarts.contains(text.front()))
        quoted.prepend(u'\'');
    return u'"' + quoted + u'"';
}

// QString::number writes the same in every locale: a '.' and no group separators.
QString number(double value)
{
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

} // namespace

QString csv(const QList<RoundRecord> &rounds)
{
    static const QStringList header{
        QStringLiteral("Время (UTC)"),     QStringLiteral("Ник"),
        QStringLiteral("Уровень"),         QStringLiteral("Очки"),
        QStringLiteral("Попадания"),       QStringLiteral("Клики"),
        QStringLiteral("Секунды"),         QStringLiteral("Меткость, %"),
        QStringLiteral("Кликов в минуту"), QStringLiteral("В таблице")};
    const auto line = [](const QStringList &fields) {
        QStringList quoted;
        for (const QString &text : fields)
            quoted << field(text);
        return quoted.join(u',') + QStringLiteral("\r\n");
    };
    QString text = line(header);
    for (const RoundRecord &round : rounds) {
        text += line({round.finishedUtc.toUTC().toString(Qt::ISODate), round.nick,
                      QString::number(round.level), QString::number(round.score),
                      QString::number(round.hits), QString::number(round.clicks),
                      QString::number(round.seconds), number(round.accuracy),
                      number(round.clicksPerMinute),
                      round.enteredTable ? QStringLiteral("да") : QStringLiteral("нет")});
    }
    return text;
}

} // namespace Statistics
