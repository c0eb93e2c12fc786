#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A fresh empty current directory for one test, and the old one back afterwards.
class TempDir
{
public:
    TempDir() { QVERIFY(m_dir.isValid() && QDir::setCurrent(m_dir.path())); }
    ~TempDir() { QDir::setCurrent(m_previous); }
    QString path() const { return m_dir.path(); }

    // Every entry of the directory, hidden ones included, sorted by name.
    static QStringList entries()
    {
        return QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                | QDir::NoDotAndDotDot);
    }
    static bool put(const QString &name, const QByteArray &bytes)
    {
        QFile file(name);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    static QByteArray contents(const QString &name)
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

private:
    QString m_previous = QDir::currentPath();
    QTemporaryDir m_dir;
};
