// ---------------------------------------------------------------------------
// End-to-end harness: processes, pipes, windows, pixels and key presses.
// ---------------------------------------------------------------------------
#include "harness.h"

#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

Clock::time_point after(int ms)
{
    return Clock::now() + std::chrono::milliseconds(ms);
}

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

// ---- Program -----------------------------------------------------------------

Program::Program(std::vector<std::string> arguments, Output output)
{
    int pipeFds[2] = {-1, -1};
    if (output == Output::Pipe && pipe(pipeFds) != 0) {
        ADD_FAILURE() << "cannot make a pipe";
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        // Should the test process die, the program goes with it instead of
        // keeping the test runner's output pipe open.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, STDIN_FILENO);
        switch (output) {
        case Output::Pipe:
            dup2(pipeFds[1], STDOUT_FILENO);
            close(pipeFds[0]);
            close(pipeFds[1]);
            break;
        case Output::DevFull:
            dup2(open("/dev/full", O_WRONLY), STDOUT_FILENO);
            break;
        case Output::Closed:
            close(STDOUT_FILENO);
            break;
        }
        std::vector<char*> argv = {const_cast<char*>(GLUT_ALAP_BINARY)};
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        execv(GLUT_ALAP_BINARY, argv.data());
        _exit(127);
    }
    if (output == Output::Pipe) {
        close(pipeFds[1]);
        outputFd_ = pipeFds[0];
    }
}

Program::~Program()
{
    closeOutput();
    if (pid_ > 0 && !status_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool Program::alive()
{
    return !waitForExit(0).has_value();
}

std::optional<int> Program::waitForExit(int timeoutMs)
{
    const auto deadline = after(timeoutMs);
    while (!status_) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (millisecondsLeft(deadline) == 0) {
            break;
        }
        sleepMs(10);
    }
    return status_;
}

std::optional<std::string> Program::readLine(int timeoutMs)
{
    const auto deadline = after(timeoutMs);
    for (;;) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end + 1);
            pending_.erase(0, end + 1);
            return line;
        }
        pollfd readable{outputFd_, POLLIN, 0};
        if (outputFd_ < 0 || poll(&readable, 1, millisecondsLeft(deadline)) <= 0) {
            return std::nullopt;
        }
        char buffer[4096];
        const ssize_t count = read(outputFd_, buffer, sizeof buffer);
        if (count <= 0) {
            return std::nullopt;
        }
        pending_.append(buffer, static_cast<std::size_t>(count));
    }
}

std::string Program::readFor(int timeoutMs)
{
    const auto deadline = after(timeoutMs);
    std::string all;
    while (auto line = readLine(millisecondsLeft(deadline))) {
        all += *line;
    }
    all += pending_;
    pending_.clear();
    return all;
}

void Program::closeOutput()
{
    if (outputFd_ >= 0) {
        close(outputFd_);
        outputFd_ = -1;
    }
}

// ---- XSession ------------------------------------------------------------------

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << "(" << c.r << "," << c.g << "," << c.b << ")";
}

namespace {
// Xlib's default handler ends the process on any error; a test wants to
// report it and go on (a window can vanish between two requests).
int reportXError(Display* display, XErrorEvent* error)
{
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    ADD_FAILURE() << "X error: " << text << " (request " << int(error->request_code) << ")";
    return 0;
}
}  // namespace

XSession::XSession() : display_(XOpenDisplay(nullptr))
{
    XSetErrorHandler(reportXError);
}

XSession::~XSession()
{
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

namespace {

bool hasTitle(Display* display, Window window, const std::string& title)
{
    char* name = nullptr;
    const bool same = XFetchName(display, window, &name) != 0 && name != nullptr && title == name;
    if (name != nullptr) {
        XFree(name);
    }
    return same;
}

bool isViewable(Display* display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

}  // namespace

std::vector<Window> XSession::windowsTitled(const std::string& title)
{
    std::vector<Window> found;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count) != 0) {
        for (unsigned int i = 0; i < count; ++i) {
            if (hasTitle(display_, children[i], title)) {
                found.push_back(children[i]);
            }
        }
        if (children != nullptr) {
            XFree(children);
        }
    }
    return found;
}

std::optional<Window> XSession::waitForNewWindow(const std::string& title, const std::vector<Window>& known,
                                                 int timeoutMs)
{
    const auto deadline = after(timeoutMs);
    do {
        for (const Window window : windowsTitled(title)) {
            if (std::find(known.begin(), known.end(), window) == known.end() && isViewable(display_, window)) {
                return window;
            }
        }
        sleepMs(20);
    } while (millisecondsLeft(deadline) > 0);
    return std::nullopt;
}

Image XSession::capture(Window window)
{
    Image image;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, window, &attributes) == 0) {
        return image;
    }
    image.width = attributes.width;
    image.height = attributes.height;
    image.pixels.assign(static_cast<std::size_t>(image.width * image.height), kOffScreen);

    // X refuses to read a window where it hangs off the screen (without a
    // window manager the toolkit's window sits at -1,-1), so read the part
    // of the screen the window covers, through the root window.
    const Window root = DefaultRootWindow(display_);
    int left = 0;
    int top = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, root, 0, 0, &left, &top, &child);
    const int screenWidth = DisplayWidth(display_, DefaultScreen(display_));
    const int screenHeight = DisplayHeight(display_, DefaultScreen(display_));
    const int x0 = std::max(left, 0);
    const int y0 = std::max(top, 0);
    const int x1 = std::min(left + image.width, screenWidth);
    const int y1 = std::min(top + image.height, screenHeight);
    if (x1 <= x0 || y1 <= y0) {
        return image;
    }
    XImage* shot = XGetImage(display_, root, x0, y0, static_cast<unsigned>(x1 - x0),
                             static_cast<unsigned>(y1 - y0), AllPlanes, ZPixmap);
    if (shot == nullptr) {
        return image;
    }
    // A 24-bit TrueColor screen: 8 bits each of red, green and blue.
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const unsigned long pixel = XGetPixel(shot, x - x0, y - y0);
            image.pixels[static_cast<std::size_t>((y - top) * image.width + (x - left))] =
                Rgb{static_cast<int>((pixel & shot->red_mask) >> 16),
                    static_cast<int>((pixel & shot->green_mask) >> 8), static_cast<int>(pixel & shot->blue_mask)};
        }
    }
    XDestroyImage(shot);
    return image;
}

int XSession::countFrames(Window window, int durationMs)
{
    int eventBase = 0;
    int errorBase = 0;
    if (XDamageQueryExtension(display_, &eventBase, &errorBase) == 0) {
        ADD_FAILURE() << "the X server has no DAMAGE extension";
        return -1;
    }
    const Damage damage = XDamageCreate(display_, window, XDamageReportNonEmpty);
    XSync(display_, False);
    int frames = 0;
    const auto deadline = after(durationMs);
    while (millisecondsLeft(deadline) > 0) {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == eventBase + XDamageNotify) {
                ++frames;
                XDamageSubtract(display_, damage, None, None);
            }
        }
        pollfd readable{ConnectionNumber(display_), POLLIN, 0};
        poll(&readable, 1, millisecondsLeft(deadline));
    }
    XDamageDestroy(display_, damage);
    XSync(display_, True);
    return frames;
}

// ---- input ---------------------------------------------------------------------

namespace {
void runXdotool(const std::string& arguments)
{
    const std::string command = "xdotool " + arguments;
    const int status = std::system(command.c_str());
    ASSERT_EQ(status, 0) << command;
}
}  // namespace

void movePointer(Window window, int x, int y)
{
    runXdotool("mousemove --sync --window " + std::to_string(window) + " " + std::to_string(x) + " " +
               std::to_string(y));
}

void pressKeys(const std::vector<std::string>& keys, int repeat)
{
    std::string arguments = "key --delay 20 --repeat " + std::to_string(repeat);
    for (const std::string& key : keys) {
        arguments += " " + key;
    }
    runXdotool(arguments);
}

// ---- probes ----------------------------------------------------------------------

bool near(const Rgb& a, const Rgb& b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

::testing::AssertionResult probe(const Image& image, int x, int y, const Rgb& expected, const char* what)
{
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) {
        return ::testing::AssertionFailure() << what << ": probe (" << x << "," << y << ") outside the "
                                             << image.width << "x" << image.height << " window";
    }
    const Rgb observed = image.at(x, y);
    if (near(observed, expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << what << " at pixel (" << x << "," << y << "): expected " << expected
                                         << " +-" << kTolerance << ", observed " << observed;
}

std::optional<Image> waitForScene(XSession& x, Window window, const View& view, int timeoutMs)
{
    const auto deadline = after(timeoutMs);
    do {
        Image image = x.capture(window);
        if (image.width == view.width && image.height == view.height &&
            near(image.at(view.px(1), view.py(0)), kGreen)) {
            return image;
        }
        sleepMs(20);
    } while (millisecondsLeft(deadline) > 0);
    return std::nullopt;
}

}  // namespace e2e

namespace e2e {

void ProgramTest::start(std::vector<std::string> arguments, Output output)
{
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "no X server: DISPLAY is not set (make test starts one)";
    }
    x = std::make_unique<XSession>();
    ASSERT_NE(x->display(), nullptr) << "cannot open display " << std::getenv("DISPLAY");
    // Tests take turns, but a window of the previous test may not be gone yet.
    const std::vector<Window> earlier = x->windowsTitled(kWindowTitle);
    program = std::make_unique<Program>(std::move(arguments), output);
    const std::optional<Window> found = x->waitForNewWindow(kWindowTitle, earlier, 10000);
    ASSERT_TRUE(found.has_value()) << "no window titled exactly \"" << kWindowTitle << "\" appeared";
    window = *found;
    XWindowAttributes attributes;
    XGetWindowAttributes(x->display(), window, &attributes);
    view = View{attributes.width, attributes.height};
    const std::optional<Image> frame = waitForScene(*x, window, view);
    ASSERT_TRUE(frame.has_value()) << "the window showed no frame of the scene";
    firstFrame = *frame;
}

}  // namespace e2e
