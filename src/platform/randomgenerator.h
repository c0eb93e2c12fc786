#pragma once

// The game's one random generator.
class RandomGenerator
{
public:
    virtual ~RandomGenerator() = default;

    // An evenly spread single-precision value r with 0 <= r < 1 (never 1).
    virtual float draw() = 0;

    // Mixes `seed` into the current state: reseeding with a value used before does not repeat
    // the sequence that followed the earlier reseed.
    virtual void reseed(double seed) = 0;
};
