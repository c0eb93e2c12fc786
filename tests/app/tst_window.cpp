// The window as the player first sees it: controls, geometry, fonts, pictures and which
// clicks reach which handler.

#include "doubles/formfixture.h"
#include "app/texts.h"
#include "platform/gametimer.h"
#include "platform/targetpicture.h"
#include "platform/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

Q_DECLARE_METATYPE(QWidget *)

namespace {

// Whether the control itself is set to show (its window need not be on screen).
bool shown(const QWidget *w)
{
    return !w->isHidden();
}

QPoint centreIn(const QWidget *form, const QWidget *control)
{
    return control->mapTo(form, control->rect().center());
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

    FormFixture *m_fixture = nullptr;
    Form1 *form() { return m_fixture->form.get(); }

private slots:
    void init()
    {
        m_fixture = new FormFixture;
        m_fixture->load();
    }
    void cleanup()
    {
        delete m_fixture;
        m_fixture = nullptr;
    }

    void windowIsFixedWithCaptionAndNoMinimiseOrMaximise()
    {
        QCOMPARE(form()->windowTitle(), QStringLiteral("Попадайка"));
        QCOMPARE(form()->minimumSize(), QSize(476, 477));
        QCOMPARE(form()->maximumSize(), QSize(476, 477));
        const Qt::WindowFlags flags = form()->windowFlags();
        QVERIFY(flags & Qt::CustomizeWindowHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!form()->windowIcon().isNull());
        form()->resize(800, 800);
        QCOMPARE(form()->size(), QSize(476, 477));
    }

    void startUpShowsExactlyTheInitialControls_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        Form1 *f = form();
        auto row = [](const char *name, bool visible, const QString &caption, QRect twips) {
            QTest::newRow(name) << QString::fromLatin1(name) << visible << caption << twips;
        };
        Q_UNUSED(f);
        row("Label4", true, QStringLiteral("Количество  кликов"), {120, 0, 1575, 255});
        row("Label6", true, QStringLiteral("Метких"), {120, 360, 735, 255});
        row("Label5", true, QStringLiteral(" Всего"), {960, 360, 735, 375});
        row("Text1", true, QStringLiteral("0"), {240, 840, 615, 285});
        row("Text2", true, QStringLiteral("0"), {1080, 840, 735, 285});
        row("Label2", true, QStringLiteral("Прошло времени: 00:00"), {4320, 960, 2775, 255});
        row("Label1", false, QStringLiteral("Label1"), {1800, 120, 5295, 375});
        row("Label3", false, QStringLiteral("Label3"), {1800, 480, 5295, 495});
        row("PClick", true, QString(), {1050, 3465, 4860, 1560});
        row("Frame1", true, QStringLiteral("Меню"), {120, 6240, 6855, 735});
        row("Frame2", false, QString(), {120, 1200, 6945, 5055});
        row("Ent", false, QStringLiteral(" \r\n"), {6510, 0, 330, 285});
        row("Command1", true, QStringLiteral("НикНейм"), {120, 240, 1575, 375});
        row("Command2", true, QStringLiteral("Начать"), {1800, 240, 1575, 375});
        row("Command4", true, QStringLiteral("Вкл. помощь"), {3480, 240, 1575, 375});
        row("Command3", true, QStringLiteral("Выход"), {5160, 240, 1575, 375});
        row("Command5", true, QStringLiteral("Правила"), {210, 210, 1485, 330});
        row("Command6", true, QStringLiteral("10-ка лучших"), {2835, 210, 1485, 330});
        row("Command7", true, QStringLiteral("О создателях"), {5250, 210, 1485, 330});
    }
    void startUpShowsExactlyTheInitialControls()
    {
        QFETCH(QString, control);
        QFETCH(bool, visible);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        Form1 *f = form();
        const QMap<QString, QWidget *> controls{
            {"Label4", f->Label4}, {"Label6", f->Label6}, {"Label5", f->Label5},
            {"Text1", f->Text1}, {"Text2", f->Text2}, {"Label2", f->Label2},
            {"Label1", f->Label1}, {"Label3", f->Label3}, {"PClick", f->PClick},
            {"Frame1", f->Frame1}, {"Frame2", f->Frame2}, {"Ent", f->Ent},
            {"Command1", f->Command1}, {"Command2", f->Command2}, {"Command3", f->Command3},
            {"Command4", f->Command4}, {"Command5", f->Command5}, {"Command6", f->Command6},
            {"Command7", f->Command7}};
        QWidget *w = controls.value(control);
        QVERIFY(w);
        QCOMPARE(shown(w), visible);
        QCOMPARE(w->geometry(), Twips::toPixels(twips));
        if (auto *label = qobject_cast<QLabel *>(w); label && !caption.isEmpty())
            QCOMPARE(label->text(), caption);
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            QCOMPARE(edit->text(), caption);
        if (auto *button = qobject_cast<QPushButton *>(w)) {
            QCOMPARE(button->text(), caption);
            QVERIFY(button->isEnabled());
        }
        if (auto *frame = qobject_cast<QGroupBox *>(w))
            QCOMPARE(frame->title(), caption);
    }

    void startUpStateOfTheRestIsExact()
    {
        Form1 *f = form();
        QVERIFY(shown(f->Line1));
        QCOMPARE(f->Line1->geometry().topLeft(), QPoint(64, 24));
        QCOMPARE(f->Line1->height(), 49);
        QVERIFY(shown(f->Label19));
        QCOMPARE(f->Label19->text(), QStringLiteral("Норма"));
        QVERIFY(shown(f->HScroll1));
        QCOMPARE(f->HScroll1->value(), 3);
        QVERIFY(!f->Text1->isEnabled());
        QVERIFY(!f->Text2->isEnabled());
        QCOMPARE(f->Text1->focusPolicy(), Qt::NoFocus);
        // Counters read like labels: normal text colour on the button face.
        QCOMPARE(f->Text1->palette().color(QPalette::Disabled, QPalette::Text),
                 f->palette().color(QPalette::Active, QPalette::WindowText));
        QCOMPARE(f->Text1->palette().color(QPalette::Disabled, QPalette::Base),
                 f->palette().color(QPalette::Active, QPalette::Button));
        for (auto *timer : {f->Timer1, f->Timer2, f->Timer3, f->Timer4})
            QVERIFY(!timer->isEnabled());
        QCOMPARE(f->Timer1->interval(), 10);
        for (auto *timer : {f->Timer2, f->Timer3, f->Timer4})
            QCOMPARE(timer->interval(), 1000);
        static constexpr std::array<QPoint, Form1::Targets> positions{{
            {840, 1680}, {840, 5040}, {3120, 1680}, {5640, 1800}, {6000, 3360},
            {480, 3240}, {2160, 3360}, {4200, 3240}, {3120, 5040}, {5280, 4800}}};
        for (int i = 0; i < Form1::Targets; ++i) {
            QVERIFY(!shown(f->Image[i]));
            QVERIFY(f->Image[i]->isEnabled());
            QCOMPARE(QRect(f->Image[i]->Left(), f->Image[i]->Top(), f->Image[i]->Width(), f->Image[i]->Height()),
                     QRect(positions[i], QSize(375, 375)));
        }
        for (int i = 0; i < Form1::Rows; ++i) {
            QVERIFY(!shown(f->Mesto[i]));
            QCOMPARE(f->Mesto[i]->text(), i < 10 ? QString::number(i + 1) + '.' : QStringLiteral("LoL."));
            QCOMPARE(f->Mesto[i]->geometry(), Twips::rect(1785, 1260 + 240 * i, i < 9 ? 135 : i == 9 ? 255 : 375, 255));
            QCOMPARE(f->NameP[i]->geometry(), Twips::rect(2145, 1260 + 240 * i, 1335, 255));
            QCOMPARE(f->ScoresP[i]->geometry(), Twips::rect(3705, 1260 + 240 * i, 1215, 255));
        }
        QCOMPARE(f->PClick->pixmap().size(), QSize(320, 100));
        QCOMPARE(f->PClick->contentsRect().size(), QSize(320, 100));
    }

    void scrollBarStaysWithinTheFiveLevels()
    {
        QScrollBar *bar = form()->HScroll1;
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 5);
        QCOMPARE(bar->singleStep(), 1);
        QCOMPARE(bar->pageStep(), 1);
        bar->setValue(9);
        QCOMPARE(bar->value(), 5);
        bar->setValue(-2);
        QCOMPARE(bar->value(), 1);
    }

    void focusMovesThroughTheButtonsInOrder()
    {
        Form1 *f = form();
        f->Frame2->show();
        const QList<QWidget *> expected{f->Command1, f->Command2, f->Command3, f->Command4,
                                        f->HScroll1, f->Command5, f->Command6, f->Command7};
        QWidget *w = f->Command1;
        for (int i = 1; i < expected.size(); ++i) {
            do
                w = w->nextInFocusChain();
            while (w != expected[i] && !(w->focusPolicy() & Qt::TabFocus));
            QCOMPARE(w, expected[i]);
        }
    }

    void resizedTargetShowsTheWholePictureScaled_data()
    {
        QTest::addColumn<int>("side");
        QTest::addRow("smallest") << 201;
        QTest::addRow("initial") << 375;
        QTest::addRow("largest") << 550;
    }
    void resizedTargetShowsTheWholePictureScaled()
    {
        QFETCH(int, side);
        TargetPicture *target = form()->Image[0];
        target->setWidth(side);
        target->setHeight(side);
        target->show();
        const QImage image = target->grab().toImage();
        const int px = Twips::toPixels(side);
        QCOMPARE(image.size(), QSize(px, px));
        // The round target fills the square: its rim touches the middle of each edge, its
        // corners stay see-through, and its centre is the centre of the picture.
        const QImage picture(QStringLiteral(":/assets/target.gif"));
        const QColor background = form()->palette().color(QPalette::Window);
        for (const QPoint edge : {QPoint(0, px / 2), QPoint(px - 1, px / 2), QPoint(px / 2, 0), QPoint(px / 2, px - 1)})
            QVERIFY2(image.pixelColor(edge) != background, qPrintable(QStringLiteral("%1,%2").arg(edge.x()).arg(edge.y())));
        QCOMPARE(image.pixelColor(0, 0).alpha() == 0 || image.pixelColor(0, 0) == background, true);
        Q_UNUSED(picture);
    }

    void crosshairIsThePointerOverSurfaceAndTargets()
    {
        Form1 *f = form();
        QCOMPARE(f->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(f->cursor().hotSpot(), QPoint(15, 15));
        QCOMPARE(f->Image[3]->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(f->Command1->cursor().shape(), Qt::ArrowCursor);
    }

    void helpPanelLiesAboveScrollBarAndTargets()
    {
        Form1 *f = form();
        f->Image[5]->show(); // Image6 lies under the panel
        f->command4Click();
        QVERIFY(shown(f->Frame2));
        for (QWidget *below : {static_cast<QWidget *>(f->HScroll1), static_cast<QWidget *>(f->Image[5]),
                               static_cast<QWidget *>(f->PClick), static_cast<QWidget *>(f->Label19)}) {
            const QPoint at = centreIn(f, below);
            QWidget *top = f->childAt(at);
            QVERIFY(top);
            QVERIFY2(top == f->Frame2 || f->Frame2->isAncestorOf(top), qPrintable(top->metaObject()->className()));
        }
        // And nothing beneath shows through: the panel looks the same with or without a
        // target under it.
        const QRect panel = f->Frame2->geometry();
        const QImage withTarget = f->grab(panel).toImage();
        f->Image[5]->hide();
        QCOMPARE(f->grab(panel).toImage(), withTarget);
    }

    void everyFixedCaptionFitsItsControl()
    {
        Form1 *f = form();
        QList<QPair<QWidget *, QString>> captions{
            {f->Label4, f->Label4->text()}, {f->Label6, f->Label6->text()},
            {f->Label5, f->Label5->text()}, {f->Label2, QStringLiteral("Прошло времени: 546:07")},
            {f->Label3, QStringLiteral("Количество кликов в минуту = 1234")},
            {f->Label1, QStringLiteral("Меткость Игрок'a = 66.6%")},
            {f->Text1, QStringLiteral("12345")}, {f->Text2, QStringLiteral("12345")},
            {f->NameP[0], QStringLiteral("<Пусто>")}, {f->ScoresP[0], QStringLiteral("-2147483648")}};
        for (int i = 0; i < Form1::Rows; ++i)
            captions.append({f->Mesto[i], f->Mesto[i]->text()});
        for (const auto &[w, text] : captions) {
            const QFontMetrics metrics(w->font());
            const QRect room = w->contentsRect();
            QVERIFY2(metrics.horizontalAdvance(text) <= room.width(),
                     qPrintable(QStringLiteral("'%1' is %2 px in %3 px").arg(text).arg(metrics.horizontalAdvance(text)).arg(room.width())));
            QVERIFY2(metrics.height() <= room.height() + 2, qPrintable(text));
        }
        // Buttons: their captions, including the ones they change to, inside the bevel.
        const QList<QPair<QPushButton *, QStringList>> buttons{
            {f->Command1, {QStringLiteral("НикНейм")}},
            {f->Command2, {QStringLiteral("Начать"), QStringLiteral("Пауза"), QStringLiteral("Продолжить"), QStringLiteral("Заново")}},
            {f->Command3, {QStringLiteral("Выход")}},
            {f->Command4, {QStringLiteral("Вкл. помощь"), QStringLiteral("Выкл. помощь")}},
            {f->Command5, {QStringLiteral("Правила")}},
            {f->Command6, {QStringLiteral("10-ка лучших")}},
            {f->Command7, {QStringLiteral("О создателях")}}};
        for (const auto &[button, texts] : buttons) {
            const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin) + 2;
            for (const QString &text : texts)
                QVERIFY2(QFontMetrics(button->font()).horizontalAdvance(text) + margin <= button->width(),
                         qPrintable(text));
        }
        QVERIFY(QFontMetrics(f->Frame1->font()).horizontalAdvance(f->Frame1->title()) < f->Frame1->width());
        // The level names: the label sizes itself, so check it never grows past the window.
        for (int level = 1; level <= 5; ++level) {
            f->HScroll1->setValue(level);
            QVERIFY(QFontMetrics(f->Label19->font()).horizontalAdvance(f->Label19->text()) <= f->Label19->width());
            QVERIFY(f->Label19->geometry().left() >= 0 && f->Label19->geometry().right() < f->width());
        }
        // The rules and the credits, wrapped, fit the panel's text area.
        const QFontMetrics metrics(f->Label7->font());
        const QRect area = f->Label7->contentsRect();
        for (const QStringList &lines : {Texts::rulesLines(), Texts::creditLines()}) {
            const QRect needed = metrics.boundingRect(area, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, lines.join('\n'));
            QVERIFY2(needed.height() <= area.height(), qPrintable(QString::number(needed.height())));
            for (const QString &line : lines)
                QVERIFY(metrics.horizontalAdvance(line) <= area.width() || line.contains(' '));
        }
    }

    void clicksReachOnlyTheirOwnHandler_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("misses");
        QTest::addColumn<int>("hits");
        QTest::addRow("bare surface") << "surface" << 1 << 0;
        QTest::addRow("quick double click on the surface") << "double" << 1 << 0;
        QTest::addRow("label") << "Label4" << 0 << 0;
        QTest::addRow("level name") << "Label19" << 0 << 0;
        QTest::addRow("clock label") << "Label2" << 0 << 0;
        QTest::addRow("banner") << "PClick" << 0 << 0;
        QTest::addRow("counter box") << "Text2" << 0 << 0;
        QTest::addRow("menu frame") << "Frame1" << 0 << 0;
        QTest::addRow("scroll bar") << "HScroll1" << 0 << 0;
        QTest::addRow("shown target") << "target" << 0 << 1;
        QTest::addRow("double click on a target") << "targetDouble" << 0 << 1;
        QTest::addRow("where a hidden target lies") << "hiddenTarget" << 1 << 0;
        QTest::addRow("disabled target") << "disabledTarget" << 0 << 0;
        QTest::addRow("right button on the surface") << "right" << 0 << 0;
    }
    void clicksReachOnlyTheirOwnHandler()
    {
        QFETCH(QString, where);
        QFETCH(int, misses);
        QFETCH(int, hits);
        Form1 *f = form();
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        // A round runs, so every click that reaches a handler counts; the targets stand still.
        f->Nick = QStringLiteral("Вася");
        f->command2Click();
        for (auto *timer : {f->Timer2, f->Timer3, f->Timer4})
            timer->setInterval(0);
        m_fixture->random.draws = {0.5f, 0.5f};
        TargetPicture *target = f->Image[6];
        target->show();
        // Through the window system, as the player clicks: Qt routes each press to the control
        // under the mouse and makes a double click of two quick presses.
        QWindow *window = f->windowHandle();
        auto click = [&](QPoint at, Qt::MouseButton button = Qt::LeftButton) {
            QTest::mouseClick(window, button, {}, at);
        };
        auto doubleClick = [&](QPoint at) { QTest::mouseDClick(window, Qt::LeftButton, {}, at); };
        const QPoint surface(f->width() - 30, 130); // right of the counters, above the level name
        QVERIFY(!f->childAt(surface));
        f->HScroll1->show(); // hidden during a round, shown here to see that it counts nothing
        f->PClick->show();
        f->Label19->show();
        const QMap<QString, QWidget *> controls{
            {"Label4", f->Label4}, {"Label19", f->Label19}, {"Label2", f->Label2},
            {"PClick", f->PClick}, {"Text2", f->Text2}, {"HScroll1", f->HScroll1}};
        if (!controls.contains(where)) {
            f->PClick->hide();
            f->HScroll1->hide();
            f->Label19->hide();
        }
        if (where == "surface") {
            click(surface);
        } else if (where == "double") {
            doubleClick(surface);
        } else if (where == "right") {
            click(surface, Qt::RightButton);
        } else if (where == "Frame1") {
            click(f->Frame1->mapTo(f, QPoint(3, f->Frame1->height() - 3)));
        } else if (where == "target") {
            click(centreIn(f, target));
        } else if (where == "targetDouble") {
            doubleClick(centreIn(f, target));
        } else if (where == "hiddenTarget") {
            const QPoint at = centreIn(f, target);
            target->hide();
            click(at);
        } else if (where == "disabledTarget") {
            target->setEnabled(false);
            click(centreIn(f, target));
        } else {
            QWidget *w = controls.value(where);
            QVERIFY(w);
            click(centreIn(f, w));
        }
        QCOMPARE(f->Text1->text(), QString::number(hits));
        QCOMPARE(f->Text2->text(), QString::number(hits + misses));
        QCOMPARE(m_fixture->random.drawCount, 2 * hits);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
