#include "game/numberformat.h"

NumberFormat::NumberFormat(const QLocale &locale)
    : m_locale(locale)
{
    m_locale.setNumberOptions(m_locale.numberOptions() | QLocale::OmitGroupSeparator);
}

double NumberFormat::toNumber(const QString &text) const
{
    bool ok = false;
    const double value = m_locale.toDouble(text, &ok);
    if (ok)
        return value;
    const double plain = QLocale::c().toDouble(text, &ok);
    return ok ? plain : 0.0;
}

QString NumberFormat::toText(double value) const
{
    // Adding 0.0 turns -0 into 0, so no "-0" ever reaches the player.
    return m_locale.toString(value + 0.0, 'f', QLocale::FloatingPointShortest);
}
