#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

// The files of the game's directory: the process's current one, taken afresh at every call,
// unless the implementation fixes another. Names are plain file names ("Scores.dat"); the
// implementation joins them to the directory.
class Files
{
public:
    enum class Kind {
        Missing, // nothing of that name
        File,    // a regular file (or a link to one) that is not hidden
        Other,   // a directory, a hidden file, a device, a dangling link, ...
    };

    // The table's lock, held until destroyed, so that two games on one table never save at once.
    class Lock
    {
    public:
        enum class State {
            Held,   // this run holds it
            Busy,   // another run kept it for the whole wait
            Failed, // it could not be made (the folder refuses new files, say)
        };
        virtual ~Lock() = default;
        virtual State state() const = 0;
    };

    virtual ~Files() = default;

    // The folder the names refer to, as the player should read it in a message.
    virtual QString folder() const = 0;

    virtual Kind kind(const QString &name) const = 0;

    // Reads at most maxBytes + 1 bytes, so a caller can tell an over-long file from one of
    // exactly maxBytes. nullopt when the file cannot be opened or read.
    virtual std::optional<QByteArray> read(const QString &name, qint64 maxBytes) const = 0;

    // Replaces the file atomically: afterwards it holds either its old content or all of
    // `bytes`. Returns nothing on success, or a message for the player on failure.
    virtual std::optional<QString> writeAtomically(const QString &name,
                                                   const QByteArray &bytes) = 0;

    // Deletes a file or link of that name (a link itself, never what it points to). A missing
    // name, and a directory, are left alone without error.
    virtual void removeFileOrLink(const QString &name) = 0;

    // Waits a few seconds at most for the lock that guards `name`; a lock left behind by a run
    // that ended without letting go is taken over.
    virtual std::unique_ptr<Lock> lock(const QString &name) = 0;

    // Renames the file to a name that does not exist yet and returns that name, or nullopt when
    // the rename fails. Never overwrites anything.
    virtual std::optional<QString> renameAside(const QString &name, const QString &suffix) = 0;
};
