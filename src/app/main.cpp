#include "app/form1.h"
#include "platform/diskfiles.h"
#include "platform/localenumbertext.h"
#include "platform/mixingrandom.h"
#include "platform/qtdialogs.h"
#include "platform/systemclock.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QtDialogs dialogs;
    DiskFiles files;
    SystemClock clock;
    MixingRandom random;
    LocaleNumberText numbers;
    Form1 form({dialogs, files, clock, random, numbers});
    dialogs.setParent(&form);

    form.formLoad();
    form.show();
    return app.exec();
}
