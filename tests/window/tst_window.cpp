// What the player sees when the game comes up, and where a click goes.

#include "doubles/formfixture.h"
#include "platform/gametimer.h"
#include "platform/targetpicture.h"

#include <QTest>
#include <QtWidgets>

namespace {

// Points of the window in pixels, worked out by hand from the layout in twips.
const QPoint BareSurface(20, 400);
const QPoint Image1Middle(68, 124); // 840, 1680, 375 twips square
const QPoint Command2Middle(180, 444);
const QPoint Command4Middle(292, 444);

using Action = std::function<void(FormFixture &)>;

Action clicksAt(const QList<QPoint> &points, Qt::MouseButton button = Qt::LeftButton)
{
    return [=](FormFixture &fx) {
        for (const QPoint at : points)
            QTest::mouseClick(fx.form->windowHandle(), button, {}, at);
    };
}

// Where a control can draw a caption: a button's label area, a label's contents.
QRect captionRoom(const QWidget *control)
{
    QStyleOptionButton option;
    option.initFrom(control);
    const bool button = qobject_cast<const QPushButton *>(control);
    return button
               ? control->style()->subElementRect(QStyle::SE_PushButtonContents, &option, control)
               : control->contentsRect();
}

void row(const char *name, QWidget *control, const QString &caption, bool shown, QRect twips,
         const QStringList &later = {})
{
    QTest::newRow(name) << control << caption << shown << twips << later;
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

    FormFixture m_fx; // the window as it comes up, for the checks that change nothing

private slots:
    void initTestCase() { m_fx.load(); }

    void everyControlStartsInPlace_data()
    {
        const Form1 &f = *m_fx.form;
        QTest::addColumn<QWidget *>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("shown"); // when its frame is
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QStringList>("later"); // the captions it takes later on
        row("Label4", f.Label4, "Количество  кликов", true, {120, 0, 1575, 255});
        row("Label6", f.Label6, "Метких", true, {120, 360, 735, 255});
        row("Label5", f.Label5, " Всего", true, {960, 360, 735, 375});
        row("Line1, pixels 24 to 72 down", f.Line1, "", true, {960, 360, 15, 735});
        row("Text1", f.Text1, "0", true, {240, 840, 615, 285});
        row("Text2", f.Text2, "0", true, {1080, 840, 735, 285});
        row("Label2", f.Label2, "Прошло времени: 00:00", true, {4320, 960, 2775, 255},
            {"Прошло времени: 546:07"});
        row("Label1", f.Label1, "Label1", false, {1800, 120, 5295, 375});
        row("Label3", f.Label3, "Label3", false, {1800, 480, 5295, 495});
        // Centred: (7230 - 3255) / 2 = 1987.5 twips, 132.5 pixels, drawn at 133.
        row("HScroll1", f.HScroll1, "", true, {1995, 2760, 3255, 375});
        row("PClick", f.PClick, "", true, {1050, 3465, 4860, 1560});
        const QList<QPoint> targetPlaces = {{840, 1680},  {840, 5040}, {3120, 1680}, {5640, 1800},
                                            {6000, 3360}, {480, 3240}, {2160, 3360}, {4200, 3240},
                                            {3120, 5040}, {5280, 4800}};
        for (int i = 0; i < 10; ++i) {
            const QByteArray name = "Image" + QByteArray::number(i + 1);
            row(name, f.Image[i], "", false, QRect(targetPlaces[i], QSize(375, 375)));
        }
        row("Frame1", f.Frame1, "Меню", true, {120, 6240, 6855, 735});
        row("Frame2", f.Frame2, "", false, {120, 1200, 6945, 5055});
        row("Ent", f.Ent, " \r\n", false, {6510, 0, 330, 285});
        row("Command1", f.Command1, "НикНейм", true, {120, 240, 1575, 375});
        row("Command2", f.Command2, "Начать", true, {1800, 240, 1575, 375},
            {"Пауза", "Продолжить", "Заново"});
        row("Command4", f.Command4, "Вкл. помощь", true, {3480, 240, 1575, 375}, {"Выкл. помощь"});
        row("Command3", f.Command3, "Выход", true, {5160, 240, 1575, 375});
        row("Command5", f.Command5, "Правила", true, {210, 210, 1485, 330});
        row("Command6", f.Command6, "10-ка лучших", true, {2835, 210, 1485, 330});
        row("Command7", f.Command7, "О создателях", true, {5250, 210, 1485, 330});
        row("Mesto(0)", f.Mesto[0], "1.", false, {1785, 1260, 135, 255});
        row("Mesto(9)", f.Mesto[9], "10.", false, {1785, 3420, 255, 255});
        row("Mesto(10)", f.Mesto[10], "LoL.", false, {1785, 3660, 375, 255});
        row("NameP(0), fresh table", f.NameP[0], "<Пусто>", false, {2145, 1260, 1335, 255});
        row("ScoresP(10), fresh table", f.ScoresP[10], "0", false, {3705, 3660, 1215, 255});
    }

    void everyControlStartsInPlace()
    {
        QFETCH(QWidget *, control);
        QFETCH(QString, caption);
        QFETCH(bool, shown);
        QFETCH(QRect, twips);
        QFETCH(QStringList, later);
        const QVariant text = control->property("text");
        QCOMPARE((text.isValid() ? text : control->property("title")).toString(), caption);
        QCOMPARE(!control->isHidden(), shown);
        const QRect pixels = control->geometry();
        QCOMPARE(QRect(pixels.topLeft() * 15, pixels.size() * 15), twips);
        const QRect room = captionRoom(control);
        const QFontMetrics metrics(control->font());
        for (const QString &text : later << caption) {
            const QSize needed(metrics.horizontalAdvance(text), metrics.height());
            QVERIFY2(text.isEmpty() || needed.boundedTo(room.size()) == needed,
                     qPrintable(text + " is cut"));
        }
    }

    void windowIsFixedIdleAndAimsWithTheCrosshair()
    {
        Form1 &f = *m_fx.form;
        f.resize(600, 600);
        QCOMPARE(f.size(), QSize(476, 477));
        QVERIFY2(!(f.windowFlags() & Qt::WindowMaximizeButtonHint), "a maximise button");
        for (const GameTimer *timer : {f.Timer1, f.Timer2, f.Timer3, f.Timer4})
            QVERIFY2(!timer->isEnabled(), "a timer runs before any round");
        QCOMPARE(f.cursor().hotSpot(), QPoint(15, 15));
        for (const TargetPicture *target : f.Image)
            QCOMPARE(target->cursor().hotSpot(), QPoint(15, 15));
    }

    void clicksReachOnlyTheirOwnHandler_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("hits");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("image1Shown");
        const Action doubleClick = [](FormFixture &fx) {
            QTest::mouseDClick(fx.form->windowHandle(), Qt::LeftButton, {}, BareSurface);
        };
        const Action releasedBeside = [](FormFixture &fx) {
            QTest::mousePress(fx.form->windowHandle(), Qt::LeftButton, {}, Image1Middle);
            QTest::mouseRelease(fx.form->windowHandle(), Qt::LeftButton, {}, BareSurface);
        };
        // A pause, then a resume, each by the keyboard while the button is held on Image1.
        const Action heldAcrossPause = [](FormFixture &fx) {
            fx.form->Command2->setFocus();
            for (int i = 0; i < 2; ++i) {
                QTest::mousePress(fx.form->windowHandle(), Qt::LeftButton, {}, Image1Middle);
                QTest::keyClick(fx.form->windowHandle(), Qt::Key_Space);
                QTest::mouseRelease(fx.form->windowHandle(), Qt::LeftButton, {}, Image1Middle);
            }
        };
        QTest::newRow("bare surface: a miss") << clicksAt({BareSurface}) << 0 << 1 << true;
        QTest::newRow("double click on the surface: one miss") << doubleClick << 0 << 1 << true;
        QTest::newRow("right button on the surface: nothing")
            << clicksAt({BareSurface}, Qt::RightButton) << 0 << 0 << true;
        QTest::newRow("label Label4: nothing") << clicksAt({{60, 8}}) << 0 << 0 << true;
        QTest::newRow("counter box Text1: nothing") << clicksAt({{36, 65}}) << 0 << 0 << true;
        QTest::newRow("Frame1 beside its buttons: nothing")
            << clicksAt({{12, 460}}) << 0 << 0 << true;
        QTest::newRow("shown Image1: a hit") << clicksAt({Image1Middle}) << 1 << 1 << false;
        QTest::newRow("where hidden Image3 lies: a miss")
            << clicksAt({{220, 124}}) << 0 << 1 << true;
        QTest::newRow("surface while paused: nothing")
            << clicksAt({Command2Middle, BareSurface}) << 0 << 0 << true;
        QTest::newRow("paused Image1: nothing")
            << clicksAt({Command2Middle, Image1Middle}) << 0 << 0 << true;
        QTest::newRow("Image1 under the help panel: nothing")
            << clicksAt({Command4Middle, Image1Middle}) << 0 << 0 << true;
        QTest::newRow("press on Image1, release beside it: nothing")
            << releasedBeside << 0 << 0 << true;
        QTest::newRow("press on Image1 across a pause and a resume: nothing")
            << heldAcrossPause << 0 << 0 << true;
    }

    // In a running round with Image1 shown at its first place.
    void clicksReachOnlyTheirOwnHandler()
    {
        QFETCH(Action, action);
        QFETCH(int, hits);
        QFETCH(int, clicks);
        QFETCH(bool, image1Shown);
        FormFixture fx;
        Form1 &f = fx.load();
        fx.enterNick(QStringLiteral("Вася"));
        fx.click(f.Command2);
        fx.random.draws = {0.15f, 0.15f};
        fx.wait(1000);
        fx.random.draws = {0.25f, 0.0f}; // where a hit would put Image1
        action(fx);
        QCOMPARE(f.Text1->text(), QString::number(hits));
        QCOMPARE(f.Text2->text(), QString::number(clicks));
        QCOMPARE(f.Image[0]->isVisible(), image1Shown);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
