#include "doubles/diskfixture.h"
#include "platform/diskfiles.h"

#include <QtTest>

class TestDiskFiles : public QObject
{
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    DiskFiles m_files;

private slots:
    void init() { QVERIFY(m_dir.emplace().isValid() && QDir::setCurrent(m_dir->path())); }
    void kindAndRemovalTellFilesAndLinksFromDirectories()
    {
        QVERIFY(put("target", "target bytes") && put("file", "file bytes")
                && QDir().mkdir("directory"));
        QVERIFY(QFile::link("target", "link") && QFile::link("nowhere", "dangling"));
        using enum Files::Kind;
        const std::pair<QString, Files::Kind> kinds[]{
            {"file", File}, {"link", File}, {"dangling", Other}, {"directory", Other}};
        for (const auto &[name, kind] : kinds) {
            QVERIFY2(m_files.kind(name) == kind, qPrintable(name));
            m_files.removeFileOrLink(name);
        }
        QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 QStringList({"directory", "target"}));
        QCOMPARE(contents("target"), QByteArray("target bytes"));
    }
    void readStopsOneByteAfterTheCap()
    {
        QVERIFY(put("entry", "entry bytes") && !m_files.read("missing", 100));
        QCOMPARE(m_files.read("entry", 11), QByteArray("entry bytes"));
        QCOMPARE(m_files.read("entry", 4), QByteArray("entry"));
    }
    void renameAsideNeverOverwrites()
    {
        for (const QByteArray bytes : {"first", "second"})
            QVERIFY(put("Scores.dat", bytes) && m_files.renameAside("Scores.dat", ".damaged"));
        QCOMPARE(contents("Scores.dat.damaged") + contents("Scores.dat.damaged-2"),
                 QByteArray("firstsecond"));
    }
    void aFixedDirectoryStaysWhenTheCurrentOneMoves()
    {
        QVERIFY(QDir().mkdir("fixed") && QDir().mkdir("elsewhere"));
        DiskFiles fixed("fixed");
        QVERIFY(QDir::setCurrent("elsewhere") && put("Scores.dat", "current"));
        QVERIFY(fixed.writeAtomically("Scores.dat", "fixed").isEmpty() && fixed.kind("Scores.dat") == Files::Kind::File);
        QCOMPARE(fixed.read("Scores.dat", 100), QByteArray("fixed"));
        QCOMPARE(m_files.read("Scores.dat", 100), QByteArray("current"));
        QCOMPARE(fixed.renameAside("Scores.dat", ".damaged"), QString("Scores.dat.damaged"));
        QCOMPARE(QDir("../fixed").entryList(QDir::Files), QStringList("Scores.dat.damaged"));
        fixed.removeFileOrLink("Scores.dat.damaged");
        QVERIFY(QDir("../fixed").isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDiskFiles)
#include "tst_diskfiles.moc"
