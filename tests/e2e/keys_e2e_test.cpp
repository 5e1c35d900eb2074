// ---------------------------------------------------------------------------
// Keys pressed on the real program through XTEST: the report lines read
// from a pipe as each key goes down, the arrows turning the model on screen,
// and the speed keys changing the frame rate.
// ---------------------------------------------------------------------------
#include "harness.h"

namespace e2e {
namespace {

std::string reportLine(char key, const std::string& modifiers = "")
{
    return std::string("Billentyu lenyomva, kodja ") + key + ", pozicio (" + std::to_string(kPointerX) + "," +
           std::to_string(kPointerY) + "). " + modifiers + "\n";
}

using KeysE2eTest = ProgramTest;

struct KeyLine {
    const char* keys; // as xdotool names them
    std::string line;
};

TEST_F(KeysE2eTest, CharacterKeysPrintTheirLineAtOnce)
{
    E2E_START_WITH_POINTER();
    const KeyLine cases[] = {
        {"a", reportLine('a')},
        {"shift+a", reportLine('A', "SHIFT lenyomva. ")},
        {"ctrl+a", reportLine('\x01', "CTRL lenyomva. ")},
        {"alt+a", reportLine('a', "ALT lenyomva. ")},
        {"ctrl+alt+shift+a", reportLine('\x01', "SHIFT lenyomva. CTRL lenyomva. ALT lenyomva. ")},
        {"shift+5", reportLine('%', "SHIFT lenyomva. ")},
        {"Return", reportLine('\r')},
        {"Tab", reportLine('\t')},
        {"Escape", reportLine('\x1b')},
    };
    for (const KeyLine& c : cases) {
        pressKeys({c.keys});
        // Read while the program runs on: a line held in a buffer never arrives.
        const std::optional<std::string> line = program->readLine(3000);
        ASSERT_TRUE(line.has_value()) << c.keys << ": no line arrived; expected " << testing::PrintToString(c.line);
        EXPECT_EQ(*line, c.line) << "keys " << c.keys;
    }
    EXPECT_TRUE(program->alive()) << "Escape (or another key) ended the program";
}

TEST_F(KeysE2eTest, ArrowAndFunctionKeysPrintNothing)
{
    E2E_START_WITH_POINTER();
    pressKeys({"Left", "Right", "Up", "Down", "F1", "F2", "F3", "Home"});
    pressKeys({"b"});
    EXPECT_EQ(program->readFor(1000), reportLine('b')) << "only the character key may print";
}

TEST_F(KeysE2eTest, RightArrowTurnsTheModelAndAFullTurnComesBack)
{
    E2E_START_WITH_POINTER();
    const int shaftX = view.px(-8);
    const int shaftY = view.py(0);

    // A quarter turn about the vertical axis points the shaft at the viewer:
    // nothing teal is left beside the band.
    pressKeys({"Right"}, 18);
    Image turned = waitForImage([&](const Image& i) { return near(i.at(shaftX, shaftY), kBlack); });
    EXPECT_TRUE(probe(turned, shaftX, shaftY, kBlack, "after 18 x Right, where the shaft was"));

    // 72 presses in all make a full turn: the start picture is back.
    pressKeys({"Right"}, 54);
    Image back = waitForImage([&](const Image& i) { return near(i.at(shaftX, shaftY), kTeal); });
    EXPECT_TRUE(probe(back, shaftX, shaftY, kTeal, "after 72 x Right, the shaft"));
    EXPECT_TRUE(probe(back, view.px(1), view.py(0), kGreen, "after 72 x Right, right of centre"));
    EXPECT_TRUE(probe(back, view.px(-1), view.py(0), kRed, "after 72 x Right, left of centre"));
}

TEST_F(KeysE2eTest, UpArrowTiltsTheModel)
{
    E2E_START_WITH_POINTER();
    // A quarter turn about the screen's x axis: the band is seen from above
    // or below, so its centre column no longer shows the green front panel.
    pressKeys({"Up"}, 18);
    const int x0 = view.px(1);
    const int yBandFront = view.py(-10);
    Image tilted = waitForImage([&](const Image& i) { return !near(i.at(x0, yBandFront), kGreen); });
    EXPECT_FALSE(near(tilted.at(x0, yBandFront), kGreen))
        << "after 18 x Up, the band's front panel is still at world (1,-10): " << tilted.at(x0, yBandFront);
}

TEST_F(KeysE2eTest, F2SpeedsTheRotorUpAndF1SlowsItDown)
{
    E2E_START_WITH_POINTER();
    // Every tick asks for a frame, so frames counted over a fixed time follow
    // the tick rate. Tolerances are wide: this checks direction, not timing.
    const int measureMs = 2000;
    const int atDefault = x->countFrames(window, measureMs); // 50 ms: about 40

    pressKeys({"F1"}, 10);                                // 100 ms
    x->countFrames(window, 300);                          // let the pending tick pass
    const int slower = x->countFrames(window, measureMs); // about 20

    pressKeys({"F2"}, 19); // 5 ms, the fastest
    x->countFrames(window, 300);
    const int faster = x->countFrames(window, measureMs); // up to 400

    RecordProperty("frames_at_50ms", atDefault);
    RecordProperty("frames_at_100ms", slower);
    RecordProperty("frames_at_5ms", faster);
    EXPECT_GT(atDefault, 10) << "frames in " << measureMs << " ms at the default 50 ms tick";
    EXPECT_LT(slower, atDefault * 0.8) << "frames at 100 ms (" << slower << ") vs 50 ms (" << atDefault << ")";
    EXPECT_GT(faster, atDefault * 3) << "frames at 5 ms (" << faster << ") vs 50 ms (" << atDefault << ")";
}

} // namespace
} // namespace e2e
