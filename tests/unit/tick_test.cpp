// ---------------------------------------------------------------------------
// The animation tick: one step, one redraw, the next tick armed with the
// delay of the moment; and a rotor that keeps turning however long it runs.
// ---------------------------------------------------------------------------
#include <GL/glut.h>

#include <climits>
#include <cmath>

#include "test_support.h"

namespace {

using TickTest = SceneTest;

TEST_F(TickTest, TurnsRedrawsAndArmsTheNextTick)
{
    advanceRotor(1);
    EXPECT_EQ(scene.rotorAngle, 5.0f);
    const std::vector<std::string> expected = {
        "glutPostRedisplay()",
        "glutTimerFunc(advanceRotor, 50, 2)",
    };
    EXPECT_EQ(fake::callStrings(), expected);
}

TEST_F(TickTest, NextTickValueIsOneMoreAndWrapsAtTheIntLimit)
{
    const struct {
        int value;
        int next;
    } cases[] = {{1, 2}, {41, 42}, {-1, 0}, {INT_MAX, INT_MIN}};
    for (const auto& c : cases) {
        fake::reset();
        advanceRotor(c.value);
        EXPECT_EQ(fake::callsNamed("glutTimerFunc").at(0).args[1], c.next) << "after value " << c.value;
    }
}

TEST_F(TickTest, SpeedChangeWaitsForThePendingTick)
{
    advanceRotor(1); // arms the next tick with 50 ms
    handleSpecialKey(GLUT_KEY_F2, 0, 0);
    EXPECT_EQ(fake::callsNamed("glutTimerFunc").size(), 1u) << "a key must not re-arm the tick";

    runTicks(1);
    EXPECT_EQ(fake::callsNamed("glutTimerFunc").at(0).args[0], 45.0);

    scene.tickInterval = 5;
    runTicks(1);
    EXPECT_EQ(fake::callsNamed("glutTimerFunc").at(0).args[0], 5.0);
}

TEST_F(TickTest, AngleIsNeverWrappedIntoOneTurn)
{
    advanceRotor(0);
    runTicks(71);
    EXPECT_EQ(scene.rotorAngle, 360.0f);
    runTicks(1);
    EXPECT_EQ(scene.rotorAngle, 365.0f);
}

// Started just below 2^24, where a float stops holding every whole number:
// thousands of ticks later every step is still exactly 5 degrees.
class LongRunTest : public SceneTest, public ::testing::WithParamInterface<float> {};

TEST_P(LongRunTest, KeepsTurningExactlyFiveDegreesPerTick)
{
    const float start = GetParam();
    scene.rotorAngle = start;
    advanceRotor(0);
    const int ticks = 5000;
    double previous = std::fmod(double(start), 360.0);
    for (int tick = 1; tick < ticks; ++tick) {
        const double now = std::fmod(double(scene.rotorAngle), 360.0);
        ASSERT_EQ(std::fmod(now - previous + 360.0, 360.0), 5.0)
            << "tick " << tick << ": orientation " << previous << " -> " << now;
        previous = now;
        runTicks(1);
    }
    EXPECT_EQ(std::fmod(double(scene.rotorAngle), 360.0), std::fmod(double(start) + 5.0 * ticks, 360.0));
    EXPECT_LT(scene.rotorAngle, 16777216.0f) << "the angle must stay where floats count in ones";
}

INSTANTIATE_TEST_SUITE_P(NearTheFloatLimit, LongRunTest, ::testing::Values(16777200.0f, 16777215.0f - 5 * 2000));

} // namespace
