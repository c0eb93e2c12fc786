#include "core/numberformat.h"

NumberFormat::NumberFormat(const QLocale &locale)
    : m_locale(locale)
    , m_plain(QLocale::c())
{
    // Stated, not left to C's defaults: a group separator would turn 1234 hits into "1,234".
    m_plain.setNumberOptions(QLocale::OmitGroupSeparator);
}

QString NumberFormat::toText(double value) const
{
    // Locales such as ar_EG or my_MM write their own digits; the player reads 0-9 everywhere
    // and only the separator is the locale's. Adding 0.0 turns -0 into 0, so no "-0" is shown.
    QString text = m_plain.toString(value + 0.0, 'f', QLocale::FloatingPointShortest);
    text.replace(u'.', m_locale.decimalPoint());
    return text;
}
