// The game clock: one second of running time per tick of Timer2.

#include "game/clockcaption.h"
#include "window/form1.h"

#include <QLabel>

void Form1::timer2Tick()
{
    Seconds = nextSecond(Seconds);
    Label2->setText(clockCaption(Seconds));
}
