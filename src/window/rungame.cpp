#include "window/rungame.h"

#include "game/numberformat.h"
#include "platform/mixingrandom.h"
#include "platform/qtdialogs.h"
#include "platform/qtscheduler.h"
#include "platform/systemclock.h"
#include "platform/terminationsignals.h"
#include "window/form1.h"

#include <QApplication>
#include <QSessionManager>

int runGame(QApplication &app, Files &files)
{
    QtDialogs dialogs;
    SystemClock clock;
    MixingRandom random;
    const NumberFormat numbers;
    QtScheduler scheduler;
    Form1 form({dialogs, files, clock, random, numbers, scheduler});
    dialogs.setParent(&form);

    form.formLoad();

    // A logout, a shutdown, a closed terminal or Ctrl-C closes the window the normal way, so the
    // table of this run is saved. Until the table is loaded, the default actions stay: nothing
    // would be lost by them.
    TerminationSignals terminations;
    QObject::connect(&terminations, &TerminationSignals::received, &form, &Form1::closeQuietly);
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager &) { form.closeQuietly(); });
#endif

    form.show();
    return app.exec();
}
