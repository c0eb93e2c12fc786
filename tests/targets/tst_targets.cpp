// Hits on the targets, their appearance on the ticks and the pace the ticks set, played on a real
// window with scripted draws.

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
#include <QTest>
#include <algorithm>

namespace {

constexpr float Almost1 = 1.0f - 0x1p-24f; // the largest draw below 1
constexpr float DrawImage4 = 0.45f;        // trunc(10 * 0.45) = 4

bool shown(const QWidget *w) { return !w->isHidden(); }

QRect geometryOf(const TargetPicture *t) { return {t->Left(), t->Top(), t->Width(), t->Height()}; }

QList<int> intervals(const Form1 &f) { return {f.Timer3->interval(), f.Timer4->interval()}; }

Form1 &startRound(FormFixture &fx, int level = 3, bool start = true)
{
    Form1 &f = fx.load();
    f.HScroll1->setValue(level);
    f.Nick = QStringLiteral("Вася");
    if (start)
        f.command2Click();
    return f;
}

// Shows all targets but Image10 and lets the tick that shows it end the round.
void endRound(FormFixture &fx)
{
    for (int i = 0; i < Form1::Targets - 1; ++i)
        fx.form->Image[i]->show();
    fx.random.draws = {0.0f};
    fx.form->appearanceTick();
}

struct Hit { QString mode; int level, target; float r1, r2; QRect placed; };

} // namespace

Q_DECLARE_METATYPE(Hit)

class TestTargets : public QObject
{
    Q_OBJECT

private slots:
    void hitPlacesTargetAndCountsOnlyWhileRoundRuns_data()
    {
        QTest::addColumn<Hit>("hit");
        QTest::newRow("Image1 0/0") << Hit{"running", 5, 0, 0, 0, QRect(360, 1200, 550, 550)};
        QTest::newRow("Image1 ~1/~1") << Hit{"running", 3, 0, Almost1, Almost1, QRect(1319, 2159, 201, 201)};
        QTest::newRow("position first") << Hit{"running", 3, 0, 0, Almost1, QRect(360, 1200, 201, 201)};
        QTest::newRow("Image6 Left 0") << Hit{"running", 1, 5, 0, 0.5f, QRect(0, 2760, 375, 375)};
        QTest::newRow("help on") << Hit{"help", 3, 5, 0, 0, QRect(0, 2760, 550, 550)};
        QTest::newRow("before the start") << Hit{"idle", 3, 0, 0, 0, QRect(360, 1200, 550, 550)};
    }
    void hitPlacesTargetAndCountsOnlyWhileRoundRuns()
    {
        QFETCH(Hit, hit);
        FormFixture fx;
        Form1 &f = startRound(fx, hit.level, hit.mode != "idle");
        if (hit.mode == "help")
            f.command4Click();
        f.Image[hit.target]->show();
        fx.random.draws = {hit.r1, hit.r2, 0.99f};
        f.targetClick(hit.target);
        QCOMPARE(fx.random.drawCount, 2);
        QVERIFY(fx.random.reseeds.isEmpty() && !shown(f.Image[hit.target]));
        QCOMPARE(geometryOf(f.Image[hit.target]), hit.placed);
        QCOMPARE(f.Image[hit.target]->geometry(), Twips::toPixels(hit.placed));
        QCOMPARE(f.Text1->text() + "/" + f.Text2->text(), QString(hit.mode == "running" ? "1/1" : "0/0"));
    }

    void hitTargetReappearsAtItsNewPlaceAlsoAfterRestartWithBaseIntervals()
    {
        FormFixture fx;
        Form1 &f = startRound(fx, 5);
        f.Image[3]->show();
        fx.random.draws = {0.0f, 0.0f};
        f.targetClick(3);
        f.Text1->setText(QStringLiteral("100"));
        for (const QList<int> &paced : {QList<int>{50, 50}, QList<int>{1050, 1000}}) {
            QVERIFY(!shown(f.Image[3]));
            fx.random.draws = {DrawImage4};
            f.appearanceTick();
            QVERIFY(shown(f.Image[3]));
            QCOMPARE(geometryOf(f.Image[3]), QRect(5160, 1320, 550, 550));
            QCOMPARE(intervals(f), paced);
            endRound(fx);
            f.command2Click();
            QCOMPARE(intervals(f), paced); // a start keeps the last pace
        }
    }

    void tickSetsAppearanceIntervals()
    {
        const QStringList names{"Очень легко", "Легко", "Норма", "Тяжело", "Очень тяжело"};
        // level, hits, Timer3, Timer4; Timer3/Timer4 at 60 as the last tick within the limit left them
        for (const QList<int> &row : {QList<int>{2, 0, 1050, 1000}, {5, 6, 990, 944}, {1, 500, 50, 50},
                                      {5, 101, 60, 60}, {3, 175, 0, 3}, {4, 140, 1, 1}}) {
            FormFixture fx;
            Form1 &f = startRound(fx, row[0]);
            f.Text1->setText(QString::number(row[1]));
            f.Timer3->setInterval(60);
            f.Timer4->setInterval(60);
            fx.random.draws = {DrawImage4};
            f.appearanceTick();
            QCOMPARE(intervals(f), row.mid(2));
            QCOMPARE(f.Label19->text(), names[row[0] - 1]);
        }
    }

    void tickReseedsShowsDrawnTargetAndEndsOnTheTenth()
    {
        // draw, with Image1..Image9 already shown; the tick that shows Image10 with nine up ends
        for (const auto &[draw, nineShown] : std::initializer_list<std::pair<float, bool>>{
                 {0.0f, false}, {0.15f, false}, {Almost1, false}, {0.0f, true}, {0.15f, true}}) {
            const int target = draw == 0 ? 9 : int(10 * draw) - 1;
            const bool ends = nineShown && target == 9;
            FormFixture fx;
            Form1 &f = startRound(fx);
            fx.clock.current = QDateTime(QDate(2024, 2, 29), QTime(13, 14, 15, 900));
            for (int i = 0; nineShown && i < Form1::Targets - 1; ++i)
                f.Image[i]->show();
            const QRect before = geometryOf(f.Image[target]);
            fx.random.draws = {draw};
            f.appearanceTick();
            QCOMPARE(fx.random.reseeds, QList<double>{Placement::seedValue(fx.clock.current)});
            QCOMPARE(fx.random.drawCount, 1);
            QCOMPARE(geometryOf(f.Image[target]), before);
            for (int i = 0; i < Form1::Targets; ++i)
                QCOMPARE(shown(f.Image[i]), !ends && (i == target || (nineShown && i != 9)));
            QCOMPARE(fx.dialogs.shown.size(), ends ? 1 : 0);
            for (GameTimer *timer : {f.Timer1, f.Timer2, f.Timer3, f.Timer4})
                QCOMPARE(timer->isEnabled(), !ends);
        }
    }

    void ticksWithinOneSecondShowDifferentTargets()
    {
        FormFixture fx;
        MixingRandom random;
        Form1 f(Form1::Services{fx.dialogs, fx.files, fx.clock, random, fx.numbers});
        f.formLoad();
        for (int tick = 0; tick < 5; ++tick)
            f.appearanceTick();
        QVERIFY(std::ranges::count_if(f.Image, shown) >= 3);
    }
};

QTEST_MAIN(TestTargets)
#include "tst_targets.moc"
