#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QStringList>

#include <cstdio>

namespace {

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// Qt's own options, which QApplication takes out of the command line later: a session manager
// restarts a Qt program with "-session <id>", and "-platform", "-style" and the like are given
// by hand. None of them is shown in the help.
void acceptQtOptions(QCommandLineParser &parser)
{
    for (const char *name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "geometry",
          "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "style", "stylesheet"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

} // namespace

std::variant<StartOptions, int> readCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    const QString program = QCoreApplication::applicationName();
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption userData(QStringLiteral("user-data"));
    QCommandLineParser parser;
    // Qt's options take one dash ("-platform"); ours work with one or two.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({help, version, userData});
    acceptQtOptions(parser);

    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString problem = parser.errorText().isEmpty()
                                    ? QStringLiteral("Unexpected argument '%1'.")
                                          .arg(parser.positionalArguments().first())
                                    : parser.errorText();
        print(stderr, QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(program, problem));
        return 2;
    }
    if (parser.isSet(help)) {
        print(
            stdout,
            QStringLiteral(
                "Usage: %1 [--user-data]\n"
                "Попадайка, a reaction game. It keeps its table of best results in Scores.dat in "
                "the\n"
                "current directory.\n\n"
                "Options:\n"
                "  --user-data    keep Scores.dat in your own data folder instead, as the desktop\n"
                "                 menu entry does: %2\n"
                "  -h, --help     show this help and exit\n"
                "  -v, --version  show the version and exit\n")
                .arg(program, QDir::toNativeSeparators(userFolder)));
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(program, QStringLiteral(POPADAIKA_VERSION)));
        return 0;
    }
    if (!parser.isSet(userData))
        return StartOptions{};
    if (userFolder.isEmpty() || !QDir().mkpath(userFolder)) {
        print(stderr, QStringLiteral("%1: cannot create the data folder '%2' for Scores.dat.\n")
                          .arg(program, QDir::toNativeSeparators(userFolder)));
        return 1;
    }
    return StartOptions{userFolder};
}
