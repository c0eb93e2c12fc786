#include "platform/namelabel.h"
#include "window/form1.h"

#include "game/texts.h"
#include "platform/files.h"
#include "scores/scorecodec.h"

#include <QCoreApplication>
#include <QDebug>

#include <QLabel>
#include <QScrollBar>

void Form1::formLoad()
{
    // 1-3: a table in m_scoresTemp. A non-file named "Scores.dat" is left to CodeROM2, which
    // never touches it.
    if (m_files.kind(ScoreCodec::ScoreFileName) == Files::Kind::Missing)
        NewFileDate();
    CodeROM2();
    m_scoresTemp2.clear();
    m_files.removeFileOrLink(ScoreCodec::NumberTextFileName);

    // 4: the rules text.
    writeLines(Label7, Texts::rulesLines());

    // 5-6
    centreHorizontally(Label19);
    centreHorizontally(HScroll1);

    // 7: CodeROM2 has checked the table; should it still not read, the default table is used.
    auto table = ScoreCodec::readTable(m_scoresTemp);
    if (!table.ok())
        table = ScoreCodec::readTable(ScoreCodec::defaultPlainTable());
    for (Place = 0; Place < Rows; ++Place) {
        TopNames[Place] = table.value().names[Place];
        TopScores[Place] = table.value().scores[Place];
    }

    // 8
    m_scoresTemp.clear();
    m_files.removeFileOrLink(ScoreCodec::PlainTextFileName);

    // 9
    refreshTableLabels();
}

void Form1::formClosing()
{
    // Both ways of closing end here; the table is saved once.
    if (m_closed)
        return;
    m_closed = true;
    // Nothing of the round may happen once the close has begun: no tick may open a "Game Over"
    // behind a notice. The running round is not entered.
    setAllTimersEnabled(false);

    // 1-3: the table as the labels show it.
    ScoreCodec::Fields names;
    ScoreCodec::Fields scores;
    for (Place = 0; Place < Rows; ++Place) {
        names[Place] = NameP[Place]->text();
        scores[Place] = ScoresP[Place]->text();
    }
    m_scoresTemp = ScoreCodec::plainTable(names, scores);

    // 4-5: the old "Scores.dat" is not deleted first; CodeROM replaces it atomically, so a
    // failed save leaves it whole.
    CodeROM();
    if (m_scoreFileProblem) {
        reportProblem(m_scoreFileProblem->keepsFile
                          ? m_scoreFileProblem->message
                          : m_scoreFileProblem->message
                                + QStringLiteral("\nТаблица рекордов этого запуска не сохранена; "
                                                 "прежний файл, если он был, не изменился."));
    }

    // 6
    m_scoresTemp.clear();
    m_files.removeFileOrLink(ScoreCodec::PlainTextFileName);
    m_scoresTemp2.clear();
    m_files.removeFileOrLink(ScoreCodec::NumberTextFileName);
}

void Form1::closeQuietly()
{
    m_quiet = true;
    close();
    // Open dialogs leave their event loops; their handlers see the window closed and stop.
    QCoreApplication::exit(0);
}

void Form1::reportProblem(const QString &text)
{
    if (m_quiet)
        qWarning().noquote() << text;
    else
        tellPlayer(text);
}
