#pragma once

#include <QString>
#include <QStringList>

// The program's fixed texts that more than one place reads or writes. Captions are compared by
// exact text, so each lives here once.
namespace Texts {

// Captions of Command2; the caption is the round's state and names what the next press does.
inline const QString Start = QStringLiteral("Начать");      // no round played yet
inline const QString Pause = QStringLiteral("Пауза");       // a round runs
inline const QString Resume = QStringLiteral("Продолжить"); // the round is paused
inline const QString Restart = QStringLiteral("Заново");    // the round is over

// Captions of Command4; the caption names what the next press does.
inline const QString HelpOn = QStringLiteral("Вкл. помощь");   // help is off
inline const QString HelpOff = QStringLiteral("Выкл. помощь"); // help is shown

// The clock before the first second of a round.
inline const QString ClockAtZero = QStringLiteral("Прошло времени: 00:00");

// The name in every row of a fresh table.
inline const QString EmptyRow = QStringLiteral("<Пусто>");

// Dialogs: texts and titles.
inline const QString NickPrompt = QStringLiteral("Введите свой ник.");
inline const QString NickTitle = QStringLiteral("Ваш ник");
inline const QString NoNick = QStringLiteral("Вы не ввели свой ник!");
inline const QString NoNickTitle = QStringLiteral("Ошибка");
inline const QString ExitQuestion = QStringLiteral("Вы уверены?");
inline const QString ExitTitle = QStringLiteral("Выход");
inline const QString GameOverTitle = QStringLiteral("Game Over");
inline const QString GameTitle = QStringLiteral("Попадайка"); // the window and its notices

// The help panel's texts, one entry per line, without line breaks.
QStringList rulesLines();  // the ten lines of the rules
QStringList creditLines(); // the seventeen lines of the credits

} // namespace Texts
