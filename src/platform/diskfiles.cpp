#include "platform/diskfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why a file step failed, in the player's words. The error number comes first; where it says
// nothing useful, the folder itself is looked at.
QString failureReason(int err, const QString &folder, const QString &name)
{
    switch (err) {
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав на запись в эту папку");
    case EROFS:
        return QStringLiteral("файловая система доступна только для чтения");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("на диске нет свободного места");
    case EISDIR:
        return QStringLiteral("под этим именем лежит папка, а не файл");
    default:
        break;
    }
    const QFileInfo dir(folder);
    if (!dir.isDir())
        return QStringLiteral("этой папки больше нет");
    const QFileInfo target(QDir(folder).filePath(name));
    // QSaveFile refuses a directory itself, without an error number.
    if (target.isDir())
        return QStringLiteral("под этим именем лежит папка, а не файл");
    if ((target.exists() || target.isSymLink()) && !target.isFile())
        return QStringLiteral("под этим именем лежит не файл");
    if (err == ENOENT)
        return QStringLiteral("этой папки больше нет");
    return err != 0 ? QStringLiteral("ошибка ввода-вывода (код %1)").arg(err)
                    : QStringLiteral("неизвестная ошибка ввода-вывода");
}

// The file QSaveFile really replaces: it follows a chain of links to its end, and makes its
// temporary file there.
QString savedPath(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 1; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

// The message for a save that failed, naming the file or folder that refused: through a link,
// the target's, with the link it was reached by.
QString saveFailure(bool opening, int err, const QString &folder, const QString &name)
{
    const QString path = QDir(folder).filePath(name);
    const QFileInfo target(savedPath(path));
    const bool viaLink = target.filePath() != path;
    const QString where = viaLink ? QDir::toNativeSeparators(target.absolutePath()) : folder;
    const QString file = viaLink ? target.fileName() : name;
    // QSaveFile refuses an existing file it may not write before it tries the folder.
    const bool fileRefused = opening && err != EROFS && target.isFile() && !target.isWritable();
    const QString verb =
        opening && !fileRefused ? QStringLiteral("создать") : QStringLiteral("записать");
    const QString link =
        viaLink ? QStringLiteral(" (на него указывает ссылка «%1» в папке «%2»)").arg(name, folder)
                : QString();
    const QString reason = fileRefused ? QStringLiteral("нет прав на запись в этот файл")
                                       : failureReason(err, where, file);
    return QStringLiteral("Не удалось %1 файл «%2» в папке «%3»%4: %5.")
        .arg(verb, file, where, link, reason);
}

// A link counts as present even when what it points to is gone.
bool present(const QFileInfo &info)
{
    return info.exists() || info.isSymLink();
}

// Opens `path` for reading only if it is a regular file at the moment of opening. The check is
// made on the opened descriptor, so nothing swapped in between can slip through, and O_NONBLOCK
// keeps the open itself from waiting on a FIFO.
bool openRegularFile(QFile &file, const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

enum class RenameResult { Done, NameTaken, Failed };

// Renames the entry itself (a link stays a link) and never replaces anything.
RenameResult renameWithoutReplacing(const QString &from, const QString &to)
{
    // Atomic: no window in which another file could appear under the new name.
    if (::renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD,
                    QFile::encodeName(to).constData(), RENAME_NOREPLACE)
        == 0)
        return RenameResult::Done;
    if (errno == EEXIST)
        return RenameResult::NameTaken;
    if (errno != EINVAL && errno != ENOSYS) // otherwise the file system lacks the flag
        return RenameResult::Failed;
    // QFile's rename copies when it cannot rename, and that copy would follow a dangling link
    // at the new name: look first.
    if (present(QFileInfo(to)))
        return RenameResult::NameTaken;
    return QFile::rename(from, to) ? RenameResult::Done : RenameResult::Failed;
}

class LockOnDisk : public Files::Lock
{
public:
    LockOnDisk(const QString &path, int waitMs)
        : m_file(path)
    {
        // A save takes milliseconds: a lock this old belongs to a run that hangs or has gone.
        m_file.setStaleLockTime(30'000);
        if (m_file.tryLock(waitMs))
            m_state = State::Held;
        else
            m_state = m_file.error() == QLockFile::LockFailedError ? State::Busy : State::Failed;
    }
    State state() const override { return m_state; }

private:
    QLockFile m_file; // lets go when destroyed
    State m_state;
};

} // namespace

DiskFiles::DiskFiles(const QString &directory, int lockWaitMs)
    : m_directory(QDir(directory).absolutePath())
    , m_lockWaitMs(lockWaitMs)
{
}

QString DiskFiles::directory() const
{
    if (!m_directory.isEmpty())
        return QDir::toNativeSeparators(m_directory);
    // A folder deleted while the game runs has no current path any more; name the one it had,
    // and let every file step fail there instead of resolving against the root.
    const QString current = QDir::currentPath();
    if (!current.isEmpty())
        m_lastDirectory = QDir::toNativeSeparators(current);
    return m_lastDirectory;
}

QString DiskFiles::pathOf(const QString &name) const
{
    return QDir(directory()).filePath(name);
}

Files::Kind DiskFiles::kind(const QString &name) const
{
    const QFileInfo info(pathOf(name));
    if (!present(info))
        return Kind::Missing;
    if (info.exists() && info.isFile() && !info.isHidden())
        return Kind::File;
    return Kind::Other;
}

std::optional<QByteArray> DiskFiles::read(const QString &name, qint64 maxBytes) const
{
    QFile file;
    if (!openRegularFile(file, pathOf(name)))
        return std::nullopt;
    // In pieces, so an over-long file costs no more than the cap.
    constexpr qint64 Piece = 1 << 20;
    const qint64 limit =
        std::max<qint64>(maxBytes, 0) + (maxBytes < std::numeric_limits<qint64>::max() ? 1 : 0);
    QByteArray bytes;
    while (bytes.size() < limit) {
        const qint64 wanted = std::min(Piece, limit - bytes.size());
        const QByteArray piece = file.read(wanted);
        if (file.error() != QFileDevice::NoError)
            return std::nullopt;
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    return bytes;
}

std::optional<QString> DiskFiles::writeAtomically(const QString &name, const QByteArray &bytes)
{
    const QString folder = directory();
    QSaveFile file(pathOf(name));
    // Never in place (QSaveFile's default: no direct-write fallback): the old file stays whole.
    // Unbuffered, so that a write the disk refuses fails here and not in a later flush: a
    // buffered QSaveFile whose flush fails still commits, and an empty file replaces the table.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return saveFailure(true, errno, folder, name);
    errno = 0;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    const int writeErrno = errno;
    if (!written || !file.commit()) {
        const int err = written ? errno : writeErrno;
        file.cancelWriting();
        return saveFailure(false, err, folder, name);
    }
    return std::nullopt;
}

void DiskFiles::removeFileOrLink(const QString &name)
{
    const QString path = pathOf(name);
    const QFileInfo info(path);
    // isSymLink() first: a link to a directory is still only a link.
    if (info.isSymLink() || (info.exists() && !info.isDir()))
        QFile::remove(path);
}

std::optional<QString> DiskFiles::renameAside(const QString &name, const QString &suffix)
{
    const QString path = pathOf(name);
    if (!present(QFileInfo(path)))
        return std::nullopt;
    constexpr int Attempts = 1000;
    for (int n = 1; n <= Attempts; ++n) {
        const QString target =
            n == 1 ? name + suffix : QStringLiteral("%1%2-%3").arg(name, suffix).arg(n);
        switch (renameWithoutReplacing(path, pathOf(target))) {
        case RenameResult::Done:
            return target;
        case RenameResult::NameTaken:
            continue;
        case RenameResult::Failed:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::unique_ptr<Files::Lock> DiskFiles::lock(const QString &name)
{
    // Beside the file the save replaces, so that every way to reach one table shares one lock.
    return std::make_unique<LockOnDisk>(savedPath(pathOf(name)) + QStringLiteral(".lock"),
                                        m_lockWaitMs);
}
