// Misses: a click on the bare window counts while a round runs.

#include "platform/gametimer.h"
#include "window/form1.h"

void Form1::surfaceClick()
{
    if (!Timer3->isEnabled())
        return;
    setCounter(Text2, counter(Text2) + 1);
}
