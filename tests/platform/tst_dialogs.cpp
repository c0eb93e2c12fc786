#include "platform/qtdialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QTest>
#include <QTimer>

static const QString Ok = QStringLiteral("\u041E\u041A"); // "ОК" in Cyrillic letters
static const QString Cancel = QStringLiteral("Отмена");

// Desktop styles such as KDE's and GNOME's put stock icons on standard dialog buttons; so does
// this one, which makes such icons show here.
class IconButtonsStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *data) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// What the open dialog showed.
struct Seen {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QStringList buttons;
    QString defaultButton;
    bool icons = false;
};

// Once the next dialog is open: notes what it shows, types `typed` into its line edit if it
// has one, then presses the button reading `press`, or closes the dialog when `press` is empty.
static void answerNextDialog(Seen &seen, const QString &typed, const QString &press)
{
    QTimer::singleShot(0, [&seen, typed, press] {
        QWidget *dialog = QApplication::activeModalWidget();
        seen.title = dialog->windowTitle();
        for (const QLabel *label : dialog->findChildren<QLabel *>()) {
            seen.icons = seen.icons || !label->pixmap().isNull();
            if (!label->text().isEmpty()) {
                seen.text = label->text();
                seen.format = label->textFormat();
            }
        }
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
            seen.buttons << button->text();
            seen.icons = seen.icons || !button->icon().isNull();
            if (button->isDefault())
                seen.defaultButton = button->text();
        }
        for (QLineEdit *edit : dialog->findChildren<QLineEdit *>())
            edit->insert(typed);
        // A button that is not there closes the dialog too, so a failing test never hangs.
        const auto buttons = dialog->findChildren<QPushButton *>();
        const auto pressed = std::find_if(buttons.begin(), buttons.end(), [&](QPushButton *button) {
            return button->text() == press;
        });
        if (pressed == buttons.end())
            dialog->close();
        else
            (*pressed)->click();
    });
}

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(new IconButtonsStyle); }

    void messageBoxShowsPlainTextAndRussianButtons_data()
    {
        QTest::addColumn<Dialogs::Buttons>("buttons");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("result");
        const auto ok = Dialogs::Buttons::Ok;
        const auto both = Dialogs::Buttons::OkCancel;
        QTest::newRow("OK") << ok << Ok << QStringList{Ok} << 1;
        QTest::newRow("OK of two") << both << Ok << QStringList{Ok, Cancel} << 1;
        QTest::newRow("Cancel") << both << Cancel << QStringList{Ok, Cancel} << 2;
        QTest::newRow("closed: as Cancel") << both << "" << QStringList{Ok, Cancel} << 2;
    }
    void messageBoxShowsPlainTextAndRussianButtons()
    {
        QFETCH(Dialogs::Buttons, buttons);
        QFETCH(QString, press);
        QFETCH(QStringList, shown);
        QFETCH(int, result);
        Seen seen;
        answerNextDialog(seen, QString(), press);
        QCOMPARE(QtDialogs().messageBox("<b>x</b>", "Выход", buttons), result);
        QCOMPARE(seen.title, QStringLiteral("Выход"));
        QCOMPARE(seen.text, QStringLiteral("<b>x</b>"));
        QCOMPARE(seen.format, Qt::PlainText);
        QCOMPARE(seen.buttons, shown);
        QCOMPARE(seen.defaultButton, Ok);
        QVERIFY2(!seen.icons, "the box or a button shows an icon");
    }

    void promptGivesTypedTextOnOkOnly_data()
    {
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("result");
        QTest::newRow("OK") << Ok << "Вася";
        QTest::newRow("Cancel") << Cancel << "";
        QTest::newRow("closed") << QString() << QString();
    }
    void promptGivesTypedTextOnOkOnly()
    {
        QFETCH(QString, press);
        QFETCH(QString, result);
        Seen seen;
        answerNextDialog(seen, "Вася", press);
        QCOMPARE(QtDialogs().inputBox("Введите свой ник.", "Ваш ник"), result);
        QCOMPARE(seen.title, QStringLiteral("Ваш ник"));
        QCOMPARE(seen.text, QStringLiteral("Введите свой ник."));
        QCOMPARE(seen.buttons, QStringList({Ok, Cancel}));
        QCOMPARE(seen.defaultButton, Ok);
        QVERIFY2(!seen.icons, "a button shows an icon");
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
