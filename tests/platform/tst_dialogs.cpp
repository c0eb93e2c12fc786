// The real dialogs, driven in process: titles, texts, buttons, defaults and return values.

#include "platform/gametimer.h"
#include "platform/qtdialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace {

// Runs `answer` on the dialog once it is open and waiting in its own event loop.
void whenOpen(std::function<void(QWidget *)> answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget *dialog = nullptr;
        (void)QTest::qWaitFor([&] { return (dialog = QApplication::activeModalWidget()) != nullptr; });
        if (dialog)
            answer(dialog);
    });
}

QStringList buttonTexts(QWidget *dialog)
{
    QStringList texts;
    for (auto *button : dialog->findChild<QDialogButtonBox *>()->buttons())
        texts << button->text();
    return texts;
}

QPushButton *buttonNamed(QWidget *dialog, const QString &text)
{
    for (auto *button : dialog->findChildren<QPushButton *>())
        if (button->text() == text)
            return button;
    return nullptr;
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxShowsTextTitleAndButtons_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QStringList>("expectedButtons");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("expectedResult");
        const QString ok = QStringLiteral("ОК");
        const QString cancel = QStringLiteral("Отмена");
        QTest::addRow("ok only") << int(Dialogs::Buttons::Ok) << QStringList{ok} << ok << 1;
        QTest::addRow("ok of two") << int(Dialogs::Buttons::OkCancel) << QStringList{ok, cancel} << ok << 1;
        QTest::addRow("cancel of two") << int(Dialogs::Buttons::OkCancel) << QStringList{ok, cancel} << cancel << 2;
        QTest::addRow("enter takes the first") << int(Dialogs::Buttons::OkCancel) << QStringList{ok, cancel} << QString() << 1;
    }
    void messageBoxShowsTextTitleAndButtons()
    {
        QFETCH(int, buttons);
        QFETCH(QStringList, expectedButtons);
        QFETCH(QString, press);
        QFETCH(int, expectedResult);

        QString title, text;
        QStringList shownButtons;
        bool noIcon = false;
        bool okIsDefault = false;
        whenOpen([&](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            noIcon = box->icon() == QMessageBox::NoIcon;
            shownButtons = buttonTexts(box);
            okIsDefault = box->defaultButton() == buttonNamed(box, QStringLiteral("ОК"));
            if (press.isEmpty())
                QTest::keyClick(box, Qt::Key_Return);
            else
                buttonNamed(box, press)->click();
        });
        QtDialogs dialogs;
        const int result = dialogs.messageBox(QStringLiteral("Вы уверены? <b>x</b>"),
                                              QStringLiteral("Выход"),
                                              static_cast<Dialogs::Buttons>(buttons));
        QCOMPARE(result, expectedResult);
        QCOMPARE(title, QStringLiteral("Выход"));
        QCOMPARE(text, QStringLiteral("Вы уверены? <b>x</b>"));
        QVERIFY(noIcon);
        QVERIFY(okIsDefault);
        QCOMPARE(shownButtons.size(), expectedButtons.size());
        for (const QString &b : expectedButtons)
            QVERIFY(shownButtons.contains(b));
    }

    void promptReturnsTypedTextOrEmptyOnCancel_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("expected");
        QTest::addRow("ok") << QStringLiteral("Вася") << QStringLiteral("ОК") << QStringLiteral("Вася");
        QTest::addRow("blanks kept") << QStringLiteral("  ") << QStringLiteral("ОК") << QStringLiteral("  ");
        QTest::addRow("cancel") << QStringLiteral("Вася") << QStringLiteral("Отмена") << QString();
    }
    void promptReturnsTypedTextOrEmptyOnCancel()
    {
        QFETCH(QString, typed);
        QFETCH(QString, press);
        QFETCH(QString, expected);

        QString title, label, initialText;
        QStringList shownButtons;
        whenOpen([&](QWidget *dialog) {
            auto *input = qobject_cast<QInputDialog *>(dialog);
            QVERIFY(input);
            title = input->windowTitle();
            label = input->labelText();
            shownButtons = buttonTexts(input);
            auto *edit = input->findChild<QLineEdit *>();
            initialText = edit->text();
            edit->setText(typed); // QTest types ASCII only
            buttonNamed(input, press)->click();
        });
        QtDialogs dialogs;
        const QString answer = dialogs.inputBox(QStringLiteral("Введите свой ник."),
                                                QStringLiteral("Ваш ник"));
        QCOMPARE(answer, expected);
        QCOMPARE(title, QStringLiteral("Ваш ник"));
        QCOMPARE(label, QStringLiteral("Введите свой ник."));
        QCOMPARE(initialText, QString());
        QCOMPARE(shownButtons.size(), 2);
        QVERIFY(shownButtons.contains(QStringLiteral("ОК")));
        QVERIFY(shownButtons.contains(QStringLiteral("Отмена")));
    }

    void timersTickWhileADialogIsOpen()
    {
        GameTimer timer(20);
        int ticks = 0;
        connect(&timer, &GameTimer::tick, &timer, [&] { ++ticks; });
        timer.setEnabled(true);
        whenOpen([&](QWidget *dialog) {
            (void)QTest::qWaitFor([&] { return ticks >= 3; }, 2000);
            buttonNamed(dialog, QStringLiteral("ОК"))->click();
        });
        QtDialogs dialogs;
        dialogs.messageBox(QStringLiteral("Игра идёт"), QStringLiteral("Выход"), Dialogs::Buttons::Ok);
        QVERIFY(ticks >= 3);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
