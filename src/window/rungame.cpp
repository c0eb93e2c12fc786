#include "window/rungame.h"

#include "game/numberformat.h"
#include "platform/mixingrandom.h"
#include "platform/qtdialogs.h"
#include "platform/qtscheduler.h"
#include "platform/systemclock.h"
#include "platform/terminationsignals.h"
#include "window/form1.h"

#include <QApplication>

namespace {

// The end of the desktop session reaches Qt as a Quit event sent to the application (a session
// checkpoint does not: it only asks for data, and the table is written once, at exit). Left to
// Qt, the Quit would close the windows one by one as if the player had; make it the quiet close.
class SessionEnd : public QObject
{
    Q_OBJECT

public:
    explicit SessionEnd(QObject *parent = nullptr)
        : QObject(parent)
    {
        qApp->installEventFilter(this);
    }
    // Once the game has closed, a Quit is Qt's own and goes through.
    bool gameClosed = false;

signals:
    void received();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != qApp || event->type() != QEvent::Quit || gameClosed)
            return false;
        emit received();
        return true;
    }
};

} // namespace

int runGame(QApplication &app, Files &files)
{
    QtDialogs dialogs;
    SystemClock clock;
    MixingRandom random;
    const NumberFormat numbers;
    QtScheduler scheduler;
    Form1 form({dialogs, files, clock, random, numbers, scheduler});
    dialogs.setParent(&form);

    // A logout, a shutdown, a closed terminal or Ctrl-C closes the window the normal way, so the
    // table of this run is saved; from the first notice of the load on, so that none of them can
    // cut the program off.
    bool looping = false; // the main loop runs
    SessionEnd sessionEnd;
    const auto endFromOutside = [&] {
        form.closeQuietly();
        sessionEnd.gameClosed = true;
        if (looping)
            QCoreApplication::exit(0);
    };
    TerminationSignals terminations;
    QObject::connect(&terminations, &TerminationSignals::received, &form, endFromOutside);
    QObject::connect(&sessionEnd, &SessionEnd::received, &form, endFromOutside);

    form.formLoad();
    if (form.isClosed())
        return 0; // closed during a notice of the load: no window, nothing saved
    form.show();
    looping = true;
    return app.exec();
}

#include "rungame.moc"
