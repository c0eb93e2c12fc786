#pragma once

#include <QString>

// The caption of the game clock after `seconds` seconds of running time (0 <= seconds <= 32767):
// "Прошло времени: " followed by at least two digits of minutes, ":" and two digits of seconds.
QString clockCaption(int seconds);

// The count after one more tick: stops at the largest 16-bit value instead of wrapping.
qint16 nextSecond(qint16 seconds);
