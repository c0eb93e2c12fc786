#pragma once

#include "platform/files.h"

#include <QMap>

// An in-memory directory of plain files whose reads, writes and renames can be made to fail.
class FakeFiles : public Files
{
public:
    QString folder() const override { return QStringLiteral("/home/игрок"); }
    Kind kind(const QString &name) const override
    {
        return files.contains(name) ? Kind::File : Kind::Missing;
    }
    std::optional<QByteArray> read(const QString &name, qint64 maxBytes) const override;
    std::optional<QString> writeAtomically(const QString &name, const QByteArray &bytes) override;
    void removeFileOrLink(const QString &name) override { files.remove(name); }
    std::optional<QString> renameAside(const QString &name, const QString &suffix) override;

    QMap<QString, QByteArray> files;
    QString writeFailure; // when not empty, every write fails with this message
    bool readFails = false;
    bool renameFails = false;
};
