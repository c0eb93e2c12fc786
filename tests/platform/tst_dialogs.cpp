#include "platform/qtdialogs.h"

#include <QTest>
#include <QtWidgets>

// Once the next dialog is open: notes in `seen` what it shows, as "title (tooltip): texts /
// buttons" with the tooltip as it displays, if any, the default button marked "!", a button's
// icon as "icon" and a label not centred in the dialog (an icon, or the empty column of one beside
// the text) as "off-centre"; then types `typed` and presses `press`. The dialog is drawn in a style
// that, like KDE's and GNOME's, puts stock icons on dialog buttons.
static void answerNextDialog(QString &seen, const QString &typed, const QString &press)
{
    qApp->setStyleSheet("QDialogButtonBox { dialogbuttonbox-buttons-have-icons: 1; }");
    QTimer::singleShot(0, [&seen, typed, press] {
        QWidget *dialog = QApplication::activeModalWidget();
        seen = dialog->windowTitle();
        if (!dialog->toolTip().isEmpty()) {
            QTextDocument tooltip;
            tooltip.setHtml(dialog->toolTip());
            seen += " (" + tooltip.toPlainText() + ')';
        }
        seen += ':';
        for (const QLabel *label : dialog->findChildren<QLabel *>()) {
            const bool centred = 2 * label->x() + label->width() == dialog->width();
            seen += ' ' + label->text() + (label->isHidden() || centred ? "" : " off-centre");
            if (label->textFormat() != Qt::PlainText && Qt::mightBeRichText(label->text()))
                seen += " (as markup)"; // as QLabel decides
        }
        QTest::keyClicks(dialog->focusWidget(), typed);
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
            seen += " / " + button->text() + (button->isDefault() ? "!" : "")
                    + (button->icon().isNull() ? "" : " icon");
            if (button->text() == press)
                button->click();
        }
    });
}

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void promptGivesTheTypedNameAndAShortNoticeNeedsNoTooltip()
    {
        QString seen;
        answerNextDialog(seen, "Vasya", "ОК");
        QCOMPARE(QtDialogs().inputBox("Введите свой ник.", "Ваш ник"), QStringLiteral("Vasya"));
        QCOMPARE(seen, QStringLiteral("Ваш ник: Введите свой ник. / ОК! / Отмена"));
        // A short notice: nothing shortened, so no tooltip (the first label, the icon's, is empty).
        answerNextDialog(seen, "", "ОК");
        QtDialogs().messageBox("Вы не ввели свой ник!", "Ошибка", Dialogs::Buttons::Ok);
        QCOMPARE(seen, QStringLiteral("Ошибка:  Вы не ввели свой ник! / ОК!"));
    }

    // A name of markup and a right-to-left override, far too long: on screen it is shortened and
    // kept to its own direction, so the box's words stay as they are; the tooltip shows the text
    // as typed, brackets and doubled blanks included.
    void boxShowsALongNameShortenedAndAsText()
    {
        const QString name = "\u202E<img src=/etc/passwd>  <b>" + QString(1000, u'Я') + "</b>";
        const QString text = "Игра окончена, " + name + " вы набрали 3 очков!";
        QString seen;
        answerNextDialog(seen, "", "Отмена");
        QCOMPARE(QtDialogs().messageBox(text, "Game Over", Dialogs::Buttons::OkCancel,
                                        {15, name.size()}),
                 2);
        const QRegularExpression shortened(
            "^Game Over \\(" + QRegularExpression::escape(text)
            + "\\): + Игра окончена, \u2068\u202E<img .*…Я+</b>\u2069 "
              "вы набрали 3 очков! / ОК! / Отмена$");
        QVERIFY2(shortened.match(seen).hasMatch(), qPrintable(seen));
    }

    // A notice's file names stay whole on their lines, a folder too long for a line shortened
    // in its middle; the tooltip has the notice as it was.
    void boxKeepsQuotedNamesWhole()
    {
        const QString text = "Файл «a b» в папке «/home/" + QString(300, u'п') + "» повреждён.";
        QString seen;
        answerNextDialog(seen, "", "ОК");
        QtDialogs().messageBox(text, "Попадайка", Dialogs::Buttons::Ok);
        const QRegularExpression shown(
            "^Попадайка \\(" + QRegularExpression::escape(text)
            + "\\): + Файл «a\u2060\u00A0\u2060b» в папке «/\u2060h\u2060o\u2060m\u2060e\u2060/"
              "(\u2060п)+\u2060…(\u2060п)+» повреждён\\. / ОК!$");
        QVERIFY2(shown.match(seen).hasMatch(), qPrintable(seen));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
