// The table of best results on disk: loading it at start, saving it at the close (also a close
// from outside), and the score file procedures. The layers are computed in memory (the plain
// text in m_scoresTemp); nothing is ever written under "Scores.temp" or "Scores.temp2". Only
// CodeROM writes the table, and only through an atomic replace, so no failure can leave a
// half-written table behind.

#include "core/scorecodec.h"
#include "core/texts.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "window/form1.h"
#include "window/namelabel.h"

#include <QDebug>
#include <QDialog>
#include <QLabel>
#include <QScrollBar>

namespace {

const QString DamagedSuffix = QStringLiteral(".damaged");

} // namespace

void Form1::formLoad()
{
    // The table's plain text into m_scoresTemp. A non-file named "Scores.dat" is left to
    // CodeROM2, which never touches it.
    if (m_files.kind(ScoreCodec::ScoreFileName) == Files::Kind::Missing)
        NewFileDate();
    if (!m_closed)
        CodeROM2();
    m_files.removeFileOrLink(ScoreCodec::NumberTextFileName);
    if (m_closed) {
        // Closed from outside during a notice: nothing more happens, nothing is saved.
        m_scoresTemp.clear();
        m_files.removeFileOrLink(ScoreCodec::PlainTextFileName);
        return;
    }

    writeLines(Label7, Texts::rulesLines());

    centreHorizontally(Label19);
    centreHorizontally(HScroll1);

    // CodeROM2 leaves a table that it has checked, or none when there is no file it can use: the
    // default table then.
    auto table = ScoreCodec::readTable(m_scoresTemp);
    if (!table.ok())
        table = ScoreCodec::readTable(ScoreCodec::defaultPlainTable());
    for (Place = 0; Place < Rows; ++Place) {
        TopNames[Place] = table.value().names[Place];
        TopScores[Place] = table.value().scores[Place];
    }

    m_scoresTemp.clear();
    m_files.removeFileOrLink(ScoreCodec::PlainTextFileName);

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
    recordRound();
    if (!m_loaded)
        return; // the labels hold no table yet: saving them would spoil the next start

    // The table as the labels show it.
    ScoreCodec::Fields names;
    ScoreCodec::Fields scores;
    for (Place = 0; Place < Rows; ++Place) {
        names[Place] = NameP[Place]->text();
        scores[Place] = ScoresP[Place]->text();
    }
    m_scoresTemp = ScoreCodec::plainTable(names, scores);

    // The old "Scores.dat" is not deleted first; CodeROM replaces it atomically, so a failed
    // save leaves it whole. Under the lock, so that another run saving at the same moment cannot
    // lose this run's results, nor this run its; what is to be told waits until the lock is let
    // go, so that no open box holds up another run's save.
    QString notice;
    if (!(m_scoreFileProblem && m_scoreFileProblem->keepsFile)) {
        const auto lock = m_files.lock(ScoreCodec::ScoreFileName);
        if (lock->state() == Files::Lock::State::Held)
            notice = mergeWithTableOnDisk();
        else if (lock->state() == Files::Lock::State::Busy)
            notice = QStringLiteral("Таблицу рекордов в папке «%1» слишком долго держала другая "
                                    "запущенная копия игры. Таблица этого запуска сохранена без "
                                    "сверки с ней: результаты, которые та копия сохранила после "
                                    "запуска этой, могли пропасть.")
                         .arg(m_files.folder());
        CodeROM();
    }
    if (!notice.isEmpty())
        tellPlayer(notice);
    if (m_scoreFileProblem) {
        tellPlayer(m_scoreFileProblem->keepsFile
                       ? m_scoreFileProblem->message
                       : m_scoreFileProblem->message
                             + QStringLiteral("\nТаблица рекордов этого запуска не сохранена; "
                                              "прежний файл, если он был, не изменился."));
    }

    m_scoresTemp.clear();
    m_files.removeFileOrLink(ScoreCodec::PlainTextFileName);
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

QString Form1::mergeWithTableOnDisk()
{
    const QString fileName = ScoreCodec::ScoreFileName;
    if (m_files.kind(fileName) != Files::Kind::File)
        return {}; // gone: this run's table is written; no file at all: the write will say why
    const auto bytes = m_files.read(fileName, ScoreCodec::MaxFileBytes);
    if (bytes == m_loadedBytes)
        return {}; // nobody else saved: written as it stands
    const auto table = bytes ? ScoreCodec::decode(*bytes)
                             : ScoreCodec::Result<ScoreCodec::Table>::damaged(
                                 QStringLiteral("его не удалось прочитать"));
    if (!table.ok()) {
        // Spoilt since the start: kept aside as at start, and this run's table takes its place.
        const QString folder = m_files.folder();
        if (const auto asideName = m_files.renameAside(fileName, DamagedSuffix)) {
            return QStringLiteral("Файл таблицы рекордов «%1» в папке «%2» испорчен, пока "
                                  "шла игра (%3). Он переименован в «%4» и лежит в той же "
                                  "папке; таблица этого запуска записана вместо него.")
                .arg(fileName, folder, table.damage(), *asideName);
        }
        m_scoreFileProblem = ScoreFileProblem{
            QStringLiteral("Таблица рекордов не сохранена: файл «%1» в папке «%2» испорчен, "
                           "пока шла игра (%3), а переименовать его не удалось, и игра не "
                           "стала записывать поверх него.")
                .arg(fileName, folder, table.damage()),
            true};
        return {};
    }
    // Another run saved meanwhile: its table, with this run's results entered by the usual
    // rule, an equal score below the stored one.
    ScoreCodec::Table merged = table.value();
    for (const auto &[name, score] : m_newResults)
        TopTable::insert(merged.names, merged.scores, TopTable::insertionRow(merged.scores, score),
                         name, score);
    ScoreCodec::Fields scores;
    for (int row = 0; row < Rows; ++row)
        scores[row] = QString::number(merged.scores[row]);
    m_scoresTemp = ScoreCodec::plainTable(merged.names, scores);
    return {};
}

void Form1::CodeROM()
{
    // A "Scores.dat" that could not be loaded (no file, unreadable, damaged and not put aside)
    // holds something the player may still want: never replace it.
    if (m_scoreFileProblem && m_scoreFileProblem->keepsFile)
        return;
    if (const auto failure =
            m_files.writeAtomically(ScoreCodec::ScoreFileName, ScoreCodec::encode(m_scoresTemp)))
        m_scoreFileProblem = ScoreFileProblem{*failure, false};
    else
        m_scoreFileProblem.reset();
}

void Form1::CodeROM2()
{
    const QString fileName = ScoreCodec::ScoreFileName;
    // A "Scores.dat" the game cannot use is left as it is, and never replaced at the exit.
    const auto keepTheFile = [&](const QString &toldNow, const QString &toldAtExit) {
        m_scoreFileProblem = ScoreFileProblem{toldAtExit, true};
        tellPlayer(toldNow);
    };
    const QString folder = m_files.folder();
    m_scoresTemp.clear();
    m_loadedBytes.reset();

    switch (m_files.kind(fileName)) {
    case Files::Kind::Missing:
        // Only when NewFileDate could not write it (and has told the player) or the file went
        // away just now.
        return;
    case Files::Kind::Other:
        keepTheFile(
            QStringLiteral("В папке «%1» под именем «%2» лежит не файл с таблицей рекордов "
                           "(например, папка). Игра его не тронет и начнёт с пустой таблицы, но "
                           "сохранить таблицу при выходе не сможет.")
                .arg(folder, fileName),
            QStringLiteral(
                "Таблица рекордов не сохранена: в папке «%1» под именем «%2» лежит не файл "
                "(например, папка), и игра его не трогает. Результаты этого запуска не записаны.")
                .arg(folder, fileName));
        return;
    case Files::Kind::File:
        break;
    }

    const auto bytes = m_files.read(fileName, ScoreCodec::MaxFileBytes);
    if (!bytes) {
        keepTheFile(
            QStringLiteral("Файл таблицы рекордов «%1» в папке «%2» не удалось прочитать. "
                           "Игра начнёт с пустой таблицы и не будет перезаписывать этот файл.")
                .arg(fileName, folder),
            QStringLiteral(
                "Таблица рекордов не сохранена: файл «%1» в папке «%2» не удалось прочитать при "
                "запуске, и игра не стала его перезаписывать.")
                .arg(fileName, folder));
        return;
    }

    // Checked in full here, so that the start-up always finds a readable table.
    const auto plain = ScoreCodec::decodePlainText(*bytes);
    const auto table = plain.ok() ? ScoreCodec::readTable(plain.value())
                                  : ScoreCodec::Result<ScoreCodec::Table>::damaged(plain.damage());
    if (table.ok()) {
        m_scoresTemp = plain.value();
        m_loadedBytes = bytes;
        return;
    }

    const QString damage = table.damage();
    if (const auto asideName = m_files.renameAside(fileName, DamagedSuffix)) {
        tellPlayer(QStringLiteral("Файл таблицы рекордов «%1» в папке «%2» повреждён (%3). Игра "
                                  "начнёт с пустой таблицы.\nСтарый файл не удалён: он "
                                  "переименован в «%4» и лежит в той же папке.")
                       .arg(fileName, folder, damage, *asideName));
        return;
    }
    keepTheFile(QStringLiteral("Файл таблицы рекордов «%1» в папке «%2» повреждён (%3). Игра "
                               "начнёт с пустой таблицы.\nПереименовать файл не удалось, поэтому "
                               "игра оставит его как есть и при выходе таблицу не сохранит.")
                    .arg(fileName, folder, damage),
                QStringLiteral("Таблица рекордов не сохранена: повреждённый файл «%1» в папке "
                               "«%2» не удалось переименовать, и игра не стала записывать поверх "
                               "него.")
                    .arg(fileName, folder));
}

void Form1::NewFileDate()
{
    m_scoresTemp = ScoreCodec::defaultPlainTable();
    CodeROM();
    if (m_scoreFileProblem) {
        tellPlayer(m_scoreFileProblem->message
                   + QStringLiteral("\nИгра начнёт с пустой таблицы рекордов и попробует "
                                    "сохранить её ещё раз при выходе."));
    }
}
