// The statistics window: its figures, and the rounds it exports, from a real history on disk.

#include "doubles/tempdir.h"
#include "platform/history.h"
#include "window/chartview.h"
#include "window/statswindow.h"

#include <QtTest>
#include <QtWidgets>

class TestStatsWindow : public QObject
{
    Q_OBJECT

    TempDir m_dir;
    std::unique_ptr<History> m_history;
    const QString m_boris = "\t=1\r\n\"Борис\""; // begins like a formula, a line break inside

private slots:
    // Аня: a slow first round that the histogram leaves out (it shows the last 20) but whose
    // score stays her best at level 1; then 20 more, at levels 2 3 4 5 1 2 ...; Борис last.
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", m_dir.path().toUtf8());
        QLocale::setDefault(QLocale::German); // whose decimal comma must reach no figure
        m_history = std::make_unique<History>(m_dir.path() + "/history.sqlite");
        const QDateTime at(QDate(2026, 12, 7), QTime(2, 32, 5), Qt::UTC);
        for (qint64 i = 0, last = 21; i <= last; ++i)
            QVERIFY(m_history->add({at, i < last ? "Аня" : m_boris, int(i % 5 + 1), i ? i : 1000, 1,
                                    1, i < last ? 185 : 45, i < last ? 100 : 83.3, 60, false,
                                    QList<qint64>{i ? i * 10 : 9999}}));
    }

    // Борис, who played last, is shown first; Аня's reactions of 10..200 ms have the mean of the
    // middle two as their median and the 18th as their 90th percentile.
    void figuresOfTheChosenPlayer()
    {
        StatsWindow window(*m_history);
        auto *players = window.findChild<QComboBox *>();
        QCOMPARE(players->accessibleName() + ": " + players->currentText(),
                 "Игрок:  =1  \"Борис\"");
        QVERIFY(players->toolTip().contains("Борис")); // the name as it is
        players->setCurrentIndex(players->findText("Аня"));
        QStringList shown; // as a screen reader says them, in the order they were made
        for (QLabel *label : window.findChildren<QLabel *>(
                 QRegularExpression("^(rounds|timePlayed|median|percentile90|best.)$")))
            shown << QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
        for (const ChartView *chart : window.findChildren<ChartView *>()) // its name, then more
            shown << chart->accessibleName() + ". " + chart->accessibleDescription();
        QCOMPARE(shown.join('|'),
                 "Раундов: 21|Время в игре: 1 ч 04 мин|Медиана: 105 мс|"
                 "90-й процентиль: 180 мс|Очень легко: 1000|Легко: 16|Норма: 17|Тяжело: 18|"
                 "Очень тяжело: 19|Очки за раунд. "
                 "Раундов: 21, лучший результат: 1000, в последнем раунде: 20|Меткость и темп. "
                 "Меткость в последнем раунде: 100 %, в среднем: 100 %. Кликов в минуту в "
                 "последнем раунде: 60, в среднем: 60|Время реакции. "
                 "Попаданий в последних раундах: 20. Медиана: 105 мс, 90-й процентиль: 180 мс");
    }

    // "Экспорт в CSV…" writes the rounds of the player shown, every field quoted, a name that
    // begins like a formula disarmed, for a spreadsheet that knows UTF-8 by its byte order mark.
    void exportWritesTheShownPlayersRounds()
    {
        StatsWindow window(*m_history);
        const QString path = m_dir.filePath("rounds.csv");
        QTimer::singleShot(0, [&path] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept(); // public there
        });
        window.findChild<QPushButton *>()->click(); // the first: export
        QCOMPARE(
            m_dir.contents("rounds.csv"),
            "\xEF\xBB\xBF\"Время (UTC)\",\"Ник\",\"Уровень\",\"Очки\",\"Попадания\",\"Клики\","
            "\"Секунды\",\"Меткость, %\",\"Кликов в минуту\",\"В таблице\"\r\n"
            "\"2026-12-07T02:32:05Z\",\"'\t=1\r\n\"\"Борис\"\"\",\"2\",\"21\",\"1\",\"1\",\"45\","
            "\"83.3\",\"60\",\"нет\"\r\n");
    }
};

QTEST_MAIN(TestStatsWindow)
#include "tst_statswindow.moc"
