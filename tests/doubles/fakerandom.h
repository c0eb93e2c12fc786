#pragma once

#include "platform/randomgenerator.h"

#include <QList>
#include <QTest>

// Hands out scripted draws and records reseeds. A draw the test did not script fails the test.
class FakeRandom : public RandomGenerator
{
public:
    float draw() override
    {
        if (draws.isEmpty()) {
            QTest::qFail("the game drew a random number the test did not script", __FILE__,
                         __LINE__);
            return 0.0f;
        }
        return draws.takeFirst();
    }
    void reseed(double seed) override { reseeds.append(seed); }

    QList<float> draws;
    QList<double> reseeds;
};
