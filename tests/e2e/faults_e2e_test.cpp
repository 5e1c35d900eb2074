// ---------------------------------------------------------------------------
// What a user, a terminal or a desktop can do to the program, one row each:
// broken standard output, stray arguments, a key flood, a resize storm, the
// close button, the X server going away, and no X server at all.
// ---------------------------------------------------------------------------
#include <ostream>

#include "harness.h"
#include "scene_probes.h"

namespace e2e {
namespace {

class FaultTest;

struct Fault {
    const char* name;
    void (*run)(FaultTest& test);
};

std::ostream& operator<<(std::ostream& out, const Fault& fault) { return out << fault.name; }

class FaultTest : public ProgramTest, public ::testing::WithParamInterface<Fault> {
public:
    // The program still answers: it draws frames and turns on the arrow keys.
    void expectRunningAndDrawing()
    {
        const int frames = x->countFrames(window, 1000);
        ASSERT_TRUE(program->alive()) << "expected the program to run on; it ended with status "
                                      << program->waitForExit(0).value_or(-1) << ", stderr: " << program->errors();
        EXPECT_GT(frames, 5) << "frames drawn in one second";
        pressKeys({"Right"}, 18);
        const int x0 = view.px(-8);
        const int y0 = view.py(0);
        const Image turned = waitForImage([&](const Image& i) { return near(i.at(x0, y0), kBlack); });
        EXPECT_TRUE(probe(turned, x0, y0, kBlack, "after 18 x Right, where the shaft was"));
    }
};

void brokenOutput(FaultTest& test, Output output)
{
    test.startWithPointer(Launch{{}, output, {}, {}});
    if (test.HasFatalFailure()) {
        return;
    }
    pressKeys({"a", "b", "Return", "percent", "c"});
    pressKeys({"d"}, 20);
    test.expectRunningAndDrawing();
}

void readerGone(FaultTest& test)
{
    // As `glut-alap | head -n 1`: one line is read, then the reader is gone.
    test.startWithPointer(Launch{});
    if (test.HasFatalFailure()) {
        return;
    }
    pressKeys({"a"});
    ASSERT_TRUE(test.program->readLine(3000).has_value()) << "expected the first line; none arrived";
    test.program->closeOutput();
    pressKeys({"b", "c", "Return", "e"});
    pressKeys({"f"}, 20);
    test.expectRunningAndDrawing();
}

void foreignArguments(FaultTest& test)
{
    test.start(Launch{{"foo", "--bar", "-x", "12", "--help"}, Output::Pipe, {}, {}});
    if (test.HasFatalFailure()) {
        return;
    }
    EXPECT_EQ(test.program->readFor(500), "") << "standard output";
    EXPECT_EQ(test.program->errors(), "") << "standard error";
    EXPECT_EQ(test.view.width, 300);
    EXPECT_EQ(test.view.height, 300);
}

void toolkitGeometry(FaultTest& test)
{
    test.start(Launch{{"-geometry", "400x200"}, Output::Pipe, {}, {}});
    if (test.HasFatalFailure()) {
        return;
    }
    EXPECT_EQ(test.view.width, 400);
    EXPECT_EQ(test.view.height, 200);
    expectProportions(test.firstFrame, test.view);
}

void keyFlood(FaultTest& test)
{
    test.startWithPointer(Launch{});
    if (test.HasFatalFailure()) {
        return;
    }
    const std::string letters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::vector<std::string> keys;
    for (int i = 0; i < 360; ++i) {
        keys.emplace_back(1, letters[static_cast<std::size_t>(i) % letters.size()]);
    }
    pressKeys(keys, 1, 1);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::optional<std::string> line = test.program->readLine(5000);
        ASSERT_TRUE(line.has_value()) << "expected " << keys.size() << " lines, got " << i;
        ASSERT_EQ(*line, "Billentyu lenyomva, kodja " + keys[i] + ", pozicio (" + std::to_string(kPointerX) + "," +
                             std::to_string(kPointerY) + "). \n")
            << "line " << i + 1;
    }
    EXPECT_EQ(test.program->readFor(500), "") << "lines beyond one per key";
}

void resizeStorm(FaultTest& test)
{
    test.start(Launch{});
    if (test.HasFatalFailure()) {
        return;
    }
    const int sizes[][2] = {{1, 1}, {3000, 20}, {20, 3000}, {1, 700}, {700, 1}, {1280, 1024}, {2, 2}, {999, 3}};
    for (int round = 0; round < 5; ++round) {
        for (const auto& size : sizes) {
            test.x->resize(test.window, size[0], size[1]);
        }
    }
    test.x->resize(test.window, 600, 300);
    const View last{600, 300};
    // The last size wins: the picture is the undistorted scene at 600x300.
    const Image image = test.waitForImage([&](const Image& i) {
        return i.width == 600 && i.height == 300 && near(i.at(last.px(1), last.py(0)), kGreen) &&
               near(i.at(last.px(-1), last.py(0)), kRed);
    });
    ASSERT_TRUE(test.program->alive()) << "the program ended: " << test.program->errors();
    ASSERT_EQ(image.width, 600);
    expectStillScene(image, last);
    expectProportions(image, last);
}

void closeButton(FaultTest& test)
{
    test.start(Launch{});
    if (test.HasFatalFailure()) {
        return;
    }
    test.x->requestClose(test.window);
    const std::optional<int> status = test.program->waitForExit(5000);
    ASSERT_TRUE(status.has_value()) << "expected the program to end on WM_DELETE_WINDOW; it still runs";
    EXPECT_EQ(*status, 0) << "exit status; stderr: " << test.program->errors();
}

void xServerGone(FaultTest& /*test*/)
{
    PrivateXServer server;
    ASSERT_FALSE(server.display().empty()) << "could not start a private Xvfb";
    Program program(Launch{{"-display", server.display()}, Output::Pipe, {}, {}});
    ASSERT_FALSE(program.waitForExit(2000).has_value()) << "ended before the server went: " << program.errors();
    server.stop();
    const std::optional<int> status = program.waitForExit(5000);
    ASSERT_TRUE(status.has_value()) << "expected the program to end within 5 s of losing its X server";
    EXPECT_NE(*status, 0) << "exit status";
    EXPECT_NE(program.errors(), "") << "expected the toolkit's message on standard error";
}

void noDisplay(FaultTest& /*test*/)
{
    Program program(Launch{{}, Output::Pipe, {}, {"DISPLAY"}});
    const std::optional<int> status = program.waitForExit(3000);
    ASSERT_TRUE(status.has_value()) << "expected the program to end at once without a display";
    EXPECT_NE(*status, 0) << "exit status";
    EXPECT_NE(program.errors().find("failed to open display"), std::string::npos)
        << "expected the toolkit's message, observed: " << program.errors();
}

TEST_P(FaultTest, ProgramBehaves) { GetParam().run(*this); }

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultTest,
    ::testing::Values(Fault{"StdoutReaderGone", readerGone},
                      Fault{"StdoutDeviceFull", [](FaultTest& test) { brokenOutput(test, Output::DevFull); }},
                      Fault{"StdoutClosed", [](FaultTest& test) { brokenOutput(test, Output::Closed); }},
                      Fault{"ForeignArguments", foreignArguments}, Fault{"ToolkitGeometry", toolkitGeometry},
                      Fault{"KeyFlood", keyFlood}, Fault{"ResizeStorm", resizeStorm}, Fault{"CloseButton", closeButton},
                      Fault{"XServerGone", xServerGone}, Fault{"NoDisplay", noDisplay}),
    [](const ::testing::TestParamInfo<Fault>& row) { return row.param.name; });

} // namespace
} // namespace e2e
