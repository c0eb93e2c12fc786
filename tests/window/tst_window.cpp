// What the player sees when the game comes up, and where a click goes.

#include "doubles/formfixture.h"

#include <QtWidgets>

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    // Tab goes through the menu, then the scale, then the help panel's buttons; the window has its
    // title and icon, the pointer is an arrow over the menu, the scale and a counter, a double
    // click selects nothing in a counter, and every control has a name.
    void everyControlCanBeReachedAndNamed()
    {
        FormFixture fx;
        const Form1 &f = fx.load();
        QStringList order;
        QWidget *control = f.Command1;
        do {
            if ((control->focusPolicy() & Qt::TabFocus) && !control->isHidden())
                order << control->property("text").toString() + control->accessibleName();
            control = control->nextInFocusChain();
        } while (control != f.Command1);
        QCOMPARE(order.join(", "),
                 QStringLiteral("НикНейм, Начать, Выход, Вкл. помощь, Уровень "
                                "сложности, Правила, 10-ка лучших, О создателях"));
        QCOMPARE(f.windowTitle(), QStringLiteral("Попадайка"));
        QVERIFY(!f.windowIcon().isNull());
        // The crosshair is for the field; a counter is not for typing.
        for (const QWidget *control :
             std::initializer_list<const QWidget *>{f.Frame1, f.HScroll1, f.Text1})
            QCOMPARE(control->cursor().shape(), Qt::ArrowCursor);
        QTest::mouseDClick(f.windowHandle(), Qt::LeftButton, {}, f.Text1->geometry().center());
        QVERIFY(!f.Text1->hasSelectedText()); // nor for selecting
        // Every control a player uses or reads has a name a screen reader speaks.
        for (const QWidget *control : f.findChildren<QWidget *>()) {
            const bool used = qobject_cast<const QAbstractButton *>(control)
                              || qobject_cast<const QAbstractSlider *>(control)
                              || qobject_cast<const TargetPicture *>(control)
                              || (qobject_cast<const QLineEdit *>(control) && control != f.Ent);
            QVERIFY(!used
                    || !QAccessible::queryAccessibleInterface(const_cast<QWidget *>(control))
                            ->text(QAccessible::Name)
                            .isEmpty());
        }
    }

    // In a running round with Image1 shown: a press on it released beside it, one on the bare
    // window released on a label and back, and a press held across a pause and a resume (by the
    // keyboard), are neither hits nor misses.
    void onlyAWholeClickOnATargetHits()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        const QPoint image1Middle = f.Image[0]->geometry().center();
        fx.enterNick(QStringLiteral("Вася"));
        fx.click(f.Command2);
        f.Command2->setFocus();
        fx.draws = {0.15f, 0.15f};
        fx.wait(1000);
        QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, image1Middle);
        QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, QPoint(20, 400));
        QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, QPoint(20, 400));
        QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, f.Label2->geometry().center());
        QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, f.Label2->geometry().center());
        QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, QPoint(20, 400));
        for (int i = 0; i < 2; ++i) {
            QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, image1Middle);
            QTest::keyClick(f.windowHandle(), Qt::Key_Space);
            QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, image1Middle);
        }
        QCOMPARE(f.Text1->text() + " / " + f.Text2->text(), QStringLiteral("0 / 0"));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
