#pragma once

#include "core/numberformat.h"
#include "doubles/fakedialogs.h"
#include "doubles/tempdir.h"
#include "doubles/virtualscheduler.h"
#include "platform/clock.h"
#include "platform/diskfiles.h"
#include "platform/history.h"
#include "platform/randomgenerator.h"
#include "window/form1.h"
#include "window/namelabel.h"
#include "window/targetpicture.h"

#include <QPushButton>

// The game's window on test doubles, its table in a directory of its own, used the way the
// player uses it: buttons, targets and the surface are clicked through the window system, and
// ticks come through the timers' own connections when the test lets time pass. The fixture is
// the game's clock, always at the same moment, and its random source.
class FormFixture : public Clock, public RandomGenerator
{
public:
    // A run of the game on a table of its own, or on the one in `folder`, as another run.
    explicit FormFixture(const QString &folder = {})
        : files(folder.isEmpty() ? dir.path() : folder, 100) // waits 100 ms for another's lock
    {
    }

    // Creates the window, runs its load handler and shows it, as the program does.
    Form1 &load()
    {
        form = std::make_unique<Form1>(
            Form1::Services{dialogs, files, *this, *this, numbers, scheduler, &history});
        form->formLoad();
        form->show();
        return *form;
    }
    // A left click at the middle of `control`, or at `at` in the window's coordinates.
    void click(const QWidget *control)
    {
        clickAt(control->mapTo(form.get(), control->rect().center()));
    }
    void clickAt(QPoint at) { QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, at); }
    // Lets time pass: every tick that falls due runs, in order.
    void wait(qint64 ms) { scheduler.advance(ms); }
    // Sets the nickname through the prompt, after an empty answer, which is refused.
    void enterNick(const QString &nick)
    {
        dialogs.promptAnswers << QString() << nick;
        click(form->Command1);
    }
    // Plays a whole round as `nick` at level 3 in 8 s, worth 3 points: three hits on Image1,
    // then ticks that show all ten targets.
    void playRound(const QString &nick)
    {
        enterNick(nick);
        click(form->Command2);
        for (int hit = 0; hit < 3; ++hit) {
            // Both appearance ticks show Image1, and the hit puts it back where it was.
            draws = {0.15f, 0.15f, 0.5f, 0.5f};
            wait(1000);
            click(form->Image[0]);
        }
        draws = {0.05f, 0.15f, 0.25f, 0.35f, 0.45f, 0.55f, 0.65f, 0.75f, 0.85f, 0.95f};
        wait(10000);
    }

    QDateTime now() const override { return QDateTime(QDate(2026, 12, 6), QTime(12, 0, 0, 999)); }
    // Takes the next of `draws`; a draw the test did not script fails the test.
    float draw() override
    {
        if (draws.isEmpty())
            QTest::qFail("a draw the test did not script was made", __FILE__, __LINE__);
        return draws.isEmpty() ? 0.0f : draws.takeFirst();
    }
    void reseed(double value) override { seeds.append(value); }

    QList<float> draws;
    QList<double> seeds; // every reseed, in order
    TempDir dir;
    DiskFiles files;
    TempDir dataDir; // the player's data folder, for the history
    History history{dataDir.filePath("history.sqlite")};
    FakeDialogs dialogs;
    NumberFormat numbers{QLocale(QLocale::Russian)}; // a decimal comma
    VirtualScheduler scheduler;
    std::unique_ptr<Form1> form;
};
