#include "platform/namelabel.h"
#include "window/form1.h"

#include "game/texts.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "scores/scorecodec.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDialog>

#include <QLabel>
#include <QScrollBar>

void Form1::formLoad()
{
    // 1-3: a table in m_scoresTemp. A non-file named "Scores.dat" is left to CodeROM2, which
    // never touches it.
    if (m_files.kind(ScoreCodec::ScoreFileName) == Files::Kind::Missing)
        NewFileDate();
    if (!m_closed)
        CodeROM2();
    m_scoresTemp2.clear();
    m_files.removeFileOrLink(ScoreCodec::NumberTextFileName);
    if (m_closed) {
        // Closed from outside during a notice: nothing more happens, nothing is saved.
        m_scoresTemp.clear();
        m_files.removeFileOrLink(ScoreCodec::PlainTextFileName);
        return;
    }

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
    m_loaded = true;
}

void Form1::formClosing()
{
    // Both ways of closing end here; the table is saved once.
    if (m_closed)
        return;
    m_closed = true;
    // Nothing of the round may happen once the close has begun: no tick may open a "Game Over"
    // behind a notice. The running round is not entered, but a round already over is.
    setAllTimersEnabled(false);
    enterAnnouncedResult();
    if (!m_loaded)
        return; // the labels hold no table yet: saving them would spoil the next start

    // 1-3: the table as the labels show it.
    ScoreCodec::Fields names;
    ScoreCodec::Fields scores;
    for (Place = 0; Place < Rows; ++Place) {
        names[Place] = NameP[Place]->text();
        scores[Place] = ScoresP[Place]->text();
    }
    m_scoresTemp = ScoreCodec::plainTable(names, scores);

    // 4-5: the old "Scores.dat" is not deleted first; CodeROM replaces it atomically, so a
    // failed save leaves it whole. Under the lock, so that another run saving at the same
    // moment cannot lose this run's results, nor this run its.
    if (!(m_scoreFileProblem && m_scoreFileProblem->keepsFile)) {
        const auto lock = m_files.lock(ScoreCodec::ScoreFileName);
        if (lock->state() == Files::Lock::State::Held)
            mergeWithTableOnDisk();
        else if (lock->state() == Files::Lock::State::Busy)
            tellPlayer(QStringLiteral("Таблицу рекордов в папке «%1» слишком долго держала другая "
                                      "запущенная копия игры. Таблица этого запуска сохранена "
                                      "без сверки с ней: результаты, которые та копия сохранила "
                                      "после запуска этой, могли пропасть.")
                           .arg(m_files.folder()));
        CodeROM();
    }
    if (m_scoreFileProblem) {
        tellPlayer(m_scoreFileProblem->keepsFile
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
    // Straight to the closing handler: a window that was never shown may get no close event.
    formClosing();
    close();
    // Open dialogs (the window's children) leave their event loops, also before the main loop
    // runs; their handlers see the window closed and stop.
    for (QDialog *dialog : findChildren<QDialog *>())
        dialog->reject();
}

void Form1::tellPlayer(const QString &text)
{
    if (m_quiet)
        qWarning().noquote() << text;
    else
        m_dialogs.messageBox(text, Texts::GameTitle, Dialogs::Buttons::Ok);
}
