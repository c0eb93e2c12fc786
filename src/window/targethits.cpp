// Target hits: count the hit, hide the target and give it a new place and size near its anchor.

#include "platform/gametimer.h"
#include "platform/randomgenerator.h"
#include "platform/targetpicture.h"
#include "targets/placement.h"
#include "window/form1.h"

void Form1::targetClick(int index)
{
    TargetPicture *target = Image[index];
    const Placement::Anchor anchor = Placement::Anchors[index];
    Score();
    target->hide();
    const int d = Placement::offsetFromAnchor(m_random.draw());
    target->setLeft(anchor.left - d);
    target->setTop(anchor.top - d);
    const int side = Placement::BaseSize + Placement::sizeChange(m_random.draw());
    target->setWidth(side);
    target->setHeight(side);
}

void Form1::Score()
{
    if (!Timer3->isEnabled())
        return;
    setCounter(Text1, counter(Text1) + 1);
    setCounter(Text2, counter(Text2) + 1);
}
