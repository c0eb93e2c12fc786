// Hits on the targets, their appearance on the ticks, the pace the ticks set and the level scale,
// played on a real window with scripted draws.

#include "doubles/formfixture.h"
#include "platform/gametimer.h"
#include "platform/mixingrandom.h"
#include "platform/targetpicture.h"
#include "platform/twips.h"
#include "targets/placement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <cmath>

namespace {

const float JustBelowOne = std::nextafter(1.0f, 0.0f);

bool shown(const QWidget *w)
{
    return !w->isHidden();
}

QRect geometryOf(const TargetPicture *target)
{
    return {target->Left(), target->Top(), target->Width(), target->Height()};
}

// A running round at `level`, as the player starts it.
Form1 &startRound(FormFixture &fx, int level = 3)
{
    Form1 &f = fx.load();
    f.HScroll1->setValue(level);
    f.Nick = QStringLiteral("Вася");
    f.command2Click();
    return f;
}

void showAllBut(Form1 &f, int missing)
{
    for (int i = 0; i < Form1::Targets; ++i)
        if (i != missing)
            f.Image[i]->show();
}

// Image4 for a tick's draw: n = trunc(10 * 0.45) = 4.
constexpr float DrawImage4 = 0.45f;

} // namespace

class TestTargets : public QObject
{
    Q_OBJECT

private slots:
    void hitPlacesTargetAndCountsOnlyWhileRoundRuns_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("target");
        QTest::addColumn<float>("r1");
        QTest::addColumn<float>("r2");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("Image1 r1=0 r2=0: farthest, largest, very hard")
            << "running" << 5 << 0 << 0.0f << 0.0f << QRect(360, 1200, 550, 550);
        QTest::newRow("Image1 draws just below 1: nearest, smallest")
            << "running" << 3 << 0 << JustBelowOne << JustBelowOne << QRect(1319, 2159, 201, 201);
        QTest::newRow("Image1 position is the first draw")
            << "running" << 3 << 0 << 0.0f << JustBelowOne << QRect(360, 1200, 201, 201);
        QTest::newRow("Image6 reaches Left 0, very easy")
            << "running" << 1 << 5 << 0.0f << 0.5f << QRect(0, 2760, 375, 375);
        QTest::newRow("help on during a round: moved, not counted")
            << "help" << 3 << 5 << 0.0f << 0.0f << QRect(0, 2760, 550, 550);
        QTest::newRow("before the start: moved, not counted")
            << "idle" << 3 << 0 << 0.0f << 0.0f << QRect(360, 1200, 550, 550);
    }
    void hitPlacesTargetAndCountsOnlyWhileRoundRuns()
    {
        QFETCH(QString, mode);
        QFETCH(int, level);
        QFETCH(int, target);
        QFETCH(float, r1);
        QFETCH(float, r2);
        QFETCH(QRect, placed);
        FormFixture fx;
        Form1 &f = fx.load();
        f.HScroll1->setValue(level);
        f.Nick = QStringLiteral("Вася");
        if (mode != "idle")
            f.command2Click();
        if (mode == "help")
            f.command4Click();
        f.Text1->setText(QStringLiteral("7"));
        f.Text2->setText(QStringLiteral("9"));
        f.Image[target]->show();
        QVERIFY(f.Image[target]->isEnabled());
        fx.random.draws = {r1, r2, 0.99f};
        f.targetClick(target);
        QCOMPARE(fx.random.drawCount, 2);
        QVERIFY(fx.random.reseeds.isEmpty());
        QVERIFY(!shown(f.Image[target]));
        QCOMPARE(geometryOf(f.Image[target]), placed);
        QCOMPARE(f.Image[target]->geometry(), Twips::toPixels(placed));
        const bool counted = mode == "running";
        QCOMPARE(f.Text1->text(), QString(counted ? "8" : "7"));
        QCOMPARE(f.Text2->text(), QString(counted ? "10" : "9"));
    }

    void hitTargetReappearsAtItsNewPlaceAlsoAfterRestart()
    {
        FormFixture fx;
        Form1 &f = startRound(fx);
        const QRect placed(5160, 1320, 550, 550);
        f.Image[3]->show();
        fx.random.draws = {0.0f, 0.0f, DrawImage4};
        f.targetClick(3);
        f.appearanceTick();
        QVERIFY(shown(f.Image[3]));
        QCOMPARE(geometryOf(f.Image[3]), placed);

        showAllBut(f, 9);
        fx.random.draws = {0.0f};
        f.appearanceTick();
        QCOMPARE(f.Command2->text(), QStringLiteral("Заново"));
        f.command2Click();
        QVERIFY(!shown(f.Image[3]));
        fx.random.draws = {DrawImage4};
        f.appearanceTick();
        QVERIFY(shown(f.Image[3]));
        QCOMPARE(geometryOf(f.Image[3]), placed);
    }

    void tickSetsAppearanceIntervals_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("hits");
        QTest::addColumn<int>("timer3");
        QTest::addColumn<int>("timer4");
        QTest::newRow("level 5, 6 hits") << 5 << "6" << 990 << 944;
        QTest::newRow("level 1 at its limit") << 1 << "500" << 50 << 50;
        QTest::newRow("level 5 above its limit keeps the last") << 5 << "101" << 60 << 60;
        QTest::newRow("level 3, 175 hits: first is 0") << 3 << "175" << 0 << 3;
        QTest::newRow("level 4, 140 hits: negatives become 1 ms") << 4 << "140" << 1 << 1;
    }
    void tickSetsAppearanceIntervals()
    {
        QFETCH(int, level);
        QFETCH(QString, hits);
        QFETCH(int, timer3);
        QFETCH(int, timer4);
        FormFixture fx;
        Form1 &f = startRound(fx, level);
        f.Text1->setText(hits);
        f.Timer3->setInterval(60); // as the last tick within the limit left them
        f.Timer4->setInterval(60);
        fx.random.draws = {DrawImage4};
        f.appearanceTick();
        QCOMPARE(f.Timer3->interval(), timer3);
        QCOMPARE(f.Timer4->interval(), timer4);
        QVERIFY(shown(f.Image[3])); // the tick still shows its target
    }

    void tickReseedsShowsDrawnTargetAndEndsOnTheTenth_data()
    {
        QTest::addColumn<float>("draw");
        QTest::addColumn<bool>("nineShown"); // all but Image10
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("ends");
        QTest::newRow("0.0 shows Image10") << 0.0f << false << 9 << false;
        QTest::newRow("0.15 shows Image1") << 0.15f << false << 0 << false;
        QTest::newRow("just below 1 shows Image9") << JustBelowOne << false << 8 << false;
        QTest::newRow("nine up, the missing Image10 drawn: ends") << 0.0f << true << 9 << true;
        QTest::newRow("nine up, the shown Image1 drawn: goes on") << 0.15f << true << 0 << false;
    }
    void tickReseedsShowsDrawnTargetAndEndsOnTheTenth()
    {
        QFETCH(float, draw);
        QFETCH(bool, nineShown);
        QFETCH(int, target);
        QFETCH(bool, ends);
        FormFixture fx;
        Form1 &f = startRound(fx);
        fx.clock.current = QDateTime(QDate(2024, 2, 29), QTime(13, 14, 15, 900));
        if (nineShown)
            showAllBut(f, 9);
        const QRect before = geometryOf(f.Image[target]);
        fx.random.draws = {draw};
        f.appearanceTick();
        QCOMPARE(fx.random.reseeds, QList<double>{Placement::seedValue(fx.clock.current)});
        QCOMPARE(fx.random.drawCount, 1);
        QCOMPARE(geometryOf(f.Image[target]), before);
        for (int i = 0; i < Form1::Targets; ++i)
            QCOMPARE(shown(f.Image[i]), !ends && (i == target || (nineShown && i != 9)));
        QCOMPARE(fx.dialogs.shown.size(), ends ? 1 : 0);
        if (ends)
            QCOMPARE(fx.dialogs.shown.first().title, QStringLiteral("Game Over"));
        for (GameTimer *timer : {f.Timer1, f.Timer2, f.Timer3, f.Timer4})
            QCOMPARE(timer->isEnabled(), !ends);
    }

    void nextRoundFirstTickRestoresBaseIntervals()
    {
        FormFixture fx;
        Form1 &f = startRound(fx, 5);
        f.Text1->setText(QStringLiteral("100"));
        showAllBut(f, 9);
        fx.random.draws = {0.0f};
        f.appearanceTick(); // sets 50 / 50 and ends the round
        QCOMPARE(f.Command2->text(), QStringLiteral("Заново"));
        f.command2Click();
        QCOMPARE(f.Text1->text(), QStringLiteral("0"));
        QCOMPARE(f.Timer3->interval(), 50); // the next round starts at the pace the last one ended
        QCOMPARE(f.Timer4->interval(), 50);
        fx.random.draws = {DrawImage4};
        f.appearanceTick();
        QCOMPARE(f.Timer3->interval(), 1050);
        QCOMPARE(f.Timer4->interval(), 1000);
    }

    void ticksWithinOneSecondShowDifferentTargets()
    {
        FormFixture fx;
        MixingRandom random;
        Form1 f(Form1::Services{fx.dialogs, fx.files, fx.clock, random, fx.numbers});
        f.formLoad();
        QSet<int> seen;
        for (int tick = 0; tick < 20; ++tick) {
            f.appearanceTick();
            for (int i = 0; i < Form1::Targets; ++i)
                if (shown(f.Image[i]))
                    seen.insert(i);
        }
        QVERIFY2(seen.size() >= 3, qPrintable(QString::number(seen.size())));
    }

    void levelScaleShowsCentredLevelName_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("name");
        QTest::newRow("1") << 1 << QStringLiteral("Очень легко");
        QTest::newRow("2") << 2 << QStringLiteral("Легко");
        QTest::newRow("3") << 3 << QStringLiteral("Норма");
        QTest::newRow("4") << 4 << QStringLiteral("Тяжело");
        QTest::newRow("5") << 5 << QStringLiteral("Очень тяжело");
    }
    void levelScaleShowsCentredLevelName()
    {
        QFETCH(int, level);
        QFETCH(QString, name);
        FormFixture fx;
        Form1 &f = fx.load();
        f.HScroll1->setValue(level == 1 ? 5 : 1);
        f.HScroll1->setValue(level);
        QCOMPARE(f.Label19->text(), name);
        QVERIFY(f.Label19->width() >= f.Label19->fontMetrics().horizontalAdvance(name));
        const double centred = (Form1::OuterWidthTwips - f.Label19->width() * 15.0) / 2;
        QVERIFY(qAbs(f.Label19->x() * 15 - centred) <= 15);
    }
};

QTEST_MAIN(TestTargets)
#include "tst_targets.moc"
