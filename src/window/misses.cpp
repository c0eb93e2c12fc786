// Misses: a click on the bare window counts while a round runs.

#include "window/form1.h"
#include "platform/gametimer.h"

void Form1::surfaceClick()
{
    if (!Timer3->isEnabled())
        return;
    setCounter(Text2, counter(Text2) + 1);
}
