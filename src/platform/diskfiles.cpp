#include "platform/diskfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <limits>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A link counts as present even when what it points to is gone.
bool present(const QFileInfo &info)
{
    return info.exists() || info.isSymLink();
}

// Opens `path` for reading only if it is a regular file at the moment of opening. On Unix the
// check is made on the opened descriptor, so nothing swapped in between can slip through, and
// O_NONBLOCK keeps the open itself from waiting on a FIFO.
bool openRegularFile(QFile &file, const QString &path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    file.setFileName(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
#endif
}

enum class RenameResult { Done, NameTaken, Failed };

// Renames the entry itself (a link stays a link) and never replaces anything.
RenameResult renameWithoutReplacing(const QString &from, const QString &to)
{
#if defined(Q_OS_LINUX) && defined(RENAME_NOREPLACE)
    // Atomic: no window in which another file could appear under the new name.
    if (::renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD,
                    QFile::encodeName(to).constData(), RENAME_NOREPLACE) == 0)
        return RenameResult::Done;
    if (errno == EEXIST)
        return RenameResult::NameTaken;
    if (errno != EINVAL && errno != ENOSYS) // otherwise the file system lacks the flag
        return RenameResult::Failed;
#endif
    // QFile's rename copies when it cannot rename, and that copy would follow a dangling link
    // at the new name: look first.
    if (present(QFileInfo(to)))
        return RenameResult::NameTaken;
    return QFile::rename(from, to) ? RenameResult::Done : RenameResult::Failed;
}

} // namespace

DiskFiles::DiskFiles(const QString &directory)
    : m_directory(QDir(directory).absolutePath())
{
}

QDir DiskFiles::directory() const
{
    return m_directory.isEmpty() ? QDir::current() : QDir(m_directory);
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
    const qint64 limit = std::max<qint64>(maxBytes, 0)
                         + (maxBytes < std::numeric_limits<qint64>::max() ? 1 : 0);
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

QString DiskFiles::writeAtomically(const QString &name, const QByteArray &bytes)
{
    QSaveFile file(pathOf(name));
    file.setDirectWriteFallback(false); // never write in place: the old file must stay whole
    if (!file.open(QIODevice::WriteOnly)) {
        return QStringLiteral("Не удалось создать файл «%1» в папке «%2» (%3).")
            .arg(name, QDir::toNativeSeparators(directory().path()), file.errorString());
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return QStringLiteral("Не удалось записать файл «%1» в папке «%2» (%3).")
            .arg(name, QDir::toNativeSeparators(directory().path()), reason);
    }
    return {};
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
        const QString target = n == 1 ? name + suffix
                                      : QStringLiteral("%1%2-%3").arg(name, suffix).arg(n);
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
