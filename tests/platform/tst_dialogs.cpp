// The real dialogs, driven in process: titles, texts, buttons, defaults and return values.

#include "platform/gametimer.h"
#include "platform/qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace {

// Runs `answer` on the dialog once it waits in its own event loop; a failed check inside
// leaves the dialog open, so close it then rather than hang.
void whenOpen(std::function<void(QDialog *)> answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget *open = nullptr;
        (void)QTest::qWaitFor(
            [&] { return (open = QApplication::activeModalWidget()) != nullptr; });
        auto *dialog = qobject_cast<QDialog *>(open);
        answer(dialog);
        if (dialog && dialog->isVisible())
            dialog->reject();
    });
}

QStringList buttonTexts(const QDialog *dialog)
{
    QStringList texts;
    for (const QPushButton *button : dialog->findChildren<QPushButton *>())
        texts << button->text();
    texts.sort();
    return texts;
}

QPushButton *button(const QDialog *dialog, const QString &text)
{
    for (QPushButton *b : dialog->findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

const QString Ok = QStringLiteral("ОК");
const QString Cancel = QStringLiteral("Отмена");

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxShowsTextTitleAndButtons_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("press"); // empty: the Enter key
        QTest::addColumn<int>("result");
        QTest::addRow("ok only") << int(Dialogs::Buttons::Ok) << Ok << 1;
        QTest::addRow("ok of two") << int(Dialogs::Buttons::OkCancel) << Ok << 1;
        QTest::addRow("cancel of two") << int(Dialogs::Buttons::OkCancel) << Cancel << 2;
        QTest::addRow("enter takes the first") << int(Dialogs::Buttons::OkCancel) << QString() << 1;
    }
    void messageBoxShowsTextTitleAndButtons()
    {
        QFETCH(int, buttons);
        QFETCH(QString, press);
        QFETCH(int, result);
        const auto style = static_cast<Dialogs::Buttons>(buttons);
        whenOpen([&](QDialog *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QStringLiteral("Выход"));
            QCOMPARE(box->text(), QStringLiteral("Вы уверены? <b>Вася</b>"));
            QCOMPARE(box->textFormat(), Qt::PlainText);
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(buttonTexts(box),
                     (style == Dialogs::Buttons::Ok ? QStringList{Ok} : QStringList{Ok, Cancel}));
            QCOMPARE(box->defaultButton(), button(box, Ok));
            if (press.isEmpty())
                QTest::keyClick(box, Qt::Key_Return);
            else
                button(box, press)->click();
        });
        QtDialogs dialogs;
        QCOMPARE(dialogs.messageBox(QStringLiteral("Вы уверены? <b>Вася</b>"),
                                    QStringLiteral("Выход"), style),
                 result);
    }

    void promptReturnsTypedTextOrEmptyOnCancel_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("answer");
        QTest::addRow("ok") << QStringLiteral("Вася") << Ok << QStringLiteral("Вася");
        QTest::addRow("blanks kept") << QStringLiteral("  ") << Ok << QStringLiteral("  ");
        QTest::addRow("cancel") << QStringLiteral("Вася") << Cancel << QString();
    }
    void promptReturnsTypedTextOrEmptyOnCancel()
    {
        QFETCH(QString, typed);
        QFETCH(QString, press);
        QFETCH(QString, answer);
        whenOpen([&](QDialog *dialog) {
            auto *input = qobject_cast<QInputDialog *>(dialog);
            QVERIFY(input);
            QCOMPARE(input->windowTitle(), QStringLiteral("Ваш ник"));
            QCOMPARE(input->labelText(), QStringLiteral("Введите свой ник."));
            QCOMPARE(buttonTexts(input), (QStringList{Ok, Cancel}));
            auto *edit = input->findChild<QLineEdit *>();
            QCOMPARE(edit->text(), QString());
            edit->setText(typed); // QTest types ASCII only
            button(input, press)->click();
        });
        QtDialogs dialogs;
        QCOMPARE(dialogs.inputBox(QStringLiteral("Введите свой ник."), QStringLiteral("Ваш ник")),
                 answer);
    }

    void timersTickWhileADialogIsOpen()
    {
        GameTimer timer(20);
        int ticks = 0;
        connect(&timer, &GameTimer::tick, &timer, [&] { ++ticks; });
        timer.setEnabled(true);
        whenOpen([&](QDialog *dialog) {
            (void)QTest::qWaitFor([&] { return ticks >= 3; }, 2000);
            button(dialog, Ok)->click();
        });
        QtDialogs().messageBox(QStringLiteral("Игра идёт"), QStringLiteral("Выход"),
                               Dialogs::Buttons::Ok);
        QVERIFY(ticks >= 3);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
