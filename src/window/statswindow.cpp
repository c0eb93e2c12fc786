#include "window/statswindow.h"

#include "core/numberformat.h"
#include "core/pace.h"
#include "core/statistics.h"
#include "platform/history.h"
#include "platform/nametext.h"
#include "window/chartview.h"
#include "window/fonts.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QStackedWidget>

#include <cmath>

namespace {

// Okabe and Ito's colours, told apart also by readers with a colour vision deficiency.
const QColor Green(0x00, 0x9e, 0x73);
const QColor Blue(0x00, 0x72, 0xb2);
const QColor Orange(0xe6, 0x9f, 0x00);
const QColor Vermillion(0xd5, 0x5e, 0x00);
const QColor Purple(0xcc, 0x79, 0xa7);
const QColor Grey(0xb4, 0xbe, 0xc8);

QColor levelColor(int level)
{
    static const QColor colors[] = {Green, Blue, Orange, Vermillion, Purple};
    return colors[std::clamp(level, Pace::MinLevel, Pace::MaxLevel) - Pace::MinLevel];
}

// "1 ч 05 мин", "3 мин 20 с", "45 с".
QString duration(qint64 seconds)
{
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 % 60;
    if (hours > 0)
        return QStringLiteral("%1 ч %2 мин").arg(hours).arg(minutes, 2, 10, QChar(u'0'));
    if (minutes > 0)
        return QStringLiteral("%1 мин %2 с").arg(minutes).arg(seconds % 60, 2, 10, QChar(u'0'));
    return QStringLiteral("%1 с").arg(seconds);
}

ChartView::Series series(const QString &name, const QColor &color, ChartView::Style style)
{
    ChartView::Series series;
    series.name = name;
    series.color = color;
    series.style = style;
    return series;
}

const ChartView::Axis RoundAxis{QStringLiteral("Раунд"), false, 0, true};

QString milliseconds(double value)
{
    return QStringLiteral("%1 мс").arg(qRound64(value));
}

// A name as one line of plain text, at most `width` pixels wide: a line break or tab in it
// shown as a blank, a long one shortened in its middle.
QString shownName(const QString &nick, const QFontMetrics &metrics, int width)
{
    QString line = nick;
    for (QChar &c : line) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return metrics.elidedText(line, Qt::ElideMiddle, width);
}

} // namespace

StatsWindow::StatsWindow(History &history, QWidget *parent)
    : QWidget(parent)
    , m_history(history)
{
    setWindowFlag(Qt::Window); // a window of its own also when the game's window owns it
    setWindowTitle(QStringLiteral("Статистика"));
    // The game's face, a size up: the charts' figures stay readable.
    QFont font = windowFont();
    font.setPixelSize(12);
    setFont(font);
    createControls();
    resize(760, 560);
    reload();
    // Opened from the game, it goes when the game's window closes.
    if (parent)
        parent->installEventFilter(this);
}

bool StatsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == QEvent::Close)
        close();
    return false;
}

void StatsWindow::createControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setTextFormat(Qt::PlainText); // the history's own words, never markup
    m_problem->setWordWrap(true);
    m_problem->setFrameShape(QFrame::StyledPanel);
    m_problem->setMargin(6);
    layout->addWidget(m_problem);

    auto *player = new QHBoxLayout;
    auto *nickLabel = new QLabel(QStringLiteral("Игрок:"), this);
    m_nick = new QComboBox(this);
    m_nick->setAccessibleName(QStringLiteral("Игрок"));
    m_nick->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_nick->setMinimumWidth(200);
    player->addWidget(nickLabel);
    player->addWidget(m_nick);
    player->addStretch();
    layout->addLayout(player);

    m_pages = new QStackedWidget(this);
    m_empty = new QLabel(
        QStringLiteral("Здесь появятся ваши успехи, когда вы сыграете первый раунд."), m_pages);
    m_empty->setObjectName(QStringLiteral("empty"));
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setWordWrap(true);
    m_pages->addWidget(m_empty);
    m_figures = createFigures();
    m_pages->addWidget(m_figures);
    layout->addWidget(m_pages, 1);

    auto *buttons = new QHBoxLayout;
    m_export = new QPushButton(QStringLiteral("Экспорт в CSV…"), this);
    m_close = new QPushButton(QStringLiteral("Закрыть"), this);
    buttons->addWidget(m_export);
    buttons->addStretch();
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_nick, &QComboBox::currentIndexChanged, this, &StatsWindow::showPlayer);
    connect(m_export, &QPushButton::clicked, this, &StatsWindow::exportCsv);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
    setTabOrder(m_nick, m_export);
    setTabOrder(m_export, m_close);
    m_nick->setFocus();
}

QWidget *StatsWindow::createFigures()
{
    auto *page = new QWidget(m_pages);
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(12);

    m_scores = new ChartView(QStringLiteral("Очки за раунд"), page);
    m_accuracy = new ChartView(QStringLiteral("Меткость и темп"), page);
    m_reactions = new ChartView(QStringLiteral("Время реакции"), page);
    m_reactions->setEmptyText(
        QStringLiteral("В последних раундах не было попаданий: здесь нечего показать."));
    grid->addWidget(m_scores, 0, 0);
    grid->addWidget(m_accuracy, 0, 1, 1, 2);
    grid->addWidget(m_reactions, 1, 0, 1, 2);

    auto *panel = new QVBoxLayout;
    panel->setSpacing(3);
    const auto figure = [&](const char *name) {
        auto *label = new QLabel(page);
        label->setObjectName(QLatin1String(name));
        label->setTextFormat(Qt::PlainText);
        panel->addWidget(label);
        return label;
    };
    m_roundCount = figure("rounds");
    m_timePlayed = figure("timePlayed");
    m_median = figure("median");
    m_percentile90 = figure("percentile90");
    panel->addSpacing(8);
    auto *bestTitle = new QLabel(QStringLiteral("Лучший результат"), page);
    QFont bold = bestTitle->font();
    bold.setBold(true);
    bestTitle->setFont(bold);
    panel->addWidget(bestTitle);
    auto *bests = new QGridLayout;
    bests->setHorizontalSpacing(12);
    bests->setVerticalSpacing(2);
    for (int level = Pace::MinLevel; level <= Pace::MaxLevel; ++level) {
        const int row = level - Pace::MinLevel;
        bests->addWidget(new QLabel(Pace::levelName(level), page), row, 0);
        auto *best = new QLabel(page);
        best->setObjectName(QStringLiteral("best%1").arg(level));
        best->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        bests->addWidget(best, row, 1);
        m_best << best;
    }
    panel->addLayout(bests);
    panel->addStretch();
    grid->addLayout(panel, 1, 2);
    grid->setColumnStretch(0, 6);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 3);
    return page;
}

void StatsWindow::reload()
{
    const QString chosen = m_nick->currentData().toString();
    const QStringList nicks = m_history.nicknames();
    {
        const QSignalBlocker quiet(m_nick); // one reading of the rounds, below
        m_nick->clear();
        const int width = m_nick->fontMetrics().averageCharWidth() * 32;
        for (const QString &nick : nicks) {
            const QString shown = shownName(nick, m_nick->fontMetrics(), width);
            m_nick->addItem(shown, nick);
            if (shown != nick)
                m_nick->setItemData(m_nick->count() - 1, NameText::plainToolTip(nick),
                                    Qt::ToolTipRole);
        }
        m_nick->setCurrentIndex(std::max<int>(0, int(nicks.indexOf(chosen))));
    }
    m_nick->setEnabled(!nicks.isEmpty());
    showPlayer(m_nick->currentIndex());
}

void StatsWindow::showProblem()
{
    const QString problem = m_history.problem();
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
}

void StatsWindow::showPlayer(int index)
{
    m_nick->setToolTip(m_nick->itemData(index, Qt::ToolTipRole).toString());
    const QString nick = m_nick->itemData(index).toString();
    m_rounds = index < 0 ? QList<RoundRecord>() : m_history.rounds(nick, RecentRounds);
    showProblem();
    m_export->setEnabled(!m_rounds.isEmpty());
    if (m_rounds.isEmpty()) {
        m_pages->setCurrentWidget(m_empty);
        return;
    }
    m_pages->setCurrentWidget(m_figures);
    const Statistics::Summary summary = Statistics::summarize(m_rounds);
    plotScores(summary);
    plotAccuracy();
    plotReactions();
    showTotals(summary);
}

// Each round's score, a colour for each level.
void StatsWindow::plotScores(const Statistics::Summary &summary)
{
    QList<ChartView::Series> byLevel;
    for (int level = Pace::MinLevel; level <= Pace::MaxLevel; ++level)
        byLevel << series(Pace::levelName(level), levelColor(level), ChartView::Style::Dots);
    for (qsizetype i = 0; i < m_rounds.size(); ++i) {
        const int level = std::clamp(m_rounds[i].level, Pace::MinLevel, Pace::MaxLevel);
        byLevel[level - Pace::MinLevel].points << QPointF(double(i + 1), double(m_rounds[i].score));
    }
    m_scores->setData(RoundAxis, {QStringLiteral("Очки"), true, 0, true}, {}, byLevel);
    const qint64 best =
        std::max_element(summary.bestByLevel.begin(), summary.bestByLevel.end(),
                         [](const auto &a, const auto &b) { return a.second < b.second; })
            ->second;
    m_scores->setAccessibleDescription(
        QStringLiteral("Раундов: %1, лучший результат: %2, в последнем раунде: %3")
            .arg(summary.rounds)
            .arg(best)
            .arg(m_rounds.last().score));
}

// Accuracy on the left axis, clicks per minute on the right.
void StatsWindow::plotAccuracy()
{
    ChartView::Series accuracy =
        series(QStringLiteral("Меткость, %"), Blue, ChartView::Style::Line);
    ChartView::Series pace =
        series(QStringLiteral("Кликов в минуту"), Vermillion, ChartView::Style::Line);
    pace.rightAxis = true;
    for (qsizetype i = 0; i < m_rounds.size(); ++i) {
        accuracy.points << QPointF(double(i + 1), m_rounds[i].accuracy);
        pace.points << QPointF(double(i + 1), m_rounds[i].clicksPerMinute);
    }
    m_accuracy->setData(RoundAxis, {QStringLiteral("Меткость, %"), true, 100},
                        {QStringLiteral("Кликов в минуту"), true, 0, true}, {accuracy, pace});
    // A figure the history could not read (NaN) is told as "—" and left out of the mean.
    const NumberFormat numbers;
    const auto text = [&](double value) {
        return std::isfinite(value) ? numbers.toText(std::round(value * 10) / 10)
                                    : QStringLiteral("—");
    };
    const auto average = [&](double RoundRecord::*field) {
        double sum = 0;
        int count = 0;
        for (const RoundRecord &round : m_rounds) {
            if (std::isfinite(round.*field)) {
                sum += round.*field;
                ++count;
            }
        }
        return text(count > 0 ? sum / count : qQNaN());
    };
    m_accuracy->setAccessibleDescription(
        QStringLiteral("Меткость в последнем раунде: %1 %, в среднем: %2 %. Кликов в минуту в "
                       "последнем раунде: %3, в среднем: %4")
            .arg(text(m_rounds.last().accuracy), average(&RoundRecord::accuracy),
                 text(m_rounds.last().clicksPerMinute), average(&RoundRecord::clicksPerMinute)));
}

// A histogram of the recent reaction times, the median and the 90th percentile marked on it.
void StatsWindow::plotReactions()
{
    const QList<qint64> reactions = Statistics::recentReactions(m_rounds, RecentRounds);
    const double median = Statistics::median(reactions);
    const qint64 percentile90 = Statistics::percentile(reactions, 90);
    const QString medianText = QStringLiteral("Медиана: ") + milliseconds(median);
    const QString percentileText =
        QStringLiteral("90-й процентиль: ") + milliseconds(double(percentile90));
    ChartView::Series bars = series({}, Grey, ChartView::Style::Bars);
    QList<ChartView::Marker> markers;
    if (!reactions.isEmpty()) {
        // About fifteen bars of a round width.
        const auto [low, high] = std::minmax_element(reactions.begin(), reactions.end());
        const qint64 width =
            std::max<qint64>(1, qint64(ChartView::niceStep(double(*high - *low) / 15)));
        qint64 first = *low - ((*low % width) + width) % width; // down, also below 0
        const qint64 filled = (*high - first) / width + 1;
        // At least five bars: a lone value stands among empty ones instead of filling the chart.
        const qint64 empty = std::max<qint64>(0, 5 - filled + 1) / 2;
        first -= empty * width;
        QList<int> counts(filled + 2 * empty, 0);
        for (qint64 ms : reactions)
            ++counts[(ms - first) / width];
        for (qsizetype i = 0; i < counts.size(); ++i)
            bars.points << QPointF(double(first + i * width), counts[i]);
        bars.barWidth = double(width);
        markers << ChartView::Marker{median, medianText, Blue}
                << ChartView::Marker{double(percentile90), percentileText, Vermillion};
    }
    m_reactions->setData(
        {QStringLiteral("Миллисекунды, последние %1 раундов").arg(RecentRounds), false, 0, true},
        {QStringLiteral("Попаданий"), true, 0, true}, {}, {bars}, markers);
    m_reactions->setAccessibleDescription(
        reactions.isEmpty() ? QStringLiteral("Попаданий в последних раундах нет")
                            : QStringLiteral("Попаданий в последних раундах: %1. %2, %3")
                                  .arg(reactions.size())
                                  .arg(medianText, percentileText));
    m_median->setText(reactions.isEmpty() ? QStringLiteral("Медиана: —") : medianText);
    m_percentile90->setText(reactions.isEmpty() ? QStringLiteral("90-й процентиль: —")
                                                : percentileText);
}

void StatsWindow::showTotals(const Statistics::Summary &summary)
{
    m_roundCount->setText(QStringLiteral("Раундов: %1").arg(summary.rounds));
    m_timePlayed->setText(QStringLiteral("Время в игре: ") + duration(summary.secondsPlayed));
    for (int level = Pace::MinLevel; level <= Pace::MaxLevel; ++level) {
        const auto found = summary.bestByLevel.find(level);
        QLabel *label = m_best[level - Pace::MinLevel];
        label->setText(found == summary.bestByLevel.end() ? QStringLiteral("—")
                                                          : QString::number(found->second));
        label->setAccessibleName(Pace::levelName(level) + QStringLiteral(": ") + label->text());
    }
}

void StatsWindow::exportCsv()
{
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Экспорт в CSV"),
                                     QDir::home().filePath(QStringLiteral("popadaika.csv")),
                                     QStringLiteral("Таблица CSV (*.csv)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    // The byte order mark tells a spreadsheet that the file is UTF-8, so the Cyrillic reads right.
    const QByteArray bytes = "\xEF\xBB\xBF" + Statistics::csv(m_rounds).toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return;
    QMessageBox::warning(this, QStringLiteral("Экспорт в CSV"),
                         QStringLiteral("Не удалось записать файл «%1».\n%2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
}
