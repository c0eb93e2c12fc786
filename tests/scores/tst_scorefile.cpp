#include "app/texts.h"
#include "doubles/formfixture.h"
#include "doubles/diskfixture.h"
#include "platform/diskfiles.h"
#include "scores/scorecodec.h"

#include <QLabel>
#include <QScrollBar>
#include <QtTest>

static const QString ScoreFile = QStringLiteral("Scores.dat");
static const QString Aside = QStringLiteral("Scores.dat.damaged");
static const QString Empty = QStringLiteral("<Пусто>");

static QStringList entries()
{
    return QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

static bool showsDefaultTable(const Form1 &form)
{
    bool shown = true;
    for (int row = 0; row < Form1::Rows; ++row)
        shown = shown && form.NameP[row]->text() == Empty && form.ScoresP[row]->text() == "0"
                && form.TopNames[row] == Empty && form.TopScores[row] == 0;
    return shown;
}

class TestScoreFile : public QObject
{
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    DiskFiles m_disk;

private slots:
    void init() { QVERIFY(m_dir.emplace().isValid() && QDir::setCurrent(m_dir->path())); }
    void firstStartShowsDefaultsAndLeavesOnlyScoreFile()
    {
        FormFixture fixture(&m_disk);
        const Form1 &form = fixture.load();
        QVERIFY(showsDefaultTable(form));
        QCOMPARE(form.Label7->text(), Texts::rulesLines().join(" \r\n") + " \r\n");
        for (const QWidget *control : std::initializer_list<const QWidget *>{form.Label19, form.HScroll1})
            QVERIFY(qAbs(control->x() * 15 - (Form1::OuterWidthTwips - control->width() * 15) / 2.0) <= 15);
        fixture.close();
        QCOMPARE(entries(), QStringList{ScoreFile});
        QCOMPARE(fixture.dialogs.shown.size(), 0);
    }
    void tableSurvivesRestartsByteForByteAndLeftOversGo_data()
    {
        QTest::addColumn<bool>("asLinks");
        QTest::newRow("left-over files") << false;
        QTest::newRow("left-over links to files") << true;
    }
    void tableSurvivesRestartsByteForByteAndLeftOversGo()
    {
        QFETCH(bool, asLinks);
        const QString name = QStringLiteral("   Иван, \"Грозный\" '' (ОТ)  ");
        {
            FormFixture fixture(&m_disk);
            Form1 &form = fixture.load();
            form.NameP[3]->setText(name);
            form.ScoresP[3]->setText(QStringLiteral("-12"));
            fixture.close();
        }
        const QByteArray saved = contents(ScoreFile), stale = ScoreCodec::defaultPlainTable();
        QStringList expected{ScoreFile};
        for (const QString temp : {"Scores.temp", "Scores.temp2"}) {
            const QString real = asLinks ? temp + ".target" : temp;
            QVERIFY(put(real, stale) && (!asLinks || QFile::link(real, temp)));
            expected << QStringList(asLinks ? 1 : 0, real);
        }
        for (int run = 0; run < 2; ++run) {
            FormFixture fixture(&m_disk);
            const Form1 &form = fixture.load();
            QCOMPARE(form.NameP[3]->text(), name);
            QCOMPARE(form.ScoresP[3]->text(), QStringLiteral("-12"));
            fixture.close();
            QCOMPARE(contents(ScoreFile), saved);
            QCOMPARE(entries(), expected);
        }
        if (asLinks)
            QCOMPARE(contents("Scores.temp.target") + contents("Scores.temp2.target"), stale + stale);
    }
    void damagedFileIsKeptAsideAndNeverOverwritten_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = ScoreCodec::encode(ScoreCodec::defaultPlainTable());
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut in half") << good.left(good.size() / 2);
        QTest::newRow("one bit flipped") << QByteArray(good).replace(40, 1, QByteArray(1, good[40] ^ 4));
        QTest::newRow("plain text") << ScoreCodec::defaultPlainTable();
        QTest::newRow("score is no number") << ScoreCodec::encode(ScoreCodec::defaultPlainTable().replace(" 0 ", "0x"));
    }
    void damagedFileIsKeptAsideAndNeverOverwritten()
    {
        QFETCH(QByteArray, bytes);
        for (const QString &aside : {Aside, Aside + "-2"}) {
            QVERIFY(put(ScoreFile, bytes));
            FormFixture fixture(&m_disk);
            QVERIFY(showsDefaultTable(fixture.load()));
            fixture.close();
            QCOMPARE(fixture.dialogs.shown.size(), 1);
            QVERIFY(fixture.dialogs.shown[0].text.contains("«" + aside + "»"));
            QVERIFY(ScoreCodec::decode(contents(ScoreFile)).ok());
        }
        QCOMPARE(entries(), QStringList({ScoreFile, Aside, Aside + "-2"}));
        QCOMPARE(contents(Aside) + contents(Aside + "-2"), bytes + bytes);
    }
    void directoryNamedScoreFileIsNeverTouched()
    {
        QVERIFY(QDir().mkpath(ScoreFile) && put(ScoreFile + "/inside", "kept"));
        FormFixture fixture(&m_disk);
        QVERIFY(showsDefaultTable(fixture.load()));
        QCOMPARE(fixture.dialogs.shown.size(), 1);
        fixture.close();
        QCOMPARE(fixture.dialogs.shown.size(), 2);
        QVERIFY(fixture.dialogs.shown[1].text.contains(ScoreFile));
        QCOMPARE(entries(), QStringList{ScoreFile});
        QCOMPARE(contents(ScoreFile + "/inside"), QByteArray("kept"));
    }
    void failedSaveKeepsOldBytesAndTellsPlayer_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("write fails") << "write";
        QTest::newRow("file unreadable") << "read";
        QTest::newRow("damaged file cannot be put aside") << "rename";
    }
    void failedSaveKeepsOldBytesAndTellsPlayer()
    {
        QFETCH(QString, failure);
        FormFixture fixture;
        FakeFiles &files = fixture.memoryFiles;
        const QByteArray old =
            failure == "rename" ? "damaged" : ScoreCodec::encode(ScoreCodec::defaultPlainTable());
        files.files.insert(ScoreFile, old);
        std::tie(files.readFails, files.renameFails) = std::pair(failure == "read", failure == "rename");
        fixture.load().NameP[0]->setText(QStringLiteral("Новый"));
        files.writeFailure = failure == "write" ? QStringLiteral("Диск переполнен.") : QString();
        fixture.close();
        QCOMPARE(fixture.dialogs.shown.size(), failure == "write" ? 1 : 2); // +1 at start
        QVERIFY(failure != "write" || fixture.dialogs.shown.back().text.contains(files.writeFailure));
        QCOMPARE(files.files.value(ScoreFile), old);
    }
};

QTEST_MAIN(TestScoreFile)
#include "tst_scorefile.moc"
