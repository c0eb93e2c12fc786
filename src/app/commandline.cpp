#include "app/commandline.h"
#include "core/scorecodec.h"
#include "platform/diskfiles.h"
#include "platform/history.h"

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
// by hand. The help is our own text, which names none of them.
void acceptQtOptions(QCommandLineParser &parser)
{
    for (const char *name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "geometry",
          "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "style", "stylesheet"})
        parser.addOption({QString::fromLatin1(name), QString(), QStringLiteral("value")});
    for (const char *name : {"reverse", "widgetcount"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
}

// A name as one field of a tab-separated line: every control character (C0, DEL, C1) becomes
// "\xNN", its code in two hex digits, so that a name can neither break the line or the columns
// nor steer the terminal. The backslash is written as "\x5C" too: otherwise a name holding the
// four characters "\x09" would read exactly like one holding a tab.
QString escaped(const QString &name)
{
    QString text;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c == u'\\')
            text += QStringLiteral("\\x")
                    + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            text += c;
    }
    return text;
}

// Prints the table in `files` ("place<TAB>name<TAB>score" a row, places 1..11, in UTF-8) and
// returns 0; no file is the default table. Returns 1, told on standard error, when the table
// cannot be read or printed. Touches nothing on disk: only the game puts a damaged file aside.
int printScores(const Files &files)
{
    using TableResult = ScoreCodec::Result<ScoreCodec::Table>;
    const QString fileName = ScoreCodec::ScoreFileName;
    const QString folder = files.folder();
    const auto table = [&] {
        switch (files.kind(fileName)) {
        case Files::Kind::Missing:
            return ScoreCodec::readTable(ScoreCodec::defaultPlainTable());
        case Files::Kind::Other:
            return TableResult::damaged(
                QStringLiteral("в папке «%1» под именем «%2» лежит не файл с таблицей рекордов "
                               "(например, папка)")
                    .arg(folder, fileName));
        case Files::Kind::File:
            break;
        }
        const auto bytes = files.read(fileName, ScoreCodec::MaxFileBytes);
        if (!bytes)
            return TableResult::damaged(
                QStringLiteral("файл таблицы рекордов «%1» в папке «%2» не удалось прочитать")
                    .arg(fileName, folder));
        const auto decoded = ScoreCodec::decode(*bytes);
        if (decoded.ok())
            return decoded;
        return TableResult::damaged(
            QStringLiteral("файл таблицы рекордов «%1» в папке «%2» повреждён (%3)")
                .arg(fileName, folder, decoded.damage()));
    }();
    const QString program = QCoreApplication::applicationName();
    if (!table.ok()) {
        print(stderr, QStringLiteral("%1: %2. Ничего не изменено.\n").arg(program, table.damage()));
        return 1;
    }

    QString text;
    for (int row = 0; row < ScoreCodec::Rows; ++row) {
        // One pass of arg(): a "%1" inside a name stays as it is.
        text += QStringLiteral("%1\t%2\t%3\n")
                    .arg(QString::number(row + 1), escaped(table.value().names[row]),
                         QString::number(table.value().scores[row]));
    }
    std::fputs(text.toUtf8().constData(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        print(stderr, QStringLiteral("%1: не удалось вывести таблицу рекордов.\n").arg(program));
        return 1;
    }
    return 0;
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
    const QCommandLineOption scores(QStringLiteral("scores"));
    const QCommandLineOption stats(QStringLiteral("stats"));
    QCommandLineParser parser;
    // Qt's options take one dash ("-platform"); ours work with one or two.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({help, version, userData, scores, stats});
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
                "Usage: %1 [--user-data] [--scores | --stats]\n"
                "Попадайка, a reaction game. It keeps its table of best results in Scores.dat in "
                "the\n"
                "current directory.\n\n"
                "Options:\n"
                "  --user-data    keep Scores.dat in your own data folder instead, as the desktop\n"
                "                 menu entry does: %2\n"
                "  --scores       print the table of best results and exit: a line per place,\n"
                "                 \"place<TAB>name<TAB>score\" (place 11 is \"LoL.\"); control\n"
                "                 characters and \\ in a name are written as \\xNN\n"
                "  --stats        open only the statistics window: every round you played, with\n"
                "                 charts of your scores, accuracy, pace and reaction times (F2\n"
                "                 in the game window opens it too, while no round is under way)\n"
                "                 The history is kept in %3\n"
                "  -h, --help     show this help and exit\n"
                "  -v, --version  show the version and exit\n")
                .arg(program, QDir::toNativeSeparators(userFolder),
                     QDir::toNativeSeparators(History::standardPath())));
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(program, QStringLiteral(POPADAIKA_VERSION)));
        return 0;
    }
    // Only the game makes the data folder: the table is read where it would be, and a missing
    // folder stays missing.
    if (parser.isSet(scores) && !(parser.isSet(userData) && userFolder.isEmpty()))
        return printScores(parser.isSet(userData) ? DiskFiles(userFolder) : DiskFiles());
    if (parser.isSet(stats))
        return StartOptions{std::nullopt, true};
    if (!parser.isSet(userData))
        return StartOptions{};
    if (userFolder.isEmpty() || !QDir().mkpath(userFolder)) {
        print(stderr, QStringLiteral("%1: cannot create the data folder '%2' for Scores.dat.\n")
                          .arg(program, QDir::toNativeSeparators(userFolder)));
        return 1;
    }
    return StartOptions{userFolder};
}
