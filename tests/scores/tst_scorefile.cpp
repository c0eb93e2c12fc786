#include "doubles/diskfixture.h"
#include "doubles/formfixture.h"
#include "game/texts.h"
#include "platform/diskfiles.h"
#include "scores/scorecodec.h"

#include <QLabel>
#include <QScrollBar>
#include <QtTest>

using namespace ScoreCodec;

static const QString ScoreFile = "Scores.dat", Aside = "Scores.dat.damaged", Empty = "<Пусто>";

static QStringList entries()
{
    return QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

static bool showsDefaultTable(const Form1 &f)
{
    for (int r = 0; r < Form1::Rows; ++r)
        if (f.NameP[r]->text() != Empty || f.ScoresP[r]->text() != "0" || f.TopNames[r] != Empty
            || f.TopScores[r] != 0)
            return false;
    return true;
}

class TestScoreFile : public QObject
{
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    DiskFiles m_disk;

private slots:
    void init() { QVERIFY(m_dir.emplace().isValid() && QDir::setCurrent(m_dir->path())); }
    void firstStartThenRestartKeepTheTableByteForByteAndLeftOversGo()
    {
        const QString name = QStringLiteral("   Иван, \"Грозный\" '' (ОТ)  ");
        {
            FormFixture fixture(&m_disk);
            Form1 &form = fixture.load();
            QVERIFY(showsDefaultTable(form));
            QCOMPARE(form.Label7->text(), Texts::rulesLines().join(" \r\n") + " \r\n");
            for (const QWidget *c :
                 std::initializer_list<const QWidget *>{form.Label19, form.HScroll1})
                QVERIFY(qAbs(c->x() * 15 - (Form1::OuterWidthTwips - c->width() * 15) / 2.0) <= 15);
            form.NameP[3]->setText(name);
            form.ScoresP[3]->setText(QStringLiteral("-12"));
            fixture.close();
            QVERIFY(fixture.dialogs.shown.isEmpty());
        }
        QCOMPARE(entries(), QStringList{ScoreFile});
        const QByteArray saved = contents(ScoreFile), stale = defaultPlainTable();
        QVERIFY(put("Scores.temp", stale) && put("target", stale)
                && QFile::link("target", "Scores.temp2"));
        FormFixture fixture(&m_disk);
        const Form1 &form = fixture.load();
        QCOMPARE(form.NameP[3]->text() + '|' + form.ScoresP[3]->text(), name + "|-12");
        fixture.close();
        QCOMPARE(contents(ScoreFile), saved);
        QCOMPARE(entries(), QStringList({ScoreFile, "target"}));
        QCOMPARE(contents("target"), stale);
    }
    void damagedFileIsKeptAsideAndNeverOverwritten_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut in half") << encode(defaultPlainTable()).chopped(1000);
        QTest::newRow("score is no number") << encode(defaultPlainTable().replace(" 0 ", "0x"));
    }
    void damagedFileIsKeptAsideAndNeverOverwritten()
    {
        QFETCH(QByteArray, bytes);
        for (const QString &aside : {Aside, Aside + "-2"}) {
            QVERIFY(put(ScoreFile, bytes));
            FormFixture fixture(&m_disk);
            QVERIFY(showsDefaultTable(fixture.load()));
            fixture.close();
            const QList<FakeDialogs::Shown> &shown = fixture.dialogs.shown;
            QVERIFY(shown.size() == 1 && shown[0].text.contains("«" + aside + "»"));
            QVERIFY(decode(contents(ScoreFile)).ok());
        }
        QCOMPARE(entries(), QStringList({ScoreFile, Aside, Aside + "-2"}));
        QCOMPARE(contents(Aside) + contents(Aside + "-2"), bytes + bytes);
    }
    void directoryNamedScoreFileIsNeverTouched()
    {
        QVERIFY(QDir().mkpath(ScoreFile) && put(ScoreFile + "/inside", "kept"));
        FormFixture fixture(&m_disk);
        QVERIFY(showsDefaultTable(fixture.load()) && fixture.dialogs.shown.size() == 1);
        fixture.close();
        QVERIFY(fixture.dialogs.shown.size() == 2
                && fixture.dialogs.shown[1].text.contains(ScoreFile));
        QCOMPARE(entries(), QStringList{ScoreFile});
        QCOMPARE(contents(ScoreFile + "/inside"), QByteArray("kept"));
    }
    void failedSaveKeepsOldBytesAndTellsPlayer()
    {
        // "rename": a damaged file that cannot be put aside.
        for (const QString failure : {"write", "read", "rename"}) {
            FormFixture fixture;
            FakeFiles &files = fixture.memoryFiles;
            const QByteArray old = failure == "rename" ? "damaged" : encode(defaultPlainTable());
            files.files.insert(ScoreFile, old);
            std::tie(files.readFails, files.renameFails) =
                std::pair(failure == "read", failure == "rename");
            fixture.load().NameP[0]->setText(QStringLiteral("Новый"));
            files.writeFailure =
                failure == "write" ? QStringLiteral("Диск переполнен.") : QString();
            fixture.close();
            QCOMPARE(fixture.dialogs.shown.size(), failure == "write" ? 1 : 2); // +1 at start
            QVERIFY(failure != "write"
                    || fixture.dialogs.shown.back().text.contains(files.writeFailure));
            QCOMPARE(files.files.value(ScoreFile), old);
        }
    }
};

QTEST_MAIN(TestScoreFile)
#include "tst_scorefile.moc"
