#include "app/game.h"

#include "platform/terminationsignals.h"

#include <QApplication>

namespace {

// The end of the desktop session reaches Qt as a Quit event sent to the application (a session
// checkpoint does not: it only asks for data, and the table is written once, at exit). Left to
// Qt, the Quit would close the windows one by one as if the player had; make it the quiet close.
class SessionEnd : public QObject
{
    Q_OBJECT

public:
    explicit SessionEnd(const Form1 &game)
        : m_game(game)
    {
        qApp->installEventFilter(this);
    }

signals:
    void received();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Once the game has closed, a Quit is Qt's own (its last window closed) and goes through.
        if (watched != qApp || event->type() != QEvent::Quit || m_game.isClosed())
            return false;
        emit received();
        return true;
    }

private:
    const Form1 &m_game;
};

} // namespace

Game::Game(Files &files, Dialogs *dialogs, Scheduler *scheduler)
    : m_form({dialogs ? *dialogs : m_dialogs, files, m_clock, m_random, m_numbers,
              scheduler ? *scheduler : m_scheduler, &m_history})
{
    m_dialogs.setParent(&m_form);
    QObject::connect(&m_form, &Form1::statisticsRequested, &m_form, [this] { showStatistics(); });
}

void Game::showStatistics()
{
    if (!m_statistics) {
        // A window of its own that goes with the game's. Closed, it is only hidden: the next F2
        // shows it again as the player left it, with the rounds played since.
        m_statistics = new StatsWindow(m_history, &m_form);
    } else {
        m_statistics->reload(); // rounds played since it opened
    }
    m_statistics->show();
    m_statistics->raise();
    m_statistics->activateWindow();
}

int Game::run(QApplication &app)
{
    // The window's close, the player's or the quiet one, ends the main loop the way any last
    // window's does; before the loop runs, it ends the run after the load.
    SessionEnd sessionEnd(m_form);
    const auto endFromOutside = [this] { m_form.closeQuietly(); };
    // From the first notice of the load on, so that no signal can cut the program off.
    TerminationSignals terminations;
    QObject::connect(&terminations, &TerminationSignals::received, &m_form, endFromOutside);
    QObject::connect(&sessionEnd, &SessionEnd::received, &m_form, endFromOutside);

    m_form.formLoad();
    if (m_form.isClosed())
        return 0; // closed during a notice of the load: no window, nothing saved
    m_form.show();
    return app.exec();
}

int runGame(QApplication &app, Files &files)
{
    Game game(files);
    return game.run(app);
}

int runStatistics(QApplication &app)
{
    History history(History::standardPath());
    StatsWindow window(history);
    window.show();
    return app.exec();
}

#include "game.moc"
