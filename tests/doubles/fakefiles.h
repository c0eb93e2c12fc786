#pragma once

#include "platform/files.h"

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

// An in-memory directory. Tests put bytes in `files`, mark names as directories or other
// non-files in `others`, and switch failures on to see how the game copes.
class FakeFiles : public Files
{
public:
    Kind kind(const QString &name) const override;
    std::optional<QByteArray> read(const QString &name, qint64 maxBytes) const override;
    QString writeAtomically(const QString &name, const QByteArray &bytes) override;
    void removeFileOrLink(const QString &name) override;
    std::optional<QString> renameAside(const QString &name, const QString &suffix) override;

    QMap<QString, QByteArray> files;
    QSet<QString> others;

    QString writeFailure;     // when not empty, every write fails with this message
    bool readFails = false;   // when set, every read fails as an unreadable file does
    bool renameFails = false; // when set, every rename fails

    int writes = 0;           // successful writes
    int failedWrites = 0;
    QStringList removed;      // names removeFileOrLink deleted, in order
};
