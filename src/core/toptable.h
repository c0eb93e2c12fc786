#pragma once

#include <QString>
#include <array>

// The eleven-row table of best results: row 0 is the best, row 10 the row "LoL.".
namespace TopTable {

inline constexpr int Rows = 11; // places "1." .. "10." and "LoL."
using Names = std::array<QString, Rows>;
using ScoreList = std::array<qint32, Rows>;

// The first row whose score is strictly less than `score`, or Rows (11) when none is.
int insertionRow(const ScoreList &scores, qint32 score);

// Moves rows place..9 down one (the old row 10 is dropped) and puts the result into row `place`;
// 0 <= place < Rows.
void insert(Names &names, ScoreList &scores, int place, const QString &name, qint32 score);

// The length of a table entry's name without its level tag (the whole entry when it ends in
// none), so that the name can be shortened on screen while the tag stays readable.
qsizetype nameLength(const QString &entry);

} // namespace TopTable
