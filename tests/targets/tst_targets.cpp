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
#include <QScrollBar>
#include <QTest>
#include <algorithm>

constexpr float Almost1 = 1.0f - 0x1p-24f; // the largest draw below 1
constexpr float DrawImage4 = 0.45f;        // trunc(10 * 0.45) = 4

static bool shown(const QWidget *w)
{
    return !w->isHidden();
}
static QRect geometryOf(const TargetPicture *t)
{
    return {t->Left(), t->Top(), t->Width(), t->Height()};
}
static QList<int> intervals(const Form1 &f)
{
    return {f.Timer3->interval(), f.Timer4->interval()};
}

static void tick(FormFixture &fx, float draw)
{
    fx.random.draws = {draw};
    fx.form->appearanceTick();
}

static Form1 &startRound(FormFixture &fx, int level = 3)
{
    Form1 &f = fx.load();
    f.HScroll1->setValue(level);
    f.Nick = QStringLiteral("Вася");
    f.command2Click();
    return f;
}

class TestTargets : public QObject
{
    Q_OBJECT

private slots:
    void hitPlacesTargetCountsOnlyWhileRoundRunsAndTargetReappearsThere()
    {
        // the second row takes its position from the first draw, its size from the second
        const struct {
            int level, target;
            float r1, r2;
            QRect placed;
            bool help = false;
        } hits[] = {{5, 0, 0, 0, {360, 1200, 550, 550}},
                    {3, 0, 0, Almost1, {360, 1200, 201, 201}},
                    {3, 0, Almost1, Almost1, {1319, 2159, 201, 201}},
                    {1, 5, 0, 0.5f, {0, 2760, 375, 375}},
                    {3, 5, 0, 0, {0, 2760, 550, 550}, true}};
        for (const auto &hit : hits) {
            FormFixture fx;
            Form1 &f = startRound(fx, hit.level);
            if (hit.help)
                f.command4Click();
            f.Image[hit.target]->show();
            fx.random.draws = {hit.r1, hit.r2, 0.99f};
            f.targetClick(hit.target);
            QCOMPARE(fx.random.drawCount, 2);
            QVERIFY(fx.random.reseeds.isEmpty() && !shown(f.Image[hit.target]));
            QCOMPARE(geometryOf(f.Image[hit.target]), hit.placed);
            QCOMPARE(f.Image[hit.target]->geometry(), Twips::toPixels(hit.placed));
            QCOMPARE(f.Text1->text() + "/" + f.Text2->text(), QString(hit.help ? "0/0" : "1/1"));
            tick(fx, hit.target == 0 ? 0.15f : 0.65f);
            QVERIFY(shown(f.Image[hit.target]));
            QCOMPARE(geometryOf(f.Image[hit.target]), hit.placed);
        }
    }

    void tickReseedsSetsPaceShowsDrawnTargetAndEndsOnTheTenth()
    {
        // a round starts at 1000/1000; above the level's limit a tick leaves the pace alone
        const QStringList names{"Очень легко", "Легко", "Норма", "Тяжело", "Очень тяжело"};
        // draw, the target it shows, level, hits, pace; Image1..Image9 shown first in the last two
        // rows
        const struct {
            float draw;
            int target, level, hits;
            QList<int> pace;
            bool nineUp = false;
        } rows[] = {{0.0f, 9, 5, 6, {990, 944}},
                    {0.15f, 0, 5, 101, {1000, 1000}},
                    {Almost1, 8, 3, 175, {0, 3}},
                    {0.15f, 0, 4, 140, {1, 1}, true},
                    {0.0f, 9, 5, 100, {50, 50}, true}};
        for (const auto &row : rows) {
            const bool ends = row.nineUp && row.target == 9; // the game-over dialog tells
            FormFixture fx;
            Form1 &f = startRound(fx, row.level);
            fx.clock.current = QDateTime(QDate(2024, 2, 29), QTime(13, 14, 15, 900));
            f.Text1->setText(QString::number(row.hits));
            for (int i = 0; row.nineUp && i < Form1::Targets - 1; ++i)
                f.Image[i]->show();
            tick(fx, row.draw);
            QCOMPARE(fx.random.reseeds, QList<double>{Placement::seedValue(fx.clock.current)});
            QCOMPARE(fx.random.drawCount, 1);
            QCOMPARE(intervals(f), row.pace);
            QCOMPARE(f.Label19->text(), names[row.level - 1]);
            for (int i = 0; i < Form1::Targets; ++i)
                QCOMPARE(shown(f.Image[i]), !ends && (i == row.target || (row.nineUp && i != 9)));
            QCOMPARE(fx.dialogs.shown.size(), ends ? 1 : 0);
            if (ends) { // the first tick of a new round is back at the base pace
                f.command2Click();
                tick(fx, DrawImage4);
                QCOMPARE(intervals(f), (QList<int>{1050, 1000}));
            }
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
