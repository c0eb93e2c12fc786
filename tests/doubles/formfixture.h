#pragma once

#include "doubles/fakeclock.h"
#include "doubles/fakedialogs.h"
#include "doubles/fakefiles.h"
#include "doubles/fakerandom.h"
#include "doubles/virtualscheduler.h"
#include "game/numberformat.h"
#include "platform/namelabel.h"
#include "window/form1.h"

#include <memory>

// The game's window on test doubles, used the way the player uses it: buttons, targets and the
// surface are clicked through the window system, and ticks come through the timers' own
// connections when the test lets time pass.
class FormFixture
{
public:
    // Files default to an in-memory directory, draws to the scripted ones in `random`.
    explicit FormFixture(Files *files = nullptr, RandomGenerator *draws = nullptr,
                         const QLocale &locale = QLocale::c());
    ~FormFixture();

    // Creates the window, runs its load handler and shows it, as the program does.
    Form1 &load();
    // A left click at the middle of `control`, or at `at` in the window's coordinates.
    void click(const QWidget *control);
    void clickAt(QPoint at);
    // Lets time pass: every tick that falls due runs, in order.
    void wait(qint64 ms) { scheduler.advance(ms); }
    // Sets the nickname through the prompt.
    void enterNick(const QString &nick);
    // Plays a whole round as `nick`, worth a place in the table: three hits on Image1, then
    // ticks that show all ten targets. Scripts its own draws.
    void playRound(const QString &nick);
    // Closes the window the way the window manager does.
    void close();

    FakeDialogs dialogs;
    FakeFiles memoryFiles;
    Files &files;
    FakeClock clock;
    FakeRandom random;
    RandomGenerator &draws;
    NumberFormat numbers;
    VirtualScheduler scheduler;
    std::unique_ptr<Form1> form;
};
