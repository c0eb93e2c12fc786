#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A fresh empty directory for one test, removed with all it holds afterwards.
class TempDir : public QTemporaryDir
{
public:
    // Every entry, hidden ones included, sorted by name.
    QStringList entries() const
    {
        return QDir(path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                      | QDir::NoDotAndDotDot);
    }
    bool put(const QString &name, const QByteArray &bytes) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    QByteArray contents(const QString &name) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
};
