// Difficulty and speed: the level scale and the pace of the appearance timers.

#include "platform/gametimer.h"
#include "targets/pace.h"
#include "window/form1.h"

#include <QLabel>
#include <QScrollBar>

void Form1::hScroll1Change()
{
    Label19->setText(Pace::levelName(HScroll1->value()));
    // The label sizes itself to its caption, so it has to be centred again.
    Label19->resize(Label19->sizeHint().width(), Label19->height());
    centreHorizontally(Label19);
}

void Form1::Speed()
{
    const auto intervals = Pace::appearanceIntervals(counter(Text1), HScroll1->value());
    if (!intervals)
        return;
    Timer3->setInterval(Pace::timerInterval(intervals->first));
    Timer4->setInterval(Pace::timerInterval(intervals->second));
}
