// ---------------------------------------------------------------------------
// One frame, call by call: text first and unturned, then the band (a closed
// strip of 17 vertex pairs) and the rotor, with a balanced matrix stack.
// ---------------------------------------------------------------------------
#include <GL/glut.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

const std::string kCreditLine = "Velkor programja";
const std::string kHelpLine = "Billentyuk: F1, F2, nyilak";
const int kBandPairs = 17;

std::vector<std::string> textCalls(float x, float y, const std::string& text)
{
    std::vector<std::string> calls = {callString("glRasterPos2f", {x, y})};
    for (const char c : text) {
        calls.push_back("glutBitmapCharacter(helvetica18, " + std::to_string(int(c)) + ")");
    }
    return calls;
}

// The frame as expected with the given angles; the band's vertices are
// checked on their own below, so here they stand as just their name.
std::vector<std::string> expectedFrame(float viewX, float viewY, float rotor)
{
    std::vector<std::string> frame = {
        callString("glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}),
        callString("glColor3f", {1, 1, 0}),
    };
    for (const auto& calls : {textCalls(-20, 20, kCreditLine), textCalls(-20, -20, kHelpLine)}) {
        frame.insert(frame.end(), calls.begin(), calls.end());
    }
    const std::vector<std::string> modelStart = {
        callString("glPushMatrix"),
        callString("glRotatef", {viewX, 1, 0, 0}),
        callString("glRotatef", {viewY, 0, 1, 0}),
        callString("glPushMatrix"),
        callString("glRotatef", {90, 1, 0, 0}),
        callString("glBegin", {GL_QUAD_STRIP}),
    };
    frame.insert(frame.end(), modelStart.begin(), modelStart.end());
    for (int pair = 1; pair <= kBandPairs; ++pair) {
        frame.push_back(pair % 2 == 1 ? callString("glColor3f", {1, 0, 0}) : callString("glColor3f", {0, 1, 0}));
        frame.push_back("glVertex3f");
        frame.push_back("glVertex3f");
    }
    const std::vector<std::string> modelEnd = {
        callString("glEnd"),
        callString("glPopMatrix"),
        // rotor
        callString("glPushMatrix"),
        callString("glColor3f", {0, 0.8f, 0.8f}),
        callString("glRotatef", {rotor, 1, 0, 0}),
        callString("glPushMatrix"),
        callString("glScalef", {20, 1, 1}),
        callString("glutSolidCube", {1}),
        callString("glPopMatrix"),
        callString("glColor3f", {0, 0, 0.8f}),
        callString("glTranslatef", {10, 0, 0}),
        callString("glRotatef", {90, 0, 0, 1}),
        callString("glScalef", {20, 1, 5}),
        callString("glutSolidCube", {1}),
        callString("glPopMatrix"),
        // end of the view rotation
        callString("glPopMatrix"),
        callString("glutSwapBuffers"),
    };
    frame.insert(frame.end(), modelEnd.begin(), modelEnd.end());
    return frame;
}

// The recorded frame, with vertex calls reduced to their name.
std::vector<std::string> recordedFrame()
{
    std::vector<std::string> frame;
    for (const fake::Call& call : fake::calls) {
        frame.push_back(call.name == "glVertex3f" ? call.name : call.str());
    }
    return frame;
}

class FrameTest : public SceneTest {
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        fake::pointerNames()[GLUT_BITMAP_HELVETICA_18] = "helvetica18";
    }
};

TEST_F(FrameTest, StartFrameIsExactlyTheExpectedCalls)
{
    drawScene();
    EXPECT_EQ(recordedFrame(), expectedFrame(0, 0, 0));
}

TEST_F(FrameTest, AnglesTurnTheModelButNeverTheText)
{
    scene.viewAngleX = 30;
    scene.viewAngleY = 345;
    // Never wrapped: a huge angle goes to glRotatef exactly as it is.
    scene.rotorAngle = 16777215;
    drawScene();
    EXPECT_EQ(recordedFrame(), expectedFrame(30, 345, 16777215));
}

TEST_F(FrameTest, BandIsAClosedStripOfSeventeenPairsOnTwoRings)
{
    drawScene();
    const std::vector<fake::Call> vertices = fake::callsNamed("glVertex3f");
    ASSERT_EQ(vertices.size(), 2u * kBandPairs);

    for (int pair = 0; pair < kBandPairs; ++pair) {
        const fake::Call& inner = vertices[2 * pair];
        const fake::Call& outer = vertices[2 * pair + 1];
        SCOPED_TRACE("pair " + std::to_string(pair + 1));
        // Ring of radius 5 at the top of the band, radius 8 at the bottom,
        // both with the same angle, a sixteenth of a turn further each pair.
        const double angle = std::atan2(inner.args[0], inner.args[1]);
        const double expectedAngle = std::remainder(pair * 0.3926875, 2 * M_PI);
        EXPECT_NEAR(angle, expectedAngle, 1e-4);
        EXPECT_NEAR(std::hypot(inner.args[0], inner.args[1]), 5.0, 1e-5);
        EXPECT_NEAR(std::hypot(outer.args[0], outer.args[1]), 8.0, 1e-5);
        EXPECT_NEAR(std::atan2(outer.args[0], outer.args[1]), expectedAngle, 1e-4);
        EXPECT_EQ(inner.args[2], -5.0);
        EXPECT_EQ(outer.args[2], 15.0);
    }

    // The first pair sits at angle 0; the last comes back onto it.
    EXPECT_EQ(vertices[0].args, (std::vector<double>{0, 5, -5}));
    EXPECT_EQ(vertices[1].args, (std::vector<double>{0, 8, 15}));
    for (int i = 0; i < 2; ++i) {
        const auto& first = vertices[i].args;
        const auto& last = vertices[2 * (kBandPairs - 1) + i].args;
        const double gap = std::hypot(last[0] - first[0], last[1] - first[1], last[2] - first[2]);
        EXPECT_LT(gap, 0.002) << "the band does not close";
    }
}

TEST_F(FrameTest, MatrixStackIsBalancedAndAtMostThreeDeep)
{
    drawScene();
    int depth = 0;
    int deepest = 0;
    int pushes = 0;
    for (const fake::Call& call : fake::calls) {
        if (call.name == "glPushMatrix") {
            ++pushes;
            deepest = std::max(deepest, ++depth);
        } else if (call.name == "glPopMatrix") {
            ASSERT_GT(depth, 0) << "pop without a push";
            --depth;
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(deepest, 3);
    EXPECT_EQ(pushes, 4);
}

TEST_F(FrameTest, TextCharactersAreWidenedWithTheirSign)
{
    drawText(1.5f, -2.5f, "a%\xE9");
    const std::vector<std::string> expected = {
        callString("glRasterPos2f", {1.5, -2.5}), "glutBitmapCharacter(helvetica18, 97)",
        "glutBitmapCharacter(helvetica18, 37)",
        "glutBitmapCharacter(helvetica18, " + std::to_string(int('\xE9')) + ")", // -23 where char is signed
    };
    EXPECT_EQ(fake::callStrings(), expected);
}

} // namespace
