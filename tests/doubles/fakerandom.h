#pragma once

#include "platform/randomgenerator.h"

#include <QList>

// Hands out scripted draws and records reseeds. Running out of draws fails the test.
class FakeRandom : public RandomGenerator
{
public:
    float draw() override
    {
        ++drawCount;
        if (draws.isEmpty()) {
            exhausted = true;
            return 0.0f;
        }
        return draws.takeFirst();
    }
    void reseed(double seed) override { reseeds.append(seed); }

    QList<float> draws;
    QList<double> reseeds;
    int drawCount = 0;
    bool exhausted = false;
};
