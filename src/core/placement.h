#pragma once

#include <QDateTime>
#include <array>

// Where hit targets go and which target a tick shows.
namespace Placement {

// The fixed anchor point of each target, in twips: index 0 is Image1, ..., index 9 is Image10.
struct Anchor {
    int left;
    int top;
};
extern const std::array<Anchor, 10> Anchors;

// Every target starts 480 twips up and to the left of its anchor, 375 twips square: in the
// middle of the places and sizes a hit can give it.
inline constexpr int StartOffset = 480;
inline constexpr int BaseSize = 375;

// The new offset up and to the left of the anchor for a draw 0 <= r1 < 1: 960 - trunc(960 * r1),
// formed in single precision; 1..960.
int offsetFromAnchor(float r1);

// The change of the side length for a draw 0 <= r2 < 1: 175 - trunc(350 * r2), formed in single
// precision; -174..175. The new side is 375 + this.
int sizeChange(float r2);

// The target a tick shows for a draw 0 <= r < 1: n = trunc(10 * r) in single precision selects
// Image10 for n = 0 and Image<n> otherwise. Returns the index 0..9 (Image1..Image10).
int targetForDraw(float r);

// The reseed value of an appearance tick: the OLE Automation day number (days since
// 30 December 1899) of the local date times the local time of day, in whole seconds, as a
// fraction of a day.
double seedValue(const QDateTime &localNow);

} // namespace Placement
