#include "window/form1.h"

#include "platform/files.h"
#include "scores/scorecodec.h"

// The score file procedures. The two inner layers live in m_scoresTemp and m_scoresTemp2;
// nothing is ever written under "Scores.temp" or "Scores.temp2". Only CodeROM writes to disk,
// and only through an atomic replace, so no failure can leave a half-written table behind.

namespace {

const QString DamagedSuffix = QStringLiteral(".damaged");

} // namespace

void Form1::CodeROM()
{
    m_scoresTemp2 = ScoreCodec::encodeNumberText(m_scoresTemp);
    // A "Scores.dat" that could not be loaded (no file, unreadable, damaged and not put aside)
    // holds something the player may still want: never replace it.
    if (m_scoreFileProblem && m_scoreFileProblem->keepsFile)
        return;
    if (const auto failure = m_files.writeAtomically(ScoreCodec::ScoreFileName,
                                                     ScoreCodec::encodeScoreFile(m_scoresTemp2)))
        m_scoreFileProblem = ScoreFileProblem{*failure, false};
    else
        m_scoreFileProblem.reset();
}

void Form1::CodeROM2()
{
    const QString fileName = ScoreCodec::ScoreFileName;
    const auto useDefaultTable = [this] {
        m_scoresTemp = ScoreCodec::defaultPlainTable();
        m_scoresTemp2 = ScoreCodec::encodeNumberText(m_scoresTemp);
    };
    // A "Scores.dat" the game cannot use is left as it is, and never replaced at the exit.
    const auto keepTheFile = [&](const QString &toldNow, const QString &toldAtExit) {
        m_scoreFileProblem = ScoreFileProblem{toldAtExit, true};
        tellPlayer(toldNow);
        useDefaultTable();
    };
    const QString folder = m_files.folder();
    m_scoresTemp.clear();
    m_scoresTemp2.clear();
    m_loadedBytes.reset();

    switch (m_files.kind(fileName)) {
    case Files::Kind::Missing:
        // Only when NewFileDate could not write it (and has told the player) or the file went
        // away just now: the default table it is.
        useDefaultTable();
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
        m_scoresTemp2 = ScoreCodec::decodeScoreFile(*bytes);
        m_scoresTemp = plain.value();
        m_loadedBytes = bytes;
        return;
    }

    const QString damage = table.damage();
    if (const auto asideName = m_files.renameAside(fileName, DamagedSuffix)) {
        useDefaultTable();
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
    m_scoresTemp.clear();
    m_scoresTemp2.clear();
    m_files.removeFileOrLink(ScoreCodec::PlainTextFileName);
    m_files.removeFileOrLink(ScoreCodec::NumberTextFileName);
}

void Form1::mergeWithTableOnDisk()
{
    const QString fileName = ScoreCodec::ScoreFileName;
    if (m_files.kind(fileName) != Files::Kind::File)
        return; // gone: this run's table is written; no file at all: the write will say why
    const auto bytes = m_files.read(fileName, ScoreCodec::MaxFileBytes);
    if (bytes == m_loadedBytes)
        return; // nobody else saved: written as it stands
    const auto table = bytes ? ScoreCodec::decode(*bytes)
                             : ScoreCodec::Result<ScoreCodec::Table>::damaged(
                                 QStringLiteral("его не удалось прочитать"));
    if (!table.ok()) {
        // Spoilt since the start: kept aside as at start, and this run's table takes its place.
        const QString folder = m_files.folder();
        if (const auto asideName = m_files.renameAside(fileName, DamagedSuffix)) {
            tellPlayer(QStringLiteral("Файл таблицы рекордов «%1» в папке «%2» испорчен, пока "
                                      "шла игра (%3). Он переименован в «%4» и лежит в той же "
                                      "папке; таблица этого запуска записана вместо него.")
                           .arg(fileName, folder, table.damage(), *asideName));
        } else {
            m_scoreFileProblem = ScoreFileProblem{
                QStringLiteral("Таблица рекордов не сохранена: файл «%1» в папке «%2» испорчен, "
                               "пока шла игра (%3), а переименовать его не удалось, и игра не "
                               "стала записывать поверх него.")
                    .arg(fileName, folder, table.damage()),
                true};
        }
        return;
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
}
