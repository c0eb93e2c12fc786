#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// One round that reached "Game Over", as the history keeps it.
struct RoundRecord {
    QDateTime finishedUtc; // when "Game Over" came, in UTC
    QString nick;          // as typed, without the level tag
    int level = 0;         // 1..5
    qint64 score = 0;      // FinalScore
    qint64 hits = 0;
    qint64 clicks = 0;          // hits and misses
    qint64 seconds = 0;         // the round's clock
    double accuracy = 0;        // percent, as the line after the round shows it
    double clicksPerMinute = 0; // as the line after the round shows it
    bool enteredTable = false;  // the result went into the table of best results
    // One entry per hit, in the order of the hits: how long the target had been on screen while
    // the round ran (pause and help left out) when the press hit it, in milliseconds.
    QList<qint64> reactionMs;
    bool operator==(const RoundRecord &) const = default;
};
