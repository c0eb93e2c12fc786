#pragma once

#include <QString>

// Conversion between numbers and the text the player sees, in the user's locale.
class NumberText
{
public:
    virtual ~NumberText() = default;

    // The number a text stands for; 0 for a text that is no number.
    virtual double toNumber(const QString &text) const = 0;

    // As few digits as needed, no group separators, the locale's decimal separator;
    // plain digits for whole values.
    virtual QString toText(double value) const = 0;
};
