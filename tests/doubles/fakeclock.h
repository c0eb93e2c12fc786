#pragma once

#include "platform/clock.h"

// A clock that shows whatever the test sets.
class FakeClock : public Clock
{
public:
    QDateTime now() const override { return current; }
    QDateTime current{QDate(2026, 12, 6), QTime(12, 0, 0)};
};
