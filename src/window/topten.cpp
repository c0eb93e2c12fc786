// The table of best results: insert a qualifying result and show the table anew.

#include "scores/toptable.h"
#include "window/form1.h"

#include <QScrollBar>

void Form1::Scores()
{
    TopTable::insert(TopNames, TopScores, Place, Nick + TopTable::levelTag(HScroll1->value()),
                     FinalScore);
    m_newResults.append({TopNames[Place], FinalScore});
    refreshTableLabels();
}
