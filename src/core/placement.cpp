#include "core/placement.h"

#include <cmath>

namespace Placement {

const std::array<Anchor, 10> Anchors{{
    {1320, 2160},
    {1320, 5520},
    {3600, 2160},
    {6120, 2280},
    {6480, 3840},
    {960, 3720},
    {2640, 3840},
    {4680, 3720},
    {3600, 5520},
    {5760, 5280},
}};

// The products stay in single precision on purpose: a draw such as 0.7f gives 10 * r == 7.0f,
// while the same product in double would be just below 7.

int offsetFromAnchor(float r1)
{
    const float product = 960.0f * r1;
    return 960 - int(std::trunc(product));
}

int sizeChange(float r2)
{
    const float product = 350.0f * r2;
    return 175 - int(std::trunc(product));
}

int targetForDraw(float r)
{
    const float product = 10.0f * r;
    const int n = int(std::trunc(product));
    // n = 0 picks Image10, the last index; n = 1..9 pick Image1..Image9.
    return n == 0 ? 9 : n - 1;
}

double seedValue(const QDateTime &localNow)
{
    static const QDate oleEpoch(1899, 12, 30);
    const double days = double(oleEpoch.daysTo(localNow.date()));
    const int wholeSeconds = localNow.time().msecsSinceStartOfDay() / 1000;
    return days * (wholeSeconds / 86400.0);
}

} // namespace Placement
