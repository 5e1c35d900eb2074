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
#include <cstring>
#include <thread>

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

Clock::time_point after(int ms) { return Clock::now() + std::chrono::milliseconds(ms); }

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

} // namespace

// ---- Program -----------------------------------------------------------------

std::string programPath()
{
    const char* other = std::getenv("GLUT_ALAP_BINARY");
    return other != nullptr && *other != '\0' ? other : GLUT_ALAP_BINARY;
}

Program::Program(Launch launch)
{
    int outputPipe[2] = {-1, -1};
    int errorPipe[2] = {-1, -1};
    if ((launch.output == Output::Pipe && pipe(outputPipe) != 0) || pipe(errorPipe) != 0) {
        ADD_FAILURE() << "cannot make a pipe";
        return;
    }
    std::vector<std::string> command = launch.wrapper;
    command.push_back(programPath());
    command.insert(command.end(), launch.arguments.begin(), launch.arguments.end());

    pid_ = fork();
    if (pid_ == 0) {
        // Should the test process die, the program goes with it instead of
        // keeping the test runner's output pipe open.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, STDIN_FILENO);
        dup2(errorPipe[1], STDERR_FILENO);
        switch (launch.output) {
        case Output::Pipe:
            dup2(outputPipe[1], STDOUT_FILENO);
            break;
        case Output::DevFull:
            dup2(open("/dev/full", O_WRONLY), STDOUT_FILENO);
            break;
        case Output::Closed:
            close(STDOUT_FILENO);
            break;
        }
        for (const int fd : {outputPipe[0], outputPipe[1], errorPipe[0], errorPipe[1], devNull}) {
            if (fd > STDERR_FILENO) {
                close(fd);
            }
        }
        for (std::string& variable : launch.environment) {
            const std::size_t equals = variable.find('=');
            if (equals == std::string::npos) {
                unsetenv(variable.c_str());
            } else {
                setenv(variable.substr(0, equals).c_str(), variable.substr(equals + 1).c_str(), 1);
            }
        }
        std::vector<char*> argv;
        for (std::string& word : command) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (launch.output == Output::Pipe) {
        close(outputPipe[1]);
        outputFd_ = outputPipe[0];
    }
    close(errorPipe[1]);
    errorFd_ = errorPipe[0];
    fcntl(errorFd_, F_SETFL, O_NONBLOCK);
}

Program::~Program()
{
    closeOutput();
    if (pid_ > 0 && !status_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (errorFd_ >= 0) {
        close(errorFd_);
    }
}

std::string Program::errors()
{
    char buffer[4096];
    ssize_t count = 0;
    while (errorFd_ >= 0 && (count = read(errorFd_, buffer, sizeof buffer)) > 0) {
        errors_.append(buffer, static_cast<std::size_t>(count));
    }
    return errors_;
}

bool Program::alive() { return !waitForExit(0).has_value(); }

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
} // namespace

XSession::XSession() : display_(XOpenDisplay(nullptr)) { XSetErrorHandler(reportXError); }

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

} // namespace

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
    XImage* shot = XGetImage(display_, root, x0, y0, static_cast<unsigned>(x1 - x0), static_cast<unsigned>(y1 - y0),
                             AllPlanes, ZPixmap);
    if (shot == nullptr) {
        return image;
    }
    // A 24-bit TrueColor screen: 8 bits each of red, green and blue.
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const unsigned long pixel = XGetPixel(shot, x - x0, y - y0);
            image.pixels[static_cast<std::size_t>((y - top) * image.width + (x - left))] =
                Rgb{static_cast<int>((pixel & shot->red_mask) >> 16), static_cast<int>((pixel & shot->green_mask) >> 8),
                    static_cast<int>(pixel & shot->blue_mask)};
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

void XSession::resize(Window window, int width, int height)
{
    XResizeWindow(display_, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(display_, False);
}

void XSession::requestClose(Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XSync(display_, False);
}

PrivateXServer::PrivateXServer()
{
    int displayPipe[2];
    if (pipe(displayPipe) != 0) {
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        dup2(displayPipe[1], 3);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDERR_FILENO);
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "640x480x24", "-nolisten", "tcp", nullptr);
        _exit(127);
    }
    close(displayPipe[1]);
    // Xvfb writes its display number once it accepts connections.
    pollfd readable{displayPipe[0], POLLIN, 0};
    char number[16] = {};
    if (poll(&readable, 1, 10000) > 0 && read(displayPipe[0], number, sizeof number - 1) > 0) {
        display_ = ":" + std::string(number, std::strcspn(number, "\n"));
    }
    close(displayPipe[0]);
}

PrivateXServer::~PrivateXServer() { stop(); }

void PrivateXServer::stop()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

// ---- input ---------------------------------------------------------------------

namespace {
void runXdotool(const std::string& arguments)
{
    const std::string command = "xdotool " + arguments;
    const int status = std::system(command.c_str());
    ASSERT_EQ(status, 0) << command;
}
} // namespace

void movePointer(Window window, int x, int y)
{
    runXdotool("mousemove --sync --window " + std::to_string(window) + " " + std::to_string(x) + " " +
               std::to_string(y));
}

void pressKeys(const std::vector<std::string>& keys, int repeat, int delayMs)
{
    std::string arguments = "key --delay " + std::to_string(delayMs) + " --repeat " + std::to_string(repeat);
    for (const std::string& key : keys) {
        arguments += " " + key;
    }
    runXdotool(arguments);
}

// ---- probes ----------------------------------------------------------------------

bool near(const Rgb& a, const Rgb& b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

::testing::AssertionResult probe(const Image& image, int x, int y, const Rgb& expected, const char* what)
{
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) {
        return ::testing::AssertionFailure() << what << ": probe (" << x << "," << y << ") outside the " << image.width
                                             << "x" << image.height << " window";
    }
    const Rgb observed = image.at(x, y);
    if (near(observed, expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << what << " at pixel (" << x << "," << y << "): expected " << expected
                                         << " +-" << kTolerance << ", observed " << observed;
}

void ProgramTest::start(std::vector<std::string> arguments, Output output)
{
    Launch launch;
    launch.arguments = std::move(arguments);
    launch.output = output;
    start(std::move(launch));
}

void ProgramTest::start(Launch launch)
{
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "no X server: DISPLAY is not set (make test starts one)";
    }
    x = std::make_unique<XSession>();
    ASSERT_NE(x->display(), nullptr) << "cannot open display " << std::getenv("DISPLAY");
    // Tests take turns, but a window of the previous test may not be gone yet.
    const std::vector<Window> earlier = x->windowsTitled(kWindowTitle);
    program = std::make_unique<Program>(std::move(launch));
    // Slow under valgrind: allow a minute for the window.
    const std::optional<Window> found = x->waitForNewWindow(kWindowTitle, earlier, 60000);
    ASSERT_TRUE(found.has_value()) << "no window titled exactly \"" << kWindowTitle
                                   << "\" appeared; stderr: " << program->errors();
    window = *found;
    XWindowAttributes attributes;
    XGetWindowAttributes(x->display(), window, &attributes);
    view = View{attributes.width, attributes.height};
    // A drawn frame shows the green panel right of the band's centre line.
    const auto drawn = [this](const Image& image) {
        return image.width == view.width && image.height == view.height &&
               near(image.at(view.px(1), view.py(0)), kGreen);
    };
    firstFrame = waitForImage(drawn, 60000);
    ASSERT_TRUE(drawn(firstFrame)) << "the window showed no frame of the scene";
}

void ProgramTest::startWithPointer(Launch launch)
{
    start(std::move(launch));
    if (!HasFatalFailure() && !IsSkipped()) {
        movePointer(window, kPointerX, kPointerY);
    }
}

} // namespace e2e
