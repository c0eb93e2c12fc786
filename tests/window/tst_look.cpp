// What a player sees on screens of every density: CTest runs this at the scales 1, 1.5 and 2.

#include "doubles/formfixture.h"
#include "window/statswindow.h"

#include <QComboBox>
#include <QScrollBar>

// Before the application starts.
static const bool scaled =
    qEnvironmentVariableIsSet("QT_SCALE_FACTOR") || qputenv("QT_SCALE_FACTOR", "2");

namespace {

// Compares a picture (a window, the cursor) with the one approved for this scene and scale, kept in
// tests/window/look/; POPADAIKA_APPROVE_LOOK=1 writes the pictures instead (look at each before
// committing it). A differing picture is left beside the test's binary for a look.
void compareWithApproved(const QImage &picture, const QString &scene)
{
    const QImage shown = picture.convertToFormat(QImage::Format_ARGB32); // a cursor's see-through
    const QString name = scene + '@' + qEnvironmentVariable("QT_SCALE_FACTOR") + "x.png";
    const QString approved = QStringLiteral(LOOK_DIR "/") + name;
    if (qEnvironmentVariableIsSet("POPADAIKA_APPROVE_LOOK")) {
        QVERIFY(shown.save(approved));
        return;
    }
    const bool same = shown == QImage(approved).convertToFormat(QImage::Format_ARGB32);
    const QString differing = QCoreApplication::applicationDirPath() + '/' + name;
    QVERIFY2(same || !shown.save(differing), qPrintable(differing + " differs from " + approved));
}

} // namespace

class TestLook : public QObject
{
    Q_OBJECT

private slots:
    // Drawing that goes wrong only warns (a pixel set outside its picture, say): make it fail.
    void init() { QTest::failOnWarning(QRegularExpression(".")); }

    // The cursor and every screen as approved: the start, a level up, a round paused with
    // targets of three sizes (one a hit made larger, one smaller), help during that round, and
    // the table after it, its accuracy with a decimal comma; then the rules once more and the
    // credits.
    void everyScreenLooksAsApproved()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        // The cursor, drawn for the scale, its hot spot in its middle.
        QCOMPARE(f.cursor().pixmap().deviceIndependentSize(), QSizeF(32, 32));
        QCOMPARE(f.cursor().hotSpot(), QPoint(1, 1) * (qRound(32 * f.devicePixelRatioF()) / 2 - 1));
        compareWithApproved(f.cursor().pixmap().toImage(), "cursor");
        compareWithApproved(f.grab().toImage(), "start");
        fx.clickAt(f.HScroll1->geometry().topRight() + QPoint(-4, 4)); // the scale's right arrow
        compareWithApproved(f.grab().toImage(), "level");
        fx.enterNick(QStringLiteral("Вася"));
        fx.click(f.Command2);
        fx.draws = {0.15f, 0.25f, 0.5f, 0.0f, 0.9f, 0.9f, 0.15f, 0.25f, 0.35f, 0.45f};
        fx.wait(1000);
        fx.click(f.Image[0]);
        fx.clickAt({20, 400});
        fx.click(f.Image[1]);
        fx.wait(2100);
        fx.click(f.Command2);
        compareWithApproved(f.grab().toImage(), "round");
        fx.click(f.Command4);
        compareWithApproved(f.grab().toImage(), "rules");
        fx.click(f.Command4);
        fx.click(f.Command2);
        fx.draws = {0.55f, 0.65f, 0.75f, 0.85f, 0.95f, 0.05f};
        fx.wait(5000);
        fx.click(f.Command4);
        fx.click(f.Command6);
        compareWithApproved(f.grab().toImage(), "table");
        fx.click(f.Command5);
        compareWithApproved(f.grab().toImage(), "rules-after"); // the rules alone again
        fx.click(f.Command7);
        compareWithApproved(f.grab().toImage(), "credits");
    }

    // The statistics before the first round, and of a history that cannot be opened; then, read
    // again, of a player of one round with one hit, shown first as the one who played last; of
    // one round without a hit, no reaction times to show; of one with 40, always quick to react;
    // and of one with 400 (more than the accuracy chart has pixels across) at every level but
    // one, the reaction times of the last 20 spread over a histogram, still chosen when read
    // again.
    void statisticsLookAsApproved()
    {
        TempDir dir;
        History history(dir.filePath("history.sqlite"));
        StatsWindow window(history);
        compareWithApproved(window.grab().toImage(), "statistics-empty");
        // A history that cannot be opened, a folder in its place: why, in plain words. Named
        // through the working directory, the same at every run.
        const QString folder = "<b>Васина папка с историей всех игр</b>/history.sqlite";
        QVERIFY(QDir::setCurrent(dir.path()) && QDir().mkpath(folder));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Не удалось открыть"));
        History unusable("/proc/self/cwd/" + folder);
        StatsWindow told(unusable);
        compareWithApproved(told.grab().toImage(), "statistics-problem");
        for (int i = 0; i <= 441; ++i) {
            QList<qint64> reactions;
            for (int hit = 0; hit < i % 40; ++hit)
                reactions << 153 + (hit * 37 + i * 11) % (i < 400 ? 600 : 61);
            const char *nick = i < 400 ? "Вася" : i < 440 ? "Коля" : i < 441 ? "Маша" : "Петя";
            history.add({QDateTime(QDate(2026, 1, 1), QTime(20, 0), Qt::UTC).addDays(i), nick,
                         1 + i % 4, i * (i % 9), i % 40, i % 40 + i % 5, 20 + i % 30,
                         100.0 * (i % 40) / (i % 40 + i % 5 + 1), double(i % 55), false,
                         reactions});
        }
        window.reload();
        compareWithApproved(window.grab().toImage(), "statistics-one");
        window.findChild<QComboBox *>()->setCurrentIndex(1);
        compareWithApproved(window.grab().toImage(), "statistics-none");
        window.findChild<QComboBox *>()->setCurrentIndex(2);
        compareWithApproved(window.grab().toImage(), "statistics-few");
        window.findChild<QComboBox *>()->setCurrentIndex(3);
        window.reload();
        compareWithApproved(window.grab().toImage(), "statistics");
    }
};

QTEST_MAIN(TestLook)
#include "tst_look.moc"
