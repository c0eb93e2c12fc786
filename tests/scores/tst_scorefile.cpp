#include "doubles/formfixture.h"
#include "platform/diskfiles.h"
#include "scores/scorecodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString ScoreFile = QStringLiteral("Scores.dat");
const QString Empty = QStringLiteral("<Пусто>");

QStringList entries()
{
    return QDir::current().entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                         | QDir::NoDotAndDotDot,
                                     QDir::Name);
}

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

// A score file whose row 0 is `name` with `score`, the other rows empty.
QByteArray scoreFileWith(const QString &name, const QString &score)
{
    ScoreCodec::Fields names;
    ScoreCodec::Fields scores;
    names.fill(Empty);
    scores.fill(QStringLiteral("0"));
    names[0] = name;
    scores[0] = score;
    return ScoreCodec::encode(ScoreCodec::plainTable(names, scores));
}

bool showsDefaultTable(const Form1 &form)
{
    for (int row = 0; row < Form1::Rows; ++row) {
        if (form.NameP[row]->text() != Empty || form.ScoresP[row]->text() != QLatin1String("0")
            || form.TopNames[row] != Empty || form.TopScores[row] != 0)
            return false;
    }
    return true;
}

} // namespace

class TestScoreFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstStartShowsDefaultTableAndLeavesOnlyScoreFile();
    void restartWithoutPlayingKeepsTableAndBytes();
    void nameWithCommaQuotesAndBlanksSurvivesRestart();
    void leftOverTransientEntriesAreRemovedAndChangeNothing_data();
    void leftOverTransientEntriesAreRemovedAndChangeNothing();
    void rulesTextHasTenLinesEachEndedByLineBreak();
    void levelNameAndScaleAreCentredOnOuterWidth();
    void damagedFileIsKeptAsideAndDefaultTableShown_data();
    void damagedFileIsKeptAsideAndDefaultTableShown();
    void secondDamagedFileNeverOverwritesFirst();
    void directoryNamedScoreFileIsNeverTouched();
    void unsavableTableKeepsOldBytesAndTellsPlayer_data();
    void unsavableTableKeepsOldBytesAndTellsPlayer();
    void firstStartInUnwritableDirectoryStillRuns();
    void closingTwiceSavesOnce();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDirectory;
    DiskFiles m_disk;
};

void TestScoreFile::init()
{
    m_previousDirectory = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestScoreFile::cleanup()
{
    QDir::setCurrent(m_previousDirectory);
    m_dir.reset();
}

void TestScoreFile::firstStartShowsDefaultTableAndLeavesOnlyScoreFile()
{
    FormFixture fixture(&m_disk);
    QVERIFY(showsDefaultTable(fixture.load()));
    QCOMPARE(entries(), QStringList{ScoreFile});
    fixture.close();
    QCOMPARE(entries(), QStringList{ScoreFile});
    QCOMPARE(fixture.dialogs.shown.size(), 0);
    const auto table = ScoreCodec::decode(contents(ScoreFile));
    QVERIFY(table.ok());
    QCOMPARE(table.value().names[10], Empty);
}

void TestScoreFile::restartWithoutPlayingKeepsTableAndBytes()
{
    put(ScoreFile, scoreFileWith(QStringLiteral("Вася (Н)"), QStringLiteral("-12")));
    QByteArray firstSave;
    for (int run = 0; run < 2; ++run) {
        FormFixture fixture(&m_disk);
        const Form1 &form = fixture.load();
        QCOMPARE(form.NameP[0]->text(), QStringLiteral("Вася (Н)"));
        QCOMPARE(form.ScoresP[0]->text(), QStringLiteral("-12"));
        QCOMPARE(form.TopScores[0], -12);
        fixture.close();
        if (run == 0)
            firstSave = contents(ScoreFile);
    }
    QCOMPARE(contents(ScoreFile), firstSave);
    QCOMPARE(entries(), QStringList{ScoreFile});
}

void TestScoreFile::nameWithCommaQuotesAndBlanksSurvivesRestart()
{
    const QString name = QStringLiteral("   Иван, \"Грозный\" '' (ОТ)  ");
    {
        FormFixture fixture(&m_disk);
        Form1 &form = fixture.load();
        form.NameP[3]->setText(name);
        form.ScoresP[3]->setText(QStringLiteral("2147483647"));
        fixture.close();
    }
    FormFixture fixture(&m_disk);
    const Form1 &form = fixture.load();
    QCOMPARE(form.NameP[3]->text(), name);
    QCOMPARE(form.TopNames[3], name);
    QCOMPARE(form.TopScores[3], 2147483647);
    QCOMPARE(form.NameP[2]->text(), Empty);
}

void TestScoreFile::leftOverTransientEntriesAreRemovedAndChangeNothing_data()
{
    QTest::addColumn<bool>("asLinks");
    QTest::newRow("files") << false;
    QTest::newRow("links to a file") << true;
}

void TestScoreFile::leftOverTransientEntriesAreRemovedAndChangeNothing()
{
    QFETCH(bool, asLinks);
    put(ScoreFile, scoreFileWith(QStringLiteral("Оля"), QStringLiteral("9")));
    const QByteArray stale = ScoreCodec::defaultPlainTable() + "junk\r\n";
    for (const QString &name : {QStringLiteral("Scores.temp"), QStringLiteral("Scores.temp2")}) {
        if (asLinks) {
            put(name + QStringLiteral(".target"), stale);
            QVERIFY(QFile::link(name + QStringLiteral(".target"), name));
        } else {
            put(name, stale);
        }
    }
    FormFixture fixture(&m_disk);
    const Form1 &form = fixture.load();
    QCOMPARE(form.NameP[0]->text(), QStringLiteral("Оля"));
    QCOMPARE(form.ScoresP[0]->text(), QStringLiteral("9"));
    fixture.close();

    QStringList expected{ScoreFile};
    if (asLinks) {
        expected << QStringLiteral("Scores.temp.target") << QStringLiteral("Scores.temp2.target");
        QCOMPARE(contents(QStringLiteral("Scores.temp.target")), stale);
        QCOMPARE(contents(QStringLiteral("Scores.temp2.target")), stale);
    }
    QCOMPARE(entries(), expected);
}

void TestScoreFile::rulesTextHasTenLinesEachEndedByLineBreak()
{
    FormFixture fixture(&m_disk);
    const QString rules = fixture.load().Label7->text();
    const QString br = QStringLiteral(" \r\n");
    QCOMPARE(rules.count(br), 10);
    QVERIFY(rules.startsWith(QStringLiteral("Правила жутко просты - кликай на мишенях и все.") + br
                             + QStringLiteral("ПРЕДУПРЕЖДЕНИЕ: Таблица ''10-ка лучших''")));
    QVERIFY(rules.contains(QStringLiteral("если у вас глючная система.") + br + br + br + br
                           + QStringLiteral("Да, есть еще три(но не правила)") + br
                           + QStringLiteral("1)Большая просьба")));
    QVERIFY(rules.contains(br + QStringLiteral("3)Письма присылать с пометкой ''Popadaika''") + br
                           + QString(57, u' ') + QStringLiteral("Wrenhold") + br));
    QVERIFY(rules.endsWith(QStringLiteral("Wrenhold") + br));
}

void TestScoreFile::levelNameAndScaleAreCentredOnOuterWidth()
{
    FormFixture fixture(&m_disk);
    const Form1 &form = fixture.load();
    for (const QWidget *control : {static_cast<const QWidget *>(form.Label19),
                                   static_cast<const QWidget *>(form.HScroll1)}) {
        const double wanted = (Form1::OuterWidthTwips - control->width() * 15.0) / 2;
        QVERIFY2(qAbs(control->x() * 15 - wanted) <= 15,
                 qPrintable(QStringLiteral("%1: x %2 px").arg(control->metaObject()->className())
                                .arg(control->x())));
    }
}

void TestScoreFile::damagedFileIsKeptAsideAndDefaultTableShown_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = scoreFileWith(QStringLiteral("Вася"), QStringLiteral("5"));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut in half") << good.left(good.size() / 2);
    QTest::newRow("one bit flipped") << QByteArray(good).replace(40, 1, QByteArray(1, good[40] ^ 4));
    QTest::newRow("plain text") << ScoreCodec::defaultPlainTable();
    QTest::newRow("score is no number")
        << scoreFileWith(QStringLiteral("Вася"), QStringLiteral("пять"));
}

void TestScoreFile::damagedFileIsKeptAsideAndDefaultTableShown()
{
    QFETCH(QByteArray, bytes);
    put(ScoreFile, bytes);
    FormFixture fixture(&m_disk);
    QVERIFY(showsDefaultTable(fixture.load()));
    QCOMPARE(fixture.dialogs.shown.size(), 1);
    QVERIFY(fixture.dialogs.shown[0].text.contains(QStringLiteral("«Scores.dat.damaged»")));
    QCOMPARE(fixture.dialogs.shown[0].title, QStringLiteral("Попадайка"));
    QCOMPARE(entries(), QStringList{QStringLiteral("Scores.dat.damaged")});
    QCOMPARE(contents(QStringLiteral("Scores.dat.damaged")), bytes);

    fixture.close();
    QCOMPARE(fixture.dialogs.shown.size(), 1);
    QCOMPARE(entries(), QStringList({ScoreFile, QStringLiteral("Scores.dat.damaged")}));
    QVERIFY(ScoreCodec::decode(contents(ScoreFile)).ok());
}

void TestScoreFile::secondDamagedFileNeverOverwritesFirst()
{
    for (const QByteArray &damaged : {QByteArray("first"), QByteArray("second")}) {
        put(ScoreFile, damaged);
        FormFixture fixture(&m_disk);
        fixture.load();
        fixture.close();
    }
    QCOMPARE(contents(QStringLiteral("Scores.dat.damaged")), QByteArray("first"));
    QCOMPARE(contents(QStringLiteral("Scores.dat.damaged-2")), QByteArray("second"));
}

void TestScoreFile::directoryNamedScoreFileIsNeverTouched()
{
    QVERIFY(QDir().mkpath(ScoreFile));
    put(ScoreFile + QStringLiteral("/inside"), "kept");
    FormFixture fixture(&m_disk);
    QVERIFY(showsDefaultTable(fixture.load()));
    QCOMPARE(fixture.dialogs.shown.size(), 1);
    fixture.close();
    QCOMPARE(fixture.dialogs.shown.size(), 2);
    QVERIFY(fixture.dialogs.shown[1].text.contains(ScoreFile));
    QCOMPARE(entries(), QStringList{ScoreFile});
    QCOMPARE(QDir(ScoreFile).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("inside")});
    QCOMPARE(contents(ScoreFile + QStringLiteral("/inside")), QByteArray("kept"));
}

void TestScoreFile::unsavableTableKeepsOldBytesAndTellsPlayer_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("messagesAtStart");
    QTest::newRow("write fails") << "write" << 0;
    QTest::newRow("file unreadable") << "read" << 1;
    QTest::newRow("damaged file cannot be put aside") << "rename" << 1;
}

void TestScoreFile::unsavableTableKeepsOldBytesAndTellsPlayer()
{
    QFETCH(QString, failure);
    QFETCH(int, messagesAtStart);
    FormFixture fixture;
    FakeFiles &files = fixture.memoryFiles;
    const QByteArray old = failure == QLatin1String("rename")
                               ? QByteArray("damaged")
                               : scoreFileWith(QStringLiteral("Вася"), QStringLiteral("5"));
    files.files.insert(ScoreFile, old);
    files.readFails = failure == QLatin1String("read");
    files.renameFails = failure == QLatin1String("rename");

    Form1 &form = fixture.load();
    QCOMPARE(fixture.dialogs.shown.size(), messagesAtStart);
    form.NameP[0]->setText(QStringLiteral("Новый"));
    if (failure == QLatin1String("write"))
        files.writeFailure = QStringLiteral("Диск переполнен.");
    fixture.close();

    QCOMPARE(fixture.dialogs.shown.size(), messagesAtStart + 1);
    if (failure == QLatin1String("write"))
        QVERIFY(fixture.dialogs.shown.back().text.contains(QStringLiteral("Диск переполнен.")));
    QCOMPARE(files.files.value(ScoreFile), old);
    QCOMPARE(files.writes, 0);
}

void TestScoreFile::firstStartInUnwritableDirectoryStillRuns()
{
    FormFixture fixture;
    fixture.memoryFiles.writeFailure = QStringLiteral("Нет доступа.");
    QVERIFY(showsDefaultTable(fixture.load()));
    QCOMPARE(fixture.dialogs.shown.size(), 1);
    QVERIFY(fixture.dialogs.shown[0].text.contains(QStringLiteral("Нет доступа.")));
    fixture.memoryFiles.writeFailure.clear();
    fixture.close();
    QCOMPARE(fixture.dialogs.shown.size(), 1);
    QVERIFY(ScoreCodec::decode(fixture.memoryFiles.files.value(ScoreFile)).ok());
}

void TestScoreFile::closingTwiceSavesOnce()
{
    FormFixture fixture;
    Form1 &form = fixture.load();
    const int writesAtStart = fixture.memoryFiles.writes;
    fixture.close();
    form.formClosing();
    QCOMPARE(fixture.memoryFiles.writes, writesAtStart + 1);
}

QTEST_MAIN(TestScoreFile)
#include "tst_scorefile.moc"
