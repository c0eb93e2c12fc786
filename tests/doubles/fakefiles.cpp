#include "fakefiles.h"

std::optional<QByteArray> FakeFiles::read(const QString &name, qint64 maxBytes) const
{
    if (readFails || !files.contains(name))
        return std::nullopt;
    return files.value(name).left(maxBytes + 1);
}

std::optional<QString> FakeFiles::writeAtomically(const QString &name, const QByteArray &bytes)
{
    if (!writeFailure.isEmpty())
        return writeFailure;
    files.insert(name, bytes);
    return std::nullopt;
}

std::optional<QString> FakeFiles::renameAside(const QString &name, const QString &suffix)
{
    if (renameFails || !files.contains(name))
        return std::nullopt;
    QString target = name + suffix;
    for (int n = 2; files.contains(target); ++n)
        target = name + suffix + QLatin1Char('-') + QString::number(n);
    files.insert(target, files.take(name));
    return target;
}
