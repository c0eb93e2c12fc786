#include "fakefiles.h"

Files::Kind FakeFiles::kind(const QString &name) const
{
    if (others.contains(name))
        return Kind::Other;
    return files.contains(name) ? Kind::File : Kind::Missing;
}

std::optional<QByteArray> FakeFiles::read(const QString &name, qint64 maxBytes) const
{
    if (readFails || !files.contains(name))
        return std::nullopt;
    const QByteArray bytes = files.value(name);
    return maxBytes < bytes.size() ? bytes.left(maxBytes + 1) : bytes;
}

QString FakeFiles::writeAtomically(const QString &name, const QByteArray &bytes)
{
    if (!writeFailure.isEmpty()) {
        ++failedWrites;
        return writeFailure;
    }
    if (others.contains(name)) {
        ++failedWrites;
        return QStringLiteral("«%1» is not a file").arg(name);
    }
    files.insert(name, bytes);
    ++writes;
    return {};
}

void FakeFiles::removeFileOrLink(const QString &name)
{
    if (files.remove(name) > 0)
        removed.append(name);
}

std::optional<QString> FakeFiles::renameAside(const QString &name, const QString &suffix)
{
    if (renameFails || !files.contains(name))
        return std::nullopt;
    QString target = name + suffix;
    for (int n = 2; files.contains(target) || others.contains(target); ++n)
        target = name + suffix + QLatin1Char('-') + QString::number(n);
    files.insert(target, files.take(name));
    return target;
}
