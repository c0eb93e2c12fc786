#include "platform/diskfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

void put(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray contents(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Builds one kind of directory entry named "entry" in the current directory; "target" and
// "folder" are what links point to.
void makeEntry(const QString &what)
{
    put(QStringLiteral("target"), "target bytes");
    QVERIFY(QDir().mkdir(QStringLiteral("folder")));
    if (what == "file")
        put(QStringLiteral("entry"), "entry bytes");
    else if (what == "directory")
        QVERIFY(QDir().mkdir(QStringLiteral("entry")));
    else if (what == "link to file")
        QVERIFY(QFile::link(QStringLiteral("target"), QStringLiteral("entry")));
    else if (what == "link to directory")
        QVERIFY(QFile::link(QStringLiteral("folder"), QStringLiteral("entry")));
    else if (what == "dangling link")
        QVERIFY(QFile::link(QStringLiteral("nowhere"), QStringLiteral("entry")));
    else if (what == "fifo")
        QCOMPARE(::mkfifo("entry", 0600), 0);
    else
        QCOMPARE(what, QStringLiteral("nothing"));
}

} // namespace

class TestDiskFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void kindTellsRegularFilesFromEverythingElse_data();
    void kindTellsRegularFilesFromEverythingElse();
    void hiddenFileIsOther();
    void readOpensOnlyRegularFilesAndStopsAfterCap_data();
    void readOpensOnlyRegularFilesAndStopsAfterCap();
    void removeDeletesFileOrLinkButNeverTargetOrDirectory_data();
    void removeDeletesFileOrLinkButNeverTargetOrDirectory();
    void renameAsideNeverOverwrites();
    void renameAsideNeverWritesThroughDanglingLink();
    void writeReplacesWholeFileAndFollowsLink();
    void failedWriteReportsAndKeepsOldFile();
    void currentDirectoryIsTakenAtEachCall();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDirectory;
    DiskFiles m_files;
};

void TestDiskFiles::init()
{
    m_previousDirectory = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestDiskFiles::cleanup()
{
    QDir::setCurrent(m_previousDirectory);
    m_dir.reset();
}

void TestDiskFiles::kindTellsRegularFilesFromEverythingElse_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<Files::Kind>("kind");
    QTest::newRow("nothing") << "nothing" << Files::Kind::Missing;
    QTest::newRow("file") << "file" << Files::Kind::File;
    QTest::newRow("link to file") << "link to file" << Files::Kind::File;
    QTest::newRow("directory") << "directory" << Files::Kind::Other;
    QTest::newRow("link to directory") << "link to directory" << Files::Kind::Other;
    QTest::newRow("dangling link") << "dangling link" << Files::Kind::Other;
    QTest::newRow("fifo") << "fifo" << Files::Kind::Other;
}

void TestDiskFiles::kindTellsRegularFilesFromEverythingElse()
{
    QFETCH(QString, what);
    QFETCH(Files::Kind, kind);
    makeEntry(what);
    QCOMPARE(m_files.kind(QStringLiteral("entry")), kind);
}

void TestDiskFiles::hiddenFileIsOther()
{
    put(QStringLiteral(".entry"), "x");
    QCOMPARE(m_files.kind(QStringLiteral(".entry")), Files::Kind::Other);
}

void TestDiskFiles::readOpensOnlyRegularFilesAndStopsAfterCap_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<qint64>("cap");
    QTest::addColumn<QByteArray>("expected"); // "<none>": nothing read
    QTest::newRow("file under cap") << "file" << qint64(100) << QByteArray("entry bytes");
    QTest::newRow("file of exactly cap") << "file" << qint64(11) << QByteArray("entry bytes");
    QTest::newRow("file over cap gives cap plus one") << "file" << qint64(4) << QByteArray("entry");
    QTest::newRow("link to file") << "link to file" << qint64(100) << QByteArray("target bytes");
    QTest::newRow("fifo never blocks") << "fifo" << qint64(100) << QByteArray("<none>");
    QTest::newRow("directory") << "directory" << qint64(100) << QByteArray("<none>");
    QTest::newRow("missing") << "nothing" << qint64(100) << QByteArray("<none>");
}

void TestDiskFiles::readOpensOnlyRegularFilesAndStopsAfterCap()
{
    QFETCH(QString, what);
    QFETCH(qint64, cap);
    QFETCH(QByteArray, expected);
    makeEntry(what);
    const auto bytes = m_files.read(QStringLiteral("entry"), cap);
    QCOMPARE(bytes.value_or("<none>"), expected);
}

void TestDiskFiles::removeDeletesFileOrLinkButNeverTargetOrDirectory_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<bool>("removed");
    QTest::newRow("file") << "file" << true;
    QTest::newRow("link to file") << "link to file" << true;
    QTest::newRow("link to directory") << "link to directory" << true;
    QTest::newRow("dangling link") << "dangling link" << true;
    QTest::newRow("directory") << "directory" << false;
    QTest::newRow("nothing") << "nothing" << true;
}

void TestDiskFiles::removeDeletesFileOrLinkButNeverTargetOrDirectory()
{
    QFETCH(QString, what);
    QFETCH(bool, removed);
    makeEntry(what);
    m_files.removeFileOrLink(QStringLiteral("entry"));
    const QFileInfo entry(QStringLiteral("entry"));
    QCOMPARE(!entry.exists() && !entry.isSymLink(), removed);
    QCOMPARE(contents(QStringLiteral("target")), QByteArray("target bytes"));
    QVERIFY(QFileInfo(QStringLiteral("folder")).isDir());
}

void TestDiskFiles::renameAsideNeverOverwrites()
{
    put(QStringLiteral("Scores.dat"), "third");
    put(QStringLiteral("Scores.dat.damaged"), "first");
    put(QStringLiteral("Scores.dat.damaged-2"), "second");
    const auto name = m_files.renameAside(QStringLiteral("Scores.dat"), QStringLiteral(".damaged"));
    QCOMPARE(name.value_or(QString()), QStringLiteral("Scores.dat.damaged-3"));
    QCOMPARE(contents(QStringLiteral("Scores.dat.damaged")), QByteArray("first"));
    QCOMPARE(contents(QStringLiteral("Scores.dat.damaged-2")), QByteArray("second"));
    QCOMPARE(contents(QStringLiteral("Scores.dat.damaged-3")), QByteArray("third"));
    QVERIFY(!QFileInfo::exists(QStringLiteral("Scores.dat")));
    QVERIFY(!m_files.renameAside(QStringLiteral("Scores.dat"), QStringLiteral(".damaged")));
}

void TestDiskFiles::renameAsideNeverWritesThroughDanglingLink()
{
    put(QStringLiteral("Scores.dat"), "bytes");
    QVERIFY(QFile::link(QStringLiteral("nowhere"), QStringLiteral("Scores.dat.damaged")));
    const auto name = m_files.renameAside(QStringLiteral("Scores.dat"), QStringLiteral(".damaged"));
    QCOMPARE(name.value_or(QString()), QStringLiteral("Scores.dat.damaged-2"));
    QVERIFY(!QFileInfo::exists(QStringLiteral("nowhere")));
    QCOMPARE(contents(QStringLiteral("Scores.dat.damaged-2")), QByteArray("bytes"));
}

void TestDiskFiles::writeReplacesWholeFileAndFollowsLink()
{
    put(QStringLiteral("target"), "a much longer old content");
    QVERIFY(QFile::link(QStringLiteral("target"), QStringLiteral("entry")));
    QCOMPARE(m_files.writeAtomically(QStringLiteral("entry"), "new"), QString());
    QVERIFY(QFileInfo(QStringLiteral("entry")).isSymLink());
    QCOMPARE(contents(QStringLiteral("target")), QByteArray("new"));
    QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList({QStringLiteral("entry"), QStringLiteral("target")}));
}

void TestDiskFiles::failedWriteReportsAndKeepsOldFile()
{
    // A directory in the way, and a current directory that has vanished: both fail for root
    // too, unlike missing permissions.
    QVERIFY(QDir().mkdir(QStringLiteral("entry")));
    QVERIFY(!m_files.writeAtomically(QStringLiteral("entry"), "new").isEmpty());
    QVERIFY(QFileInfo(QStringLiteral("entry")).isDir());

    QTemporaryDir gone;
    QVERIFY(QDir::setCurrent(gone.path()));
    QVERIFY(gone.remove());
    QVERIFY(!m_files.writeAtomically(QStringLiteral("Scores.dat"), "new").isEmpty());
}

void TestDiskFiles::currentDirectoryIsTakenAtEachCall()
{
    QTemporaryDir other;
    QVERIFY(QDir::setCurrent(other.path()));
    QCOMPARE(m_files.writeAtomically(QStringLiteral("Scores.dat"), "here"), QString());
    QCOMPARE(contents(other.filePath(QStringLiteral("Scores.dat"))), QByteArray("here"));
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("Scores.dat"))));
}

QTEST_GUILESS_MAIN(TestDiskFiles)
#include "tst_diskfiles.moc"
