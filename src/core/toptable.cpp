#include "core/toptable.h"

#include "core/pace.h"

namespace TopTable {

int insertionRow(const ScoreList &scores, qint32 score)
{
    // Strictly less: an equal result goes below the stored one, so an older record keeps its row.
    for (int row = 0; row < Rows; ++row) {
        if (scores[row] < score)
            return row;
    }
    return Rows;
}

void insert(Names &names, ScoreList &scores, int place, const QString &name, qint32 score)
{
    if (place < 0 || place >= Rows)
        return;
    for (int row = Rows - 1; row > place; --row) {
        names[row] = names[row - 1];
        scores[row] = scores[row - 1];
    }
    scores[place] = score;
    names[place] = name;
}

qsizetype nameLength(const QString &entry)
{
    for (int level = Pace::MinLevel; level <= Pace::MaxLevel; ++level) {
        if (entry.endsWith(Pace::levelTag(level)))
            return entry.size() - Pace::levelTag(level).size();
    }
    return entry.size();
}

} // namespace TopTable
