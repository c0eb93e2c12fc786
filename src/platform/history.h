#pragma once

#include "core/roundrecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// Every round that reached "Game Over", kept in an SQLite database through Qt SQL. Nothing here
// ever touches the round or the table of best results: a history that cannot be read or written
// says so (problem()) and goes on without it.
class History
{
public:
    // The database in `path`. Nothing is opened here but at the first call that needs it
    // (problem() too); the file and its folder are made only by add(). A file found damaged is
    // renamed to `path`.damaged (-2, -3... when taken) and a new one begun; one written by a
    // newer version of the game is read if it can be, never written. Qt SQL's rule: one History
    // is used in the thread that made it.
    explicit History(const QString &path);
    ~History();
    History(const History &) = delete;
    History &operator=(const History &) = delete;

    // $XDG_DATA_HOME/popadaika/history.sqlite (the per-user data folder).
    static QString standardPath();

    // Adds the round and one row per hit in one transaction. False when it could not be
    // written (a newer version's database, a disk error...); problem() then says why.
    bool add(const RoundRecord &round);
    // The nicknames in the history, the one played last first.
    QStringList nicknames();
    // The rounds of `nick`, oldest first; reaction times only for the last `withReactions`.
    QList<RoundRecord> rounds(const QString &nick, int withReactions = 20);

    // What went wrong with the history last, in Russian, for the player; empty when nothing did.
    // The first problem is also written to standard error, once.
    QString problem() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
