#include "app/commandline.h"
#include "app/form1.h"
#include "platform/diskfiles.h"
#include "platform/localenumbertext.h"
#include "platform/mixingrandom.h"
#include "platform/qtdialogs.h"
#include "platform/systemclock.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("popadaika")); // names the data folder
    const auto command = readCommandLine(argc, argv);
    if (const int *status = std::get_if<int>(&command))
        return *status;
    QApplication app(argc, argv);

    QtDialogs dialogs;
    const auto &scoreFolder = std::get<StartOptions>(command).scoreFolder;
    DiskFiles files = scoreFolder ? DiskFiles(*scoreFolder) : DiskFiles();
    SystemClock clock;
    MixingRandom random;
    LocaleNumberText numbers;
    Form1 form({dialogs, files, clock, random, numbers});
    dialogs.setParent(&form);

    form.formLoad();
    form.show();
    return app.exec();
}
