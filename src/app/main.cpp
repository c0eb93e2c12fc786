#include "app/commandline.h"
#include "app/game.h"
#include "platform/diskfiles.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("popadaika")); // names the data folder
    const auto command = readCommandLine(argc, argv);
    if (const int *status = std::get_if<int>(&command))
        return *status;
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.popadaika")); // the app id
    // Every text of the game is Russian; so are Qt's own dialogs and buttons (the file dialog of
    // the statistics' export, say). Without the translations they stay English.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    const StartOptions &options = std::get<StartOptions>(command);
    if (options.statistics)
        return runStatistics(app);
    DiskFiles files = options.scoreFolder ? DiskFiles(*options.scoreFolder) : DiskFiles();
    return runGame(app, files);
}
