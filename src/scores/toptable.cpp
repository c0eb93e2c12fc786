#include "scores/toptable.h"

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
    for (int level = 1; level <= 5; ++level) {
        if (entry.endsWith(levelTag(level)))
            return entry.size() - levelTag(level).size();
    }
    return entry.size();
}

QString levelTag(int level)
{
    switch (level) {
    case 1:
        return QStringLiteral(" (ОЛ)");
    case 2:
        return QStringLiteral(" (Л)");
    case 3:
        return QStringLiteral(" (Н)");
    case 4:
        return QStringLiteral(" (Т)");
    case 5:
        return QStringLiteral(" (ОТ)");
    default:
        return {};
    }
}

} // namespace TopTable
