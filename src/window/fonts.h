#pragma once

#include <QFont>

// The game's own font, shared by its windows: the layout was made for an 8-point sans-serif with
// Cyrillic. Where that face is missing, DejaVu Sans Condensed keeps every caption inside its
// control.
inline QFont windowFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans Condensed"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    return font;
}
