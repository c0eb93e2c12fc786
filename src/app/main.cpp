#include "app/commandline.h"
#include "app/game.h"
#include "platform/diskfiles.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("popadaika")); // names the data folder
    const auto command = readCommandLine(argc, argv);
    if (const int *status = std::get_if<int>(&command))
        return *status;
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.popadaika")); // the app id
    const auto &scoreFolder = std::get<StartOptions>(command).scoreFolder;
    DiskFiles files = scoreFolder ? DiskFiles(*scoreFolder) : DiskFiles();
    return runGame(app, files);
}
