#pragma once

#include "core/roundrecord.h"
#include "core/statistics.h"

#include <QList>
#include <QWidget>

class ChartView;
class History;
class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;

// "Статистика": how a player improves, from the history of their rounds. The player is chosen
// by nickname; the window shows the score of every round, accuracy and pace, the reaction times
// of the recent rounds, the best score at each level and the totals, and exports the rounds as
// CSV. The rounds are read once per choice of player and the figures computed then, never
// while painting.
class StatsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit StatsWindow(History &history, QWidget *parent = nullptr);

    // The rounds whose reaction times the histogram shows.
    static constexpr int RecentRounds = 20;

public slots:
    // Reads the nicknames and the chosen player's rounds again (after a round, say); the chosen
    // player stays chosen while the history holds them.
    void reload();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    QWidget *createFigures();
    void showPlayer(int index);
    void showProblem();
    void plotScores(const Statistics::Summary &summary);
    void plotAccuracy();
    void plotReactions();
    void showTotals(const Statistics::Summary &summary);
    void exportCsv();

    History &m_history;
    QList<RoundRecord> m_rounds; // the chosen player's, oldest first

    QLabel *m_problem = nullptr;
    QComboBox *m_nick = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLabel *m_empty = nullptr;
    QWidget *m_figures = nullptr;
    ChartView *m_scores = nullptr;
    ChartView *m_accuracy = nullptr;
    ChartView *m_reactions = nullptr;
    QLabel *m_roundCount = nullptr;
    QLabel *m_timePlayed = nullptr;
    QLabel *m_median = nullptr;
    QLabel *m_percentile90 = nullptr;
    QList<QLabel *> m_best; // levels 1..5
    QPushButton *m_export = nullptr;
    QPushButton *m_close = nullptr;
};
