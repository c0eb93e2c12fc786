#pragma once

#include <QString>

class NumberFormat;

// The figures a finished round reports. Counts are whole numbers held as doubles.
namespace Results {

// ((H * (S / (6 - L))) * (H / C)) / 10 in double precision, rounded half to even, times L;
// 0 when there was no click. Saturates at the 32-bit range instead of overflowing.
qint32 finalScore(double hits, double clicks, int seconds, int level);

// trunc((H / C) * 1000) / 10: the percentage cut (not rounded) to one decimal; 0 without clicks.
double accuracyPercent(double hits, double clicks);

// trunc((C / S) * 60); 0 without clicks. A round shorter than its first counted second
// (S = 0) is taken as one second long rather than dividing by zero.
double clicksPerMinute(double clicks, int seconds);

// The nickname stands right after these words in the texts below.
inline const QString GameOverOpening = QStringLiteral("Игра окончена, ");
inline const QString AccuracyOpening = QStringLiteral("Меткость ");

// "Игра окончена, <nick> вы набрали <score> очков!"
QString gameOverText(const QString &nick, qint32 score);
// "Меткость <nick>'a = <A>%"
QString accuracyLine(const QString &nick, double hits, double clicks, const NumberFormat &numbers);
// "Количество кликов в минуту = <R>"
QString clicksPerMinuteLine(double clicks, int seconds, const NumberFormat &numbers);

} // namespace Results
