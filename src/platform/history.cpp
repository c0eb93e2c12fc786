#include "platform/history.h"

#include "platform/diskfiles.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <limits>
#include <optional>

namespace {

// The schema this version of the game writes, kept in PRAGMA user_version.
constexpr int CurrentVersion = 1;

// The statements that take the schema from version `from` to `from` + 1; a later version of the
// game adds a case and raises CurrentVersion.
QStringList upgradeStep(int from)
{
    switch (from) {
    case 0:
        // The REAL columns may hold NULL: SQLite stores a NaN (a round without clicks) as NULL.
        return {QStringLiteral("CREATE TABLE rounds ("
                               "id INTEGER PRIMARY KEY, finished_utc TEXT NOT NULL,"
                               " nick TEXT NOT NULL, level INTEGER NOT NULL,"
                               " score INTEGER NOT NULL, hits INTEGER NOT NULL,"
                               " clicks INTEGER NOT NULL, seconds INTEGER NOT NULL,"
                               " accuracy REAL, clicks_per_minute REAL,"
                               " entered_table INTEGER NOT NULL)"),
                QStringLiteral("CREATE INDEX rounds_by_nick ON rounds (nick, id)"),
                // A round's hits, counted from 1. Without a rowid they lie together on disk.
                QStringLiteral("CREATE TABLE hits ("
                               "round_id INTEGER NOT NULL REFERENCES rounds (id),"
                               " ordinal INTEGER NOT NULL, reaction_ms INTEGER NOT NULL,"
                               " PRIMARY KEY (round_id, ordinal)) WITHOUT ROWID")};
    default:
        return {};
    }
}

// SQLite's primary result codes that matter here; Qt may hand over extended ones.
enum SqliteCode {
    Busy = 5,
    Locked = 6,
    ReadOnly = 8,
    IoError = 10,
    Corrupt = 11,
    Full = 13,
    CantOpen = 14,
    NotADatabase = 26,
};

int sqliteCode(const QSqlError &error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

bool isDamage(const QSqlError &error)
{
    const int code = sqliteCode(error);
    return code == Corrupt || code == NotADatabase;
}

QString reason(const QSqlError &error)
{
    switch (sqliteCode(error)) {
    case Busy:
    case Locked:
        return QStringLiteral("файл занят другой игрой");
    case ReadOnly:
        return QStringLiteral("нет прав на запись в этот файл");
    case IoError:
        return QStringLiteral("ошибка ввода-вывода");
    case Corrupt:
    case NotADatabase:
        return QStringLiteral("файл повреждён");
    case Full:
        return QStringLiteral("на диске нет свободного места");
    case CantOpen:
        return QStringLiteral("нет доступа к файлу или к его папке");
    default:
        return QStringLiteral("ошибка SQLite «%1»").arg(error.text());
    }
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A REAL column read back; NULL is the NaN that SQLite would not store.
double realOrNan(const QVariant &value)
{
    return value.isNull() ? std::numeric_limits<double>::quiet_NaN() : value.toDouble();
}

std::atomic<quint64> connectionCount{0};

} // namespace

struct History::Private {
    explicit Private(const QString &path);
    ~Private();

    // Opens the database at the first call that needs it: checks it, puts it aside when it is
    // damaged, and brings its schema up to date. A missing file is created only for writing.
    bool open(bool forWriting);
    bool openConnection(bool readOnly);
    // The schema's version after bringing it up to date; a newer one is left as it is.
    std::optional<int> upgrade(QSqlError &error);
    bool putAside();
    bool giveUp(const QString &text);
    void readFailed(const QSqlError &error);
    void setProblem(const QString &text);
    QString newerVersionText() const;

    enum class State { Closed, Open, Unusable };

    QString m_path;
    QString m_connectionName;
    QSqlDatabase m_db; // dropped before its connection is removed, as Qt requires
    State m_state = State::Closed;
    bool m_readOnly = false;
    QString m_problem;
    bool m_warned = false;
};

History::Private::Private(const QString &path)
    : m_path(QFileInfo(path).absoluteFilePath())
    , m_connectionName(QStringLiteral("popadaika-history-%1").arg(++connectionCount))
{
}

History::Private::~Private()
{
    m_db = QSqlDatabase(); // the last handle closes the connection, which then may go
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool History::Private::openConnection(bool readOnly)
{
    if (!m_db.isValid())
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.close();
    m_db.setDatabaseName(m_path);
    // Two games that finish a round at once take turns instead of failing.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    m_db.setConnectOptions(options);
    // The default rollback journal, not WAL: a round is one small write, so WAL's readers beside
    // a writer gain nothing here, and WAL would leave -wal and -shm files beside the history and
    // write its mode into the file, which a newer version's database must keep byte for byte.
    if (!m_db.open())
        return false;
    QSqlQuery(m_db).exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    return true;
}

bool History::Private::open(bool forWriting)
{
    if (m_state != State::Closed)
        return m_state == State::Open;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return giveUp(QStringLiteral("История игр не ведётся: нет драйвера SQLite для Qt "
                                     "(пакет libqt6sql6-sqlite)."));
    const QFileInfo file(m_path);
    if (!file.exists()) {
        if (!forWriting)
            return false;
        if (!QDir().mkpath(file.absolutePath()))
            return giveUp(QStringLiteral("История игр не ведётся: не удалось создать папку «%1».")
                              .arg(shown(file.absolutePath())));
    }
    if (!openConnection(false))
        return giveUp(QStringLiteral("Не удалось открыть историю игр «%1»: %2.")
                          .arg(shown(m_path), reason(m_db.lastError())));

    // "file is not a database" comes at the first read; quick_check finds a damaged page.
    QSqlError error;
    std::optional<int> version;
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next())
        error = query.lastError();
    else if (query.value(0).toString() != QStringLiteral("ok"))
        error = QSqlError({}, {}, QSqlError::StatementError, QString::number(Corrupt));
    // A statement left unfinished keeps its read lock, and SQLite refuses a reader's write at
    // once, without waiting, while another game writes.
    query.finish();
    if (!error.isValid())
        version = upgrade(error);
    if (!version && isDamage(error)) {
        m_db.close();
        return putAside() && open(forWriting);
    }
    if (!version)
        return giveUp(QStringLiteral("Не удалось открыть историю игр «%1»: %2.")
                          .arg(shown(m_path), reason(error)));
    if (*version > CurrentVersion) {
        // Opened anew read-only, so that nothing here can ever write to it.
        m_readOnly = true;
        setProblem(newerVersionText());
        if (!openConnection(true))
            return giveUp(QStringLiteral("Не удалось открыть историю игр «%1»: %2.")
                              .arg(shown(m_path), reason(m_db.lastError())));
    }
    m_state = State::Open;
    return true;
}

std::optional<int> History::Private::upgrade(QSqlError &error)
{
    QSqlQuery query(m_db);
    const auto readVersion = [&]() -> std::optional<int> {
        if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
            return std::nullopt;
        return query.value(0).toInt(); // the query's next statement, or its end, ends the reading
    };
    std::optional<int> version = readVersion();
    if (!version || *version >= CurrentVersion) {
        error = query.lastError();
        return version;
    }
    // Read again inside the write lock: another game may have upgraded it meanwhile.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")) || !(version = readVersion())) {
        error = query.lastError();
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        return std::nullopt;
    }
    // Each step with the version it brings: none when another game has brought it this far
    // meanwhile, or past it.
    bool done = true;
    for (int from = *version; done && from < CurrentVersion; ++from) {
        for (const QString &statement : upgradeStep(from))
            done = done && query.exec(statement);
        done = done && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(from + 1));
    }
    if (!done || !query.exec(QStringLiteral("COMMIT"))) {
        error = query.lastError();
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        return std::nullopt;
    }
    return std::max(*version, CurrentVersion);
}

bool History::Private::putAside()
{
    const QFileInfo file(m_path);
    DiskFiles folder(file.absolutePath());
    const std::optional<QString> aside = folder.renameAside(file.fileName(), ".damaged");
    if (!aside) {
        const QString why = QFileInfo(file.absolutePath()).isWritable()
                                ? QStringLiteral("не удалось переименовать файл")
                                : QStringLiteral("нет прав на запись в его папку");
        return giveUp(QStringLiteral("Файл истории игр «%1» повреждён, а отложить его не удалось "
                                     "(%2): история не ведётся, файл оставлен как есть.")
                          .arg(shown(m_path), why));
    }
    setProblem(QStringLiteral("Файл истории игр «%1» повреждён: он отложен как «%2», история "
                              "начата заново.")
                   .arg(shown(m_path), shown(QDir(file.absolutePath()).filePath(*aside))));
    return true;
}

bool History::Private::giveUp(const QString &text)
{
    if (m_db.isValid())
        m_db.close();
    m_state = State::Unusable;
    setProblem(text);
    return false;
}

void History::Private::readFailed(const QSqlError &error)
{
    // A newer version's tables may have changed: its problem says why already.
    if (!m_readOnly)
        setProblem(QStringLiteral("Не удалось прочитать историю игр «%1»: %2.")
                       .arg(shown(m_path), reason(error)));
}

void History::Private::setProblem(const QString &text)
{
    m_problem = text;
    if (!m_warned)
        qWarning().noquote() << text;
    m_warned = true;
}

QString History::Private::newerVersionText() const
{
    return QStringLiteral("История игр «%1» записана более новой версией игры: она только "
                          "показывается, новые раунды в неё не добавляются.")
        .arg(shown(m_path));
}

History::History(const QString &path)
    : d(std::make_unique<Private>(path))
{
}

History::~History() = default;

QString History::standardPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
           + QStringLiteral("/history.sqlite");
}

bool History::add(const RoundRecord &round)
{
    if (!d->open(true))
        return false;
    if (d->m_readOnly)
        return false; // a newer version's history, which open() has told
    QSqlQuery query(d->m_db);
    // Whatever fails, the transaction goes: an open one would keep the write lock and refuse
    // every later round of this game. (After a failed BEGIN there is none, and it is harmless.)
    const auto fail = [&] {
        const QSqlError error = query.lastError();
        QSqlQuery(d->m_db).exec(QStringLiteral("ROLLBACK"));
        d->setProblem(QStringLiteral("Не удалось записать раунд в историю игр «%1»: %2.")
                          .arg(shown(d->m_path), reason(error)));
        return false;
    };
    // IMMEDIATE: the write lock is taken (or waited for) now, never half-way through.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail();
    query.prepare(QStringLiteral(
        "INSERT INTO rounds (finished_utc, nick, level, score, hits, clicks, seconds, accuracy,"
        " clicks_per_minute, entered_table) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(round.finishedUtc.toUTC().toString(Qt::ISODateWithMs));
    query.addBindValue(round.nick);
    query.addBindValue(round.level);
    query.addBindValue(round.score);
    query.addBindValue(round.hits);
    query.addBindValue(round.clicks);
    query.addBindValue(round.seconds);
    query.addBindValue(round.accuracy);
    query.addBindValue(round.clicksPerMinute);
    query.addBindValue(round.enteredTable ? 1 : 0);
    bool written = query.exec();
    if (written) {
        const qint64 id = query.lastInsertId().toLongLong();
        query.prepare(
            QStringLiteral("INSERT INTO hits (round_id, ordinal, reaction_ms) VALUES (?, ?, ?)"));
        for (qsizetype i = 0; written && i < round.reactionMs.size(); ++i) {
            query.bindValue(0, id);
            query.bindValue(1, qint64(i + 1));
            query.bindValue(2, round.reactionMs[i]);
            written = query.exec();
        }
    }
    if (!written || !query.exec(QStringLiteral("COMMIT")))
        return fail();
    return true;
}

QStringList History::nicknames()
{
    if (!d->open(false))
        return {};
    QSqlQuery query(d->m_db);
    query.setForwardOnly(true);
    QStringList nicks;
    if (!query.exec(
            QStringLiteral("SELECT nick FROM rounds GROUP BY nick ORDER BY max(id) DESC"))) {
        d->readFailed(query.lastError());
        return {};
    }
    while (query.next())
        nicks.append(query.value(0).toString());
    return nicks;
}

QList<RoundRecord> History::rounds(const QString &nick, int withReactions)
{
    if (!d->open(false))
        return {};
    QSqlQuery query(d->m_db);
    query.setForwardOnly(true);
    const auto fail = [&]() -> QList<RoundRecord> {
        d->readFailed(query.lastError());
        return {};
    };
    query.prepare(
        QStringLiteral("SELECT id, finished_utc, level, score, hits, clicks, seconds, accuracy,"
                       " clicks_per_minute, entered_table FROM rounds WHERE nick = ? ORDER BY id"));
    query.addBindValue(nick);
    if (!query.exec())
        return fail();
    QList<RoundRecord> result;
    QList<qint64> ids;
    while (query.next()) {
        RoundRecord round;
        ids.append(query.value(0).toLongLong());
        round.finishedUtc = QDateTime::fromString(query.value(1).toString(), Qt::ISODateWithMs);
        round.nick = nick;
        round.level = query.value(2).toInt();
        round.score = query.value(3).toLongLong();
        round.hits = query.value(4).toLongLong();
        round.clicks = query.value(5).toLongLong();
        round.seconds = query.value(6).toLongLong();
        round.accuracy = realOrNan(query.value(7));
        round.clicksPerMinute = realOrNan(query.value(8));
        round.enteredTable = query.value(9).toLongLong() != 0;
        result.append(std::move(round));
    }
    if (query.lastError().isValid())
        return fail();
    const qsizetype first = std::max<qsizetype>(0, result.size() - std::max(withReactions, 0));
    if (first == result.size())
        return result;
    // Only rounds up to the last one read: a round another game adds meanwhile is not in the list.
    query.prepare(QStringLiteral("SELECT round_id, reaction_ms FROM hits WHERE round_id IN"
                                 " (SELECT id FROM rounds WHERE nick = ? AND id BETWEEN ? AND ?)"
                                 " ORDER BY round_id, ordinal"));
    query.addBindValue(nick);
    query.addBindValue(ids[first]);
    query.addBindValue(ids.last());
    if (!query.exec())
        return fail();
    qsizetype at = first;
    while (query.next()) {
        const qint64 id = query.value(0).toLongLong();
        while (at < ids.size() && ids[at] < id)
            ++at;
        if (at < ids.size() && ids[at] == id)
            result[at].reactionMs.append(query.value(1).toLongLong());
    }
    if (query.lastError().isValid())
        return fail();
    return result;
}

QString History::problem() const
{
    d->open(false);
    return d->m_problem;
}
