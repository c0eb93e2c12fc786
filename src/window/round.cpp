// The round: the nickname, starting, pausing, resuming and restarting, the game clock, hits and
// misses, the targets' appearance and pace, and the end of the round with its results.

#include "core/clockcaption.h"
#include "core/pace.h"
#include "core/placement.h"
#include "core/results.h"
#include "core/texts.h"
#include "core/toptable.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/gametimer.h"
#include "platform/history.h"
#include "platform/randomgenerator.h"
#include "platform/scheduler.h"
#include "window/form1.h"
#include "window/namelabel.h"
#include "window/targetpicture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>

#include <algorithm>

namespace {

void showNoNickError(Dialogs &dialogs)
{
    dialogs.messageBox(Texts::NoNick, Texts::NoNickTitle, Dialogs::Buttons::Ok);
}

// A name is one line of the table: a typed or pasted line break becomes a blank.
QString asOneLine(QString answer)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|[\r\n\v\f\u0085\u2028\u2029]"));
    return answer.replace(lineBreak, QStringLiteral(" "));
}

} // namespace

Form1::RoundState Form1::roundState() const
{
    const QString caption = Command2->text();
    if (caption == Texts::Pause)
        return RoundState::Running;
    if (caption == Texts::Resume)
        return RoundState::Paused;
    if (caption == Texts::Restart)
        return RoundState::Over;
    return RoundState::NotStarted;
}

void Form1::showCounters()
{
    Text1->setText(QString::number(m_hits));
    Text2->setText(QString::number(m_clicks));
}

void Form1::command1Click()
{
    for (;;) {
        // Stored before it is checked: while the error box is open the nickname is empty.
        const QString answer = m_dialogs.inputBox(Texts::NickPrompt, Texts::NickTitle);
        if (m_closed)
            return; // the run ended while the prompt was open
        Nick = asOneLine(answer);
        if (!Nick.isEmpty())
            return;
        showNoNickError(m_dialogs);
        if (m_closed)
            return;
    }
}

void Form1::command2Click()
{
    if (Nick.isEmpty()) {
        showNoNickError(m_dialogs);
        return;
    }
    switch (roundState()) {
    case RoundState::Over:
        m_roundTimeMs = 0;
        m_reactionMs.clear();
        m_hits = 0;
        m_clicks = 0;
        showCounters();
        Label2->setText(Texts::ClockAtZero);
        HScroll1->hide();
        Label19->hide();
        PClick->hide();
        setTargetsVisible(false);
        setTargetsEnabled(true);
        Label1->hide();
        Label3->hide();
        Seconds = 0;
        setAllTimersEnabled(true);
        Command2->setText(Texts::Pause);
        break;
    case RoundState::NotStarted:
        HScroll1->hide();
        Label19->hide();
        PClick->hide();
        Command2->setText(Texts::Pause);
        setAllTimersEnabled(true);
        break;
    case RoundState::Running:
        Command2->setText(Texts::Resume);
        setAllTimersEnabled(false);
        setTargetsEnabled(false);
        break;
    case RoundState::Paused:
        Command2->setText(Texts::Pause);
        setAllTimersEnabled(true);
        setTargetsEnabled(true);
        break;
    }
}

void Form1::command3Click()
{
    if (m_dialogs.messageBox(Texts::ExitQuestion, Texts::ExitTitle, Dialogs::Buttons::OkCancel)
            == Dialogs::OkResult
        && !m_closed)
        close();
}

void Form1::timer2Tick()
{
    Seconds = nextSecond(Seconds);
    Label2->setText(clockCaption(Seconds));
}

void Form1::surfaceClick()
{
    if (!clicksCount())
        return;
    ++m_clicks;
    showCounters();
}

void Form1::targetClick(int index)
{
    TargetPicture *target = Image[index];
    const Placement::Anchor anchor = Placement::Anchors[index];
    if (clicksCount())
        m_reactionMs.append(roundTimeMs() - m_shownAt[index]);
    Score();
    target->hide();
    const int d = Placement::offsetFromAnchor(m_random.draw());
    const int side = Placement::BaseSize + Placement::sizeChange(m_random.draw());
    target->setTwipsGeometry({anchor.left - d, anchor.top - d, side, side});
}

void Form1::Score()
{
    if (!clicksCount())
        return;
    ++m_hits;
    ++m_clicks;
    showCounters();
}

void Form1::appearanceTick()
{
    m_random.reseed(Placement::seedValue(m_clock.now()));
    Speed();
    const int shown = Placement::targetForDraw(m_random.draw());
    if (Image[shown]->isHidden())
        m_shownAt[shown] = roundTimeMs();
    Image[shown]->show();
    if (std::all_of(Image.begin(), Image.end(),
                    [](const TargetPicture *target) { return !target->isHidden(); }))
        EndGame();
}

void Form1::hScroll1Change()
{
    Label19->setText(Pace::levelName(HScroll1->value()));
    // The label sizes itself to its caption, so it has to be centred again.
    Label19->resize(Label19->sizeHint().width(), Label19->height());
    centreHorizontally(Label19);
}

void Form1::Speed()
{
    const auto intervals = Pace::appearanceIntervals(double(m_hits), HScroll1->value());
    if (!intervals)
        return;
    Timer3->setInterval(Pace::timerInterval(intervals->first));
    Timer4->setInterval(Pace::timerInterval(intervals->second));
}

void Form1::EndGame()
{
    setAllTimersEnabled(false);

    const int level = HScroll1->value();
    const double hits = double(m_hits);
    const double clicks = double(m_clicks);
    FinalScore = Results::finalScore(hits, clicks, Seconds, level);
    // Written once the tick is over, not in it; a close before that writes it first.
    m_unrecordedRound = RoundRecord{m_clock.now().toUTC(),
                                    Nick,
                                    level,
                                    FinalScore,
                                    m_hits,
                                    m_clicks,
                                    Seconds,
                                    Results::accuracyPercent(hits, clicks),
                                    Results::clicksPerMinute(clicks, Seconds),
                                    TopTable::insertionRow(TopScores, FinalScore) < Rows,
                                    m_reactionMs};
    QMetaObject::invokeMethod(this, &Form1::recordRound, Qt::QueuedConnection);

    // The last picture of the round stays on screen while the box is open. The box only
    // acknowledges a result that is already final: a close meanwhile enters it before saving.
    m_resultAnnounced = true;
    m_dialogs.messageBox(Results::gameOverText(Nick, FinalScore), Texts::GameOverTitle,
                         Dialogs::Buttons::Ok, {Results::GameOverOpening.size(), Nick.size()});
    if (m_closed)
        return; // the run ended while the box was open: the close entered the result

    setTargetsVisible(false);
    HScroll1->show();
    Label19->show();
    PClick->show();

    Label1->setTextWithName(Results::accuracyLine(Nick, hits, clicks, m_numbers),
                            Results::AccuracyOpening.size(), Nick.size());
    Label1->show();
    Label3->setText(Results::clicksPerMinuteLine(clicks, Seconds, m_numbers));
    Label3->show();

    Command2->setText(Texts::Restart);
    enterAnnouncedResult();
}

void Form1::enterAnnouncedResult()
{
    if (!m_resultAnnounced)
        return;
    m_resultAnnounced = false;
    Place = static_cast<qint16>(TopTable::insertionRow(TopScores, FinalScore));
    if (Place < Rows)
        Scores();
}

void Form1::Scores()
{
    TopTable::insert(TopNames, TopScores, Place, Nick + Pace::levelTag(HScroll1->value()),
                     FinalScore);
    m_newResults.append({TopNames[Place], FinalScore});
    refreshTableLabels();
}

qint64 Form1::roundTimeMs() const
{
    return m_roundTimeMs + (m_runningSince ? m_scheduler.nowMs() - *m_runningSince : 0);
}

void Form1::recordRound()
{
    if (m_unrecordedRound && m_history)
        m_history->add(*m_unrecordedRound);
    m_unrecordedRound.reset();
}

void Form1::statisticsKey()
{
    const RoundState state = roundState();
    if ((state == RoundState::NotStarted || state == RoundState::Over)
        && Command4->text() == Texts::HelpOn)
        emit statisticsRequested();
}
