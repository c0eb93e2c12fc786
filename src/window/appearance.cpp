// Target appearance: every tick of Timer3 or Timer4 shows one random target and ends the round
// when all ten are on screen.

#include "platform/clock.h"
#include "platform/randomgenerator.h"
#include "platform/targetpicture.h"
#include "targets/placement.h"
#include "window/form1.h"

#include <algorithm>

void Form1::appearanceTick()
{
    m_random.reseed(Placement::seedValue(m_clock.now()));
    Speed();
    Image[Placement::targetForDraw(m_random.draw())]->show();
    if (std::all_of(Image.begin(), Image.end(),
                    [](const TargetPicture *target) { return !target->isHidden(); }))
        EndGame();
}
