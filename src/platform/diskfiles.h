#pragma once

#include "platform/files.h"

#include <QDir>

// The files of one directory on disk; names are joined to it by QDir.
class DiskFiles : public Files
{
public:
    // The process's current directory, taken afresh at every call.
    DiskFiles() = default;
    // Always `directory` (made absolute now), wherever the current directory moves later.
    // `lockWaitMs`: how long lock() waits for another run to let go.
    explicit DiskFiles(const QString &directory, int lockWaitMs = DefaultLockWaitMs);

    static constexpr int DefaultLockWaitMs = 3000;

    // File: a regular file, or a link to one, that is not hidden. Other: a dangling link, a
    // directory, a FIFO, a device, a socket or a hidden file.
    QString folder() const override { return directory(); }
    Kind kind(const QString &name) const override;
    // Opens regular files only, so a FIFO or a device can never block the game.
    std::optional<QByteArray> read(const QString &name, qint64 maxBytes) const override;
    // Through QSaveFile: a link is followed and its target replaced.
    std::optional<QString> writeAtomically(const QString &name, const QByteArray &bytes) override;
    void removeFileOrLink(const QString &name) override;
    // A QLockFile named after the file (after a link's target) + ".lock", beside it.
    std::unique_ptr<Lock> lock(const QString &name) override;
    // Tries name + suffix, then name + suffix + "-2", "-3", ...
    std::optional<QString> renameAside(const QString &name, const QString &suffix) override;

private:
    QString directory() const;
    QString pathOf(const QString &name) const;

    QString m_directory; // empty: the current directory at every call
    int m_lockWaitMs = DefaultLockWaitMs;
    mutable QString m_lastDirectory; // the current directory when last seen
};
