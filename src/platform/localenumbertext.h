#pragma once

#include "platform/numbertext.h"

#include <QLocale>

// Number text in a given locale (the user's, unless told otherwise), without group separators.
class LocaleNumberText : public NumberText
{
public:
    explicit LocaleNumberText(const QLocale &locale = QLocale::system());

    // Falls back to the C locale, so a text written with a '.' still reads back; 0 for garbage.
    double toNumber(const QString &text) const override;

    // Shortest round-trip digits in fixed notation: "100", "66.6" or "66,6", never an exponent.
    QString toText(double value) const override;

private:
    QLocale m_locale;
};
