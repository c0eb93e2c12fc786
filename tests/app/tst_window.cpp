// The window as the player first sees it: controls, geometry, fonts, pictures and which
// clicks reach which handler.

#include "doubles/formfixture.h"
#include "game/texts.h"
#include "platform/gametimer.h"
#include "platform/targetpicture.h"
#include "platform/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QWindow>

namespace {

QPoint centreIn(const QWidget *form, const QWidget *control)
{
    return control->mapTo(form, control->rect().center());
}

QString captionOf(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (auto *button = qobject_cast<const QPushButton *>(w))
        return button->text();
    if (auto *frame = qobject_cast<const QGroupBox *>(w))
        return frame->title();
    return QString();
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<FormFixture> m_fixture;
    Form1 *f = nullptr;

private slots:
    void init()
    {
        m_fixture = std::make_unique<FormFixture>();
        f = &m_fixture->load();
    }
    void cleanup() { m_fixture.reset(); }

    void startUpShowsExactlyTheInitialWindow()
    {
        QCOMPARE(f->windowTitle(), QStringLiteral("Попадайка"));
        QVERIFY(f->windowFlags() & Qt::CustomizeWindowHint
                && f->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(
            !(f->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        f->resize(800, 800);
        QCOMPARE(f->size(), QSize(476, 477));
        QCOMPARE(f->cursor().hotSpot(), QPoint(15, 15)); // the crosshair, also over the targets
        QCOMPARE(f->Image[3]->cursor().shape(), Qt::BitmapCursor);
        const QList<std::tuple<QWidget *, bool, QString, QRect>> controls{
            {f->Label4, true, "Количество  кликов", {120, 0, 1575, 255}},
            {f->Label6, true, "Метких", {120, 360, 735, 255}},
            {f->Label5, true, " Всего", {960, 360, 735, 375}},
            {f->Text1, true, "0", {240, 840, 615, 285}},
            {f->Text2, true, "0", {1080, 840, 735, 285}},
            {f->Label2, true, "Прошло времени: 00:00", {4320, 960, 2775, 255}},
            {f->Label1, false, "Label1", {1800, 120, 5295, 375}},
            {f->Label3, false, "Label3", {1800, 480, 5295, 495}},
            {f->PClick, true, QString(), {1050, 3465, 4860, 1560}},
            {f->Frame1, true, "Меню", {120, 6240, 6855, 735}},
            {f->Frame2, false, QString(), {120, 1200, 6945, 5055}},
            {f->Ent, false, " \r\n", {6510, 0, 330, 285}},
            {f->Command1, true, "НикНейм", {120, 240, 1575, 375}},
            {f->Command2, true, "Начать", {1800, 240, 1575, 375}},
            {f->Command4, true, "Вкл. помощь", {3480, 240, 1575, 375}},
            {f->Command3, true, "Выход", {5160, 240, 1575, 375}},
            {f->Command5, true, "Правила", {210, 210, 1485, 330}},
            {f->Command6, true, "10-ка лучших", {2835, 210, 1485, 330}},
            {f->Command7, true, "О создателях", {5250, 210, 1485, 330}}};
        for (const auto &[control, shown, caption, twips] : controls) {
            QCOMPARE(!control->isHidden(), shown);
            QCOMPARE(captionOf(control), caption);
            QCOMPARE(control->geometry(), Twips::toPixels(twips));
        }
        QCOMPARE(f->Line1->geometry(), QRect(64, 24, 1, 49));
        QVERIFY(!f->Label19->isHidden() && !f->HScroll1->isHidden() && !f->Line1->isHidden());
        QCOMPARE(f->Label19->text(), QStringLiteral("Норма"));
        QCOMPARE(QList({f->HScroll1->minimum(), f->HScroll1->maximum(), f->HScroll1->value(),
                        f->HScroll1->singleStep(), f->HScroll1->pageStep()}),
                 QList({1, 5, 3, 1, 1}));
        QCOMPARE(f->PClick->contentsRect().size(), QSize(320, 100));
        for (QLineEdit *counter : {f->Text1, f->Text2}) {
            // Display only, yet drawn like a label: normal text colour on the button face.
            QVERIFY(!counter->isEnabled());
            QCOMPARE(counter->palette().color(QPalette::Disabled, QPalette::Text),
                     f->palette().color(QPalette::WindowText));
            QCOMPARE(counter->palette().color(QPalette::Disabled, QPalette::Base),
                     f->palette().color(QPalette::Button));
        }
        for (GameTimer *timer : {f->Timer1, f->Timer2, f->Timer3, f->Timer4})
            QCOMPARE(std::pair(timer->isEnabled(), timer->interval()),
                     std::pair(false, timer == f->Timer1 ? 10 : 1000));
        static constexpr std::array<QPoint, Form1::Targets> positions{{{840, 1680},
                                                                       {840, 5040},
                                                                       {3120, 1680},
                                                                       {5640, 1800},
                                                                       {6000, 3360},
                                                                       {480, 3240},
                                                                       {2160, 3360},
                                                                       {4200, 3240},
                                                                       {3120, 5040},
                                                                       {5280, 4800}}};
        for (int i = 0; i < Form1::Targets; ++i) {
            const TargetPicture *t = f->Image[i];
            QVERIFY(t->isHidden() && t->isEnabled());
            QCOMPARE(QRect(t->Left(), t->Top(), t->Width(), t->Height()),
                     QRect(positions[i], QSize(375, 375)));
        }
        for (int i = 0; i < Form1::Rows; ++i) {
            const int top = 1260 + 240 * i;
            QVERIFY(f->Mesto[i]->isHidden() && f->NameP[i]->isHidden()
                    && f->ScoresP[i]->isHidden());
            QCOMPARE(f->Mesto[i]->text(),
                     i < 10 ? QString::number(i + 1) + '.' : QStringLiteral("LoL."));
            QCOMPARE(f->Mesto[i]->geometry(), Twips::rect(1785, top,
                                                          i < 9    ? 135
                                                          : i == 9 ? 255
                                                                   : 375,
                                                          255));
            QCOMPARE(f->NameP[i]->geometry(), Twips::rect(2145, top, 1335, 255));
            QCOMPARE(f->ScoresP[i]->geometry(), Twips::rect(3705, top, 1215, 255));
        }
    }

    void focusMovesThroughTheButtonsInOrder()
    {
        f->Frame2->show();
        QWidget *w = f->Command1;
        for (QWidget *next :
             {static_cast<QWidget *>(f->Command2), static_cast<QWidget *>(f->Command3),
              static_cast<QWidget *>(f->Command4), static_cast<QWidget *>(f->HScroll1),
              static_cast<QWidget *>(f->Command5), static_cast<QWidget *>(f->Command6),
              static_cast<QWidget *>(f->Command7)}) {
            do
                w = w->nextInFocusChain();
            while (w != next && !(w->focusPolicy() & Qt::TabFocus));
            QCOMPARE(w, next);
        }
    }

    void resizedTargetShowsTheWholePictureScaled()
    {
        for (const int side : {201, 550}) {
            TargetPicture *target = f->Image[0];
            target->setWidth(side);
            target->setHeight(side);
            target->show();
            const QImage image = target->grab().toImage();
            const int px = Twips::toPixels(side);
            QCOMPARE(image.size(), QSize(px, px));
            // Scaled, not clipped or tiled: the rim touches the middle of every edge while the
            // corners stay see-through.
            const QColor background = f->palette().color(QPalette::Window);
            for (const QPoint rim : {QPoint(0, px / 2), QPoint(px - 1, px / 2), QPoint(px / 2, 0),
                                     QPoint(px / 2, px - 1)})
                QVERIFY(image.pixelColor(rim) != background);
            QCOMPARE(image.pixelColor(0, 0), background);
        }
    }

    void helpPanelLiesAboveScrollBarAndTargets()
    {
        f->Image[5]->show(); // Image6 lies under the panel
        f->command4Click();
        for (QWidget *below :
             std::initializer_list<QWidget *>{f->HScroll1, f->Image[5], f->PClick, f->Label19}) {
            QWidget *top = f->childAt(centreIn(f, below));
            QVERIFY(top == f->Frame2 || f->Frame2->isAncestorOf(top));
        }
        // Nothing beneath shows through: the panel looks the same with or without the target.
        const QImage withTarget = f->grab(f->Frame2->geometry()).toImage();
        f->Image[5]->hide();
        QCOMPARE(f->grab(f->Frame2->geometry()).toImage(), withTarget);
    }

    void everyFixedCaptionFitsItsControl()
    {
        auto fits = [](const QWidget *w, const QString &text, int margin = 0) {
            const QFontMetrics metrics(w->font());
            const int width = metrics.horizontalAdvance(text) + margin;
            if (width > w->contentsRect().width() || metrics.height() > w->height() + 2)
                QTest::qFail(qPrintable(QStringLiteral("'%1' needs %2 px of %3")
                                            .arg(text)
                                            .arg(width)
                                            .arg(w->width())),
                             __FILE__, __LINE__);
        };
        for (QWidget *w :
             std::initializer_list<QWidget *>{f->Label4, f->Label5, f->Label6, f->Frame1})
            fits(w, captionOf(w));
        for (const QLabel *place : f->Mesto)
            fits(place, place->text());
        fits(f->Label2, QStringLiteral("Прошло времени: 546:07"));
        fits(f->Label1, QStringLiteral("Меткость Игрок'a = 66.6%"));
        fits(f->Label3, QStringLiteral("Количество кликов в минуту = 1234"));
        fits(f->Text2, QStringLiteral("99999"));
        fits(f->ScoresP[0], QStringLiteral("-2147483648"));
        const QList<QPair<QPushButton *, QStringList>> buttons{
            {f->Command1, {"НикНейм"}},
            {f->Command2, {"Начать", "Пауза", "Продолжить", "Заново"}},
            {f->Command3, {"Выход"}},
            {f->Command4, {"Вкл. помощь", "Выкл. помощь"}},
            {f->Command5, {"Правила"}},
            {f->Command6, {"10-ка лучших"}},
            {f->Command7, {"О создателях"}}};
        for (const auto &[button, texts] : buttons)
            for (const QString &text : texts)
                fits(button, text, 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin));
        for (int level = 1; level <= 5; ++level) {
            f->HScroll1->setValue(level);
            QVERIFY(f->Label19->x() >= 0 && f->Label19->geometry().right() < f->width());
        }
        // The rules and the credits, wrapped, fit the panel's text area.
        const QRect area = f->Label7->contentsRect();
        for (const QStringList &lines : {Texts::rulesLines(), Texts::creditLines()})
            QVERIFY(QFontMetrics(f->Label7->font())
                        .boundingRect(area, Qt::TextWordWrap, lines.join('\n'))
                        .height()
                    <= area.height());
    }

    void clicksReachOnlyTheirOwnHandler_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("misses");
        QTest::addColumn<int>("hits");
        QTest::addRow("bare surface") << "surface" << 1 << 0;
        QTest::addRow("quick double click on the surface") << "double" << 1 << 0;
        QTest::addRow("right button on the surface") << "right" << 0 << 0;
        for (const char *control : {"Label4", "Label19", "PClick", "Text2", "Frame1", "HScroll1"})
            QTest::addRow("%s", control) << control << 0 << 0;
        QTest::addRow("shown target") << "target" << 0 << 1;
        QTest::addRow("double click on a target") << "targetDouble" << 0 << 1;
        QTest::addRow("where a hidden target lies") << "hiddenTarget" << 1 << 0;
        QTest::addRow("disabled target") << "disabledTarget" << 0 << 0;
    }
    void clicksReachOnlyTheirOwnHandler()
    {
        QFETCH(QString, where);
        QFETCH(int, misses);
        QFETCH(int, hits);
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        // A round runs, so every click that reaches a handler counts; no target appears.
        f->Nick = QStringLiteral("Вася");
        f->command2Click();
        for (GameTimer *timer : {f->Timer2, f->Timer3, f->Timer4})
            timer->setInterval(0);
        m_fixture->random.draws = {0.5f, 0.5f};
        TargetPicture *target = f->Image[6];
        target->show();
        const QMap<QString, QWidget *> controls{{"Label4", f->Label4},     {"Label19", f->Label19},
                                                {"PClick", f->PClick},     {"Text2", f->Text2},
                                                {"HScroll1", f->HScroll1}, {"Frame1", f->Frame1}};
        for (QWidget *w : std::initializer_list<QWidget *>{f->Label19, f->PClick, f->HScroll1})
            w->setVisible(controls.value(where) == w); // only the one under test, as between rounds
        const QPoint surface(f->width() - 30, 130);
        QVERIFY(!f->childAt(surface));
        QPoint at = centreIn(f, target);
        if (where == "surface" || where == "double" || where == "right")
            at = surface;
        else if (where == "Frame1")
            at = f->Frame1->mapTo(f, QPoint(3, f->Frame1->height() - 3));
        else if (controls.contains(where))
            at = centreIn(f, controls.value(where));
        target->setVisible(where != "hiddenTarget");
        target->setEnabled(where != "disabledTarget");
        // Through the window system, as the player clicks: Qt routes each press to the control
        // under the mouse and makes a double click of two quick presses.
        if (where == "double" || where == "targetDouble")
            QTest::mouseDClick(f->windowHandle(), Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(f->windowHandle(),
                              where == "right" ? Qt::RightButton : Qt::LeftButton, {}, at);
        QCOMPARE(f->Text1->text(), QString::number(hits));
        QCOMPARE(f->Text2->text(), QString::number(hits + misses));
        QCOMPARE(m_fixture->random.drawCount, 2 * hits);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
