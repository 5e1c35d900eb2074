// ---------------------------------------------------------------------------
// Arrows turn the model in 5-degree steps that wrap within 0..355; F1 and F2
// set the tick delay in 5 ms steps, never below 5 ms and never overflowing.
// ---------------------------------------------------------------------------
#include <GL/glut.h>

#include <climits>
#include <ostream>

#include "test_support.h"

namespace {

struct KeyCase {
    const char* name;
    int key;
    SceneState before;
    SceneState after;
};

std::ostream& operator<<(std::ostream& out, const KeyCase& c) { return out << c.name; }

void expectScene(const SceneState& expected)
{
    EXPECT_EQ(scene.viewAngleX, expected.viewAngleX);
    EXPECT_EQ(scene.viewAngleY, expected.viewAngleY);
    EXPECT_EQ(scene.rotorAngle, expected.rotorAngle);
    EXPECT_EQ(scene.tickInterval, expected.tickInterval);
}

class SpecialKeyTest : public SceneTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(SpecialKeyTest, ChangesTheSceneAndRedraws)
{
    const KeyCase& c = GetParam();
    for (const int modifiers : {0, GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT}) {
        SCOPED_TRACE(modifiers == 0 ? "alone" : "with Shift, Ctrl and Alt held");
        scene = c.before;
        fake::reset();
        fake::modifiers = modifiers;
        handleSpecialKey(c.key, 150, 150);
        expectScene(c.after);
        // Modifiers are never asked for; every key ends with one redraw request.
        EXPECT_EQ(fake::callStrings(), std::vector<std::string>{"glutPostRedisplay()"});
    }
}

const int kTopInterval = INT_MAX - INT_MAX % 5; // 2147483645

INSTANTIATE_TEST_SUITE_P(
    Keys, SpecialKeyTest,
    ::testing::Values(
        KeyCase{"F1Slower", GLUT_KEY_F1, {0, 0, 0, 50}, {0, 0, 0, 55}},
        KeyCase{"F1UpToTheTopMultipleOfFive", GLUT_KEY_F1, {0, 0, 0, kTopInterval - 5}, {0, 0, 0, kTopInterval}},
        KeyCase{"F1StopsBeforeOverflow", GLUT_KEY_F1, {0, 0, 0, kTopInterval}, {0, 0, 0, kTopInterval}},
        KeyCase{"F2Faster", GLUT_KEY_F2, {0, 0, 0, 50}, {0, 0, 0, 45}},
        KeyCase{"F2DownToFive", GLUT_KEY_F2, {0, 0, 0, 10}, {0, 0, 0, 5}},
        KeyCase{"F2StopsAtFive", GLUT_KEY_F2, {0, 0, 0, 5}, {0, 0, 0, 5}},
        KeyCase{"UpFromStartWraps", GLUT_KEY_UP, {0, 0, 0, 50}, {355, 0, 0, 50}},
        KeyCase{"UpStep", GLUT_KEY_UP, {100, 0, 0, 50}, {95, 0, 0, 50}},
        KeyCase{"DownFrom355Wraps", GLUT_KEY_DOWN, {355, 0, 0, 50}, {0, 0, 0, 50}},
        KeyCase{"DownStep", GLUT_KEY_DOWN, {0, 0, 0, 50}, {5, 0, 0, 50}},
        KeyCase{"LeftFromStartWraps", GLUT_KEY_LEFT, {0, 0, 0, 50}, {0, 355, 0, 50}},
        KeyCase{"RightFrom355Wraps", GLUT_KEY_RIGHT, {0, 355, 0, 50}, {0, 0, 0, 50}},
        KeyCase{"RightStep", GLUT_KEY_RIGHT, {20, 35, 40, 50}, {20, 40, 40, 50}},
        // A key in no row changes nothing itself, but the wrap still runs.
        KeyCase{"F3ChangesNothing", GLUT_KEY_F3, {10, 20, 30, 40}, {10, 20, 30, 40}},
        KeyCase{"HomeStillWraps", GLUT_KEY_HOME, {360, -5, 0, 50}, {0, 355, 0, 50}}),
    [](const ::testing::TestParamInfo<KeyCase>& testCase) { return testCase.param.name; });

using SpecialKeySequenceTest = SceneTest;

TEST_F(SpecialKeySequenceTest, NinePressesOfF2ReachTheFastestTick)
{
    for (int press = 1; press <= 12; ++press) {
        handleSpecialKey(GLUT_KEY_F2, 0, 0);
        EXPECT_EQ(scene.tickInterval, press < 9 ? 50 - 5 * press : 5) << "after " << press << " presses";
    }
}

TEST_F(SpecialKeySequenceTest, SeventyTwoRightsMakeOneTurnOnMultiplesOfFive)
{
    for (int press = 1; press <= 72; ++press) {
        handleSpecialKey(GLUT_KEY_RIGHT, 0, 0);
        EXPECT_EQ(scene.viewAngleY, float((5 * press) % 360)) << "after " << press << " presses";
    }
    EXPECT_EQ(scene.viewAngleX, 0.0f);
}

} // namespace
