#pragma once

#include "platform/randomgenerator.h"

#include <QtGlobal>

// A splitmix64-style generator. It starts from the same fixed state on every run, since the
// game never seeds it at start-up; each reseed mixes the seed into the state it has reached.
class MixingRandom : public RandomGenerator
{
public:
    float draw() override;
    void reseed(double seed) override;

private:
    quint64 m_state = 0x853c49e6748fea9bULL;
};
