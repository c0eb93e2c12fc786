#include "platform/mixingrandom.h"

#include <bit>

namespace {

constexpr quint64 GoldenGamma = 0x9e3779b97f4a7c15ULL;

quint64 mix(quint64 z)
{
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

} // namespace

float MixingRandom::draw()
{
    m_state += GoldenGamma;
    // 24 bits fill a float's significand exactly, so the result is k / 2^24 with k < 2^24:
    // never rounded up to 1.
    const quint64 top24 = mix(m_state) >> 40;
    return float(top24) * 0x1p-24f;
}

void MixingRandom::reseed(double seed)
{
    // Mixing into the current state rather than replacing it: the game reseeds with the same
    // value on every tick within a second, and those ticks must not all draw the same target.
    m_state = mix(m_state ^ mix(std::bit_cast<quint64>(seed)));
}
