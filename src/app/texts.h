#pragma once

#include <QStringList>

// The fixed texts of the help panel, one entry per line, without line breaks.
namespace Texts {

QStringList rulesLines();   // the ten lines of the rules
QStringList creditLines();  // the seventeen lines of the credits

} // namespace Texts
