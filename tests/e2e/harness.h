// ---------------------------------------------------------------------------
// End-to-end harness: runs the real glut-alap on the test X server, finds
// its window by title, presses keys through XTEST with xdotool, reads its
// standard output through a pipe and probes pixels of the window.
// ---------------------------------------------------------------------------
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <thread>
#include <string>
#include <vector>

struct _XDisplay;

namespace e2e {

// X11 ids and the display, without pulling Xlib's macros (None, Bool, ...) into the tests.
using Window = unsigned long;
using Display = _XDisplay;

const char* const kWindowTitle = "GLUT Alap";

// Where the pointer rests while keys are pressed, in window pixels.
const int kPointerX = 100;
const int kPointerY = 120;

// ---- the program under test ------------------------------------------------

enum class Output { Pipe, DevFull, Closed };

struct Launch {
    std::vector<std::string> arguments;
    Output output = Output::Pipe;
    // Run the program under another command, e.g. {"valgrind", "--log-file=..."}.
    std::vector<std::string> wrapper;
    // Extra environment, "NAME=value"; "NAME" alone removes the variable.
    std::vector<std::string> environment;
};

// The program under test: glut-alap, or the binary named by $GLUT_ALAP_BINARY
// (so the same tests can run against another build of it).
std::string programPath();

class Program {
public:
    explicit Program(Launch launch);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool alive();
    // One line of standard output (newline included), or nothing within the timeout.
    std::optional<std::string> readLine(int timeoutMs);
    // Everything written within the timeout.
    std::string readFor(int timeoutMs);
    // Closes our end of the pipe, as `| head -n 1` does once it has its line.
    void closeOutput();
    // The exit status (128 + signal if killed), or nothing if it still runs after the timeout.
    std::optional<int> waitForExit(int timeoutMs);
    // What the program wrote to standard error so far.
    std::string errors();

private:
    pid_t pid_ = -1;
    int outputFd_ = -1;
    int errorFd_ = -1;
    std::string pending_;
    std::string errors_;
    std::optional<int> status_;
};

// ---- the X server --------------------------------------------------------

struct Rgb {
    int r;
    int g;
    int b;
};
std::ostream& operator<<(std::ostream& out, const Rgb& c);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    Display* display() const { return display_; }
    // Top-level windows with exactly this title.
    std::vector<Window> windowsTitled(const std::string& title);
    // A viewable top-level window with this title that is not among `known`.
    std::optional<Window> waitForNewWindow(const std::string& title, const std::vector<Window>& known, int timeoutMs);
    Image capture(Window window);
    // Frames the window showed in the given time, counted by X damage events.
    int countFrames(Window window, int durationMs);
    // What a window manager does when the user drags the frame's edge...
    void resize(Window window, int width, int height);
    // ...and when the user clicks the close button: a WM_DELETE_WINDOW message.
    void requestClose(Window window);

private:
    Display* display_ = nullptr;
};

// An X server of a test's own, for a test that takes it away.
class PrivateXServer {
public:
    PrivateXServer();
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // ":N", or empty if the server did not start.
    const std::string& display() const { return display_; }
    void stop();

private:
    pid_t pid_ = -1;
    std::string display_;
};

// ---- input, through XTEST ----------------------------------------------------

void movePointer(Window window, int x, int y);
// xdotool key names, pressed in order, e.g. {"shift+a", "F1"}, delayMs apart.
void pressKeys(const std::vector<std::string>& keys, int repeat = 1, int delayMs = 20);

// ---- pixel probes ------------------------------------------------------------

// Square default window and model dimensions, for turning world units into pixels.
struct View {
    int width;
    int height;
    // pixels per world unit: the shorter side spans 50 units
    double scale() const { return (width < height ? width : height) / 50.0; }
    int px(double worldX) const { return static_cast<int>(width / 2.0 + worldX * scale()); }
    int py(double worldY) const { return static_cast<int>(height / 2.0 - worldY * scale()); }
};

const Rgb kBlack{0, 0, 0};
const Rgb kGreen{0, 255, 0};
const Rgb kRed{255, 0, 0};
const Rgb kTeal{0, 204, 204};
const Rgb kBlue{0, 0, 204};
const Rgb kYellow{255, 255, 0};
const Rgb kOffScreen{-1000, -1000, -1000}; // no colour is near this
const int kTolerance = 8;

bool near(const Rgb& a, const Rgb& b, int tolerance = kTolerance);

// Passes if the pixel is within tolerance; otherwise says what was expected and seen.
::testing::AssertionResult probe(const Image& image, int x, int y, const Rgb& expected, const char* what);

// Starts glut-alap and waits for its window and first frame; skips the test
// when there is no X server to run on.
class ProgramTest : public ::testing::Test {
public:
    void start(std::vector<std::string> arguments = {}, Output output = Output::Pipe);
    void start(Launch launch);
    // Starts it and rests the pointer in the window at (kPointerX, kPointerY):
    // without a window manager the keyboard follows the pointer.
    void startWithPointer(Launch launch = {});
    // Polls the window until `wanted` holds for a capture, or the timeout ends.
    template <typename Predicate> Image waitForImage(Predicate wanted, int timeoutMs = 5000);

    std::unique_ptr<Program> program;
    std::unique_ptr<XSession> x;
    Window window = 0;
    View view{0, 0};
    Image firstFrame;
};

template <typename Predicate> Image ProgramTest::waitForImage(Predicate wanted, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    Image image = x->capture(window);
    while (!wanted(image) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        image = x->capture(window);
    }
    return image;
}

} // namespace e2e

// Runs a start-up call in a test body; returns from the test if it failed or was skipped.
#define E2E_START_WITH(call)                                                                                           \
    do {                                                                                                               \
        ASSERT_NO_FATAL_FAILURE(call);                                                                                 \
        if (IsSkipped()) {                                                                                             \
            return;                                                                                                    \
        }                                                                                                              \
    } while (false)

#define E2E_START(...) E2E_START_WITH(start(__VA_ARGS__))
#define E2E_START_WITH_POINTER(...) E2E_START_WITH(startWithPointer(__VA_ARGS__))
