#pragma once

#include <QDateTime>

// The system's current local date and time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};
