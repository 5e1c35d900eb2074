// ---------------------------------------------------------------------------
// The still scene on the real Mesa and freeglut: what the default window, a
// wide and a tall window show.
// ---------------------------------------------------------------------------
#include <GL/glut.h>

#include "harness.h"
#include "scene_probes.h"

namespace e2e {
namespace {

using SceneE2eTest = ProgramTest;

TEST_F(SceneE2eTest, DefaultWindowShowsTheStillScene)
{
    E2E_START();
    EXPECT_EQ(view.width, 300);
    EXPECT_EQ(view.height, 300);
    expectStillScene(firstFrame, view);
    expectYellowOnlyInText(firstFrame, view);
    expectProportions(firstFrame, view);
}

TEST_F(SceneE2eTest, WideWindowKeepsTheProportions)
{
    E2E_START({"-geometry", "600x300"});
    ASSERT_EQ(view.width, 600);
    ASSERT_EQ(view.height, 300);
    expectStillScene(firstFrame, view);
    expectYellowOnlyInText(firstFrame, view);
    expectProportions(firstFrame, view);
    // Widened, not stretched: 30 units left of centre is still background.
    EXPECT_TRUE(probe(firstFrame, view.px(-45), view.py(0), kBlack, "background far left"));
}

TEST_F(SceneE2eTest, TallWindowKeepsTheProportions)
{
    E2E_START({"-geometry", "300x600"});
    ASSERT_EQ(view.height, 600);
    expectStillScene(firstFrame, view);
    expectProportions(firstFrame, view);
}

} // namespace
} // namespace e2e
