#pragma once

#include "core/numberformat.h"
#include "platform/history.h"
#include "platform/mixingrandom.h"
#include "platform/qtdialogs.h"
#include "platform/qtscheduler.h"
#include "platform/systemclock.h"
#include "window/form1.h"
#include "window/statswindow.h"

#include <QPointer>

class QApplication;
class Files;

// The game's window on the desktop's own services: the one place they are wired together. Its
// rounds go into the player's history, which F2 shows in the statistics window.
class Game
{
public:
    // The table lives in `files`. `dialogs` and `scheduler`, when given, stand in for the real
    // ones (the benchmark answers its boxes at once and notes every tick). All three must
    // outlive the game.
    explicit Game(Files &files, Dialogs *dialogs = nullptr, Scheduler *scheduler = nullptr);

    Form1 &form() { return m_form; }

    // Loads the table, shows the window and plays until it closes; returns the exit status.
    // A logout, a shutdown, a closed terminal or Ctrl-C closes the window the normal way, so
    // the table of the run is saved; a signal during a notice of the load ends the run there,
    // before the window shows and without a save.
    int run(QApplication &app);

    // The statistics window F2 opened, while it is open.
    StatsWindow *statistics() const { return m_statistics; }

private:
    void showStatistics();

    History m_history{History::standardPath()};
    QtDialogs m_dialogs;
    SystemClock m_clock;
    MixingRandom m_random;
    const NumberFormat m_numbers;
    QtScheduler m_scheduler;
    Form1 m_form;
    QPointer<StatsWindow> m_statistics;
};

// Plays the game with the desktop's own services and the table in `files`.
int runGame(QApplication &app, Files &files);
// Shows only the statistics window, until it is closed; returns the exit status.
int runStatistics(QApplication &app);
