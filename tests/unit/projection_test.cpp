// ---------------------------------------------------------------------------
// The projection for a table of window sizes: the shorter side always shows
// -25..25, the longer side is widened by the aspect ratio, and degenerate
// sizes give finite bounds.
// ---------------------------------------------------------------------------
#include <GL/glut.h>

#include <cmath>
#include <ostream>

#include "test_support.h"

namespace {

struct ProjectionCase {
    int width;
    int height;
    int viewportWidth;
    int viewportHeight;
    double halfWidth;  // the view shows -halfWidth..halfWidth across
    double halfHeight; // and -halfHeight..halfHeight down
};

std::ostream& operator<<(std::ostream& out, const ProjectionCase& c) { return out << c.width << "x" << c.height; }

class ProjectionTest : public SceneTest, public ::testing::WithParamInterface<ProjectionCase> {};

TEST_P(ProjectionTest, SetsViewportAndUndistortedOrtho)
{
    const ProjectionCase& c = GetParam();
    reshapeWindow(c.width, c.height);

    const std::vector<std::string> expected = {
        callString("glViewport", {0, 0, double(c.viewportWidth), double(c.viewportHeight)}),
        callString("glMatrixMode", {GL_PROJECTION}),
        callString("glLoadIdentity"),
        callString("glOrtho", {-c.halfWidth, c.halfWidth, -c.halfHeight, c.halfHeight, -25, 25}),
        callString("glMatrixMode", {GL_MODELVIEW}),
        callString("glLoadIdentity"),
    };
    EXPECT_EQ(fake::callStrings(), expected);

    const std::vector<fake::Call> ortho = fake::callsNamed("glOrtho");
    ASSERT_EQ(ortho.size(), 1u);
    for (const double bound : ortho[0].args) {
        EXPECT_TRUE(std::isfinite(bound)) << "bound " << bound;
    }
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, ProjectionTest,
                         ::testing::Values(
                             // Square windows of any size show exactly -25..25.
                             ProjectionCase{300, 300, 300, 300, 25, 25}, ProjectionCase{1, 1, 1, 1, 25, 25},
                             ProjectionCase{1024, 1024, 1024, 1024, 25, 25},
                             // Wide and tall: the longer side is widened.
                             ProjectionCase{600, 300, 600, 300, 50, 25}, ProjectionCase{300, 600, 300, 600, 25, 50},
                             ProjectionCase{301, 300, 301, 300, 25 * 301.0 / 300, 25},
                             ProjectionCase{100000, 3, 100000, 3, 25 * 100000.0 / 3, 25},
                             // Zero height counts as one pixel, viewport included.
                             ProjectionCase{640, 0, 640, 1, 16000, 25}, ProjectionCase{2, 0, 2, 1, 50, 25},
                             ProjectionCase{1, 0, 1, 1, 25, 25},
                             // Zero width counts as one pixel as well.
                             ProjectionCase{0, 480, 1, 480, 25, 12000}, ProjectionCase{0, 0, 1, 1, 25, 25}),
                         [](const ::testing::TestParamInfo<ProjectionCase>& testCase) {
                             return std::to_string(testCase.param.width) + "x" + std::to_string(testCase.param.height);
                         });

} // namespace
