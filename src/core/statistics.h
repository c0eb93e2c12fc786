#pragma once

#include "core/roundrecord.h"

#include <QList>
#include <QString>
#include <map>

// The figures the statistics window shows, computed from a player's rounds (oldest first).
namespace Statistics {

// The median of `values`: the middle one, or the mean of the two middle ones; 0 for none.
double median(QList<qint64> values);
// The nearest-rank percentile: the value at rank ceil(p / 100 * n) of the sorted values,
// 0 < p <= 100; 0 for none.
qint64 percentile(QList<qint64> values, int p);

// The reaction times of the last `count` rounds, in the order they were played.
QList<qint64> recentReactions(const QList<RoundRecord> &rounds, int count = 20);

struct Summary {
    int rounds = 0;
    qint64 secondsPlayed = 0;
    std::map<int, qint64> bestByLevel; // level -> best score, only levels that were played
};
Summary summarize(const QList<RoundRecord> &rounds);

// The rounds as CSV: a header line, then one line per round; every field quoted, and a field a
// spreadsheet would take for a formula (beginning with =, +, - or @) made plain text.
QString csv(const QList<RoundRecord> &rounds);

} // namespace Statistics
