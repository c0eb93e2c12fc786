#pragma once

#include <QString>
#include <optional>

// Difficulty levels 1 (very easy) .. 5 (very hard) and the pace of target appearance.
namespace Pace {

inline constexpr int MinLevel = 1;
inline constexpr int MaxLevel = 5;
inline constexpr int FirstLevel = 3; // the scale's value when the game comes up

// The name shown for a level, "Очень легко" .. "Очень тяжело"; empty outside 1..5.
QString levelName(int level);
// The tag a result of the level carries in the table of best results, " (ОЛ)" .. " (ОТ)" (a
// blank first, which parts it from the nickname); empty outside 1..5.
QString levelTag(int level);

// The hit count up to which the appearance intervals keep shrinking: (6 - level) * 100,
// computed in 16-bit arithmetic as the game always did.
qint16 speedUpLimit(int level);

// The appearance intervals as the formulas give them, before any guard: `first` for Timer3
// (1050 - (h + h) * L rounded half to even), `second` for Timer4 (1000 - trunc((h * 1.9) * L)).
// May be 0 or negative late in a round at levels 2..4.
struct Intervals {
    long long first = 0;
    long long second = 0;
    bool operator==(const Intervals &) const = default;
};

// nullopt when `hits` is above the speed-up limit of `level`: the intervals then stay as they are.
std::optional<Intervals> appearanceIntervals(double hits, int level);

// The interval a timer is given for a computed value: a value below 0 becomes 1 ms (the round
// keeps getting harder and ends); 0 stays 0 (no ticks). The formulas never exceed 1050 ms.
int timerInterval(long long computed);

} // namespace Pace
