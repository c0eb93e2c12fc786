// Game over: stop the round, report its results and offer them to the table of best results.

#include "game/texts.h"
#include "platform/dialogs.h"
#include "platform/namelabel.h"
#include "scores/results.h"
#include "scores/toptable.h"
#include "window/form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

void Form1::EndGame()
{
    setAllTimersEnabled(false);

    const int level = HScroll1->value();
    const double hits = counter(Text1);
    const double clicks = counter(Text2);
    FinalScore = Results::finalScore(hits, clicks, Seconds, level);

    // The last picture of the round stays on screen while the box is open. The box only
    // acknowledges a result that is already final: a close meanwhile enters it before saving.
    m_resultAnnounced = true;
    m_dialogs.messageBox(Results::gameOverText(Nick, FinalScore), Texts::GameOverTitle,
                         Dialogs::Buttons::Ok, {Results::GameOverOpening.size(), Nick.size()});
    if (m_closed)
        return; // the run ended while the box was open: the close entered the result

    setTargetsVisible(false);
    HScroll1->show();
    Label19->show();
    PClick->show();

    Label1->setTextWithName(Results::accuracyLine(Nick, hits, clicks, m_numbers),
                            Results::AccuracyOpening.size(), Nick.size());
    Label1->show();
    Label3->setText(Results::clicksPerMinuteLine(clicks, Seconds, m_numbers));
    Label3->show();

    Command2->setText(Texts::Restart);
    enterAnnouncedResult();
}

void Form1::enterAnnouncedResult()
{
    if (!m_resultAnnounced)
        return;
    m_resultAnnounced = false;
    Place = static_cast<qint16>(TopTable::insertionRow(TopScores, FinalScore));
    if (Place < Rows)
        Scores();
}
