#pragma once

#include <QLocale>
#include <QString>

// How the game writes the numbers the player sees: as few digits as needed, the
// digits 0-9 in every locale, no group separators, and the locale's decimal separator.
class NumberFormat
{
public:
    explicit NumberFormat(const QLocale &locale = QLocale::system());

    // Shortest round-trip digits in fixed notation: "100", "66.6" or "66,6", never an exponent.
    QString toText(double value) const;

private:
    QLocale m_locale; // the player's: its decimal separator
    QLocale m_plain;  // C: the digits 0-9 and no group separators
};
