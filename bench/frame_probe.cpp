// ---------------------------------------------------------------------------
// Preloaded into a GL program by the benchmark (LD_PRELOAD): wraps the GLX
// buffer swap that every GLUT program (and glxgears) ends its frames with,
// and notes the wall-clock and process CPU time of each swap. On SIGTERM it
// writes them to $BENCH_FRAMES_OUT, one frame a line, and ends the process.
// Nothing in the measured program changes.
// ---------------------------------------------------------------------------
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

struct Frame {
    long long wallNs;
    long long cpuNs;
};

constexpr int kMaxFrames = 200000;
Frame frames[kMaxFrames];
volatile sig_atomic_t frameCount = 0;

long long now(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

void writeFramesAndExit(int /*signal*/)
{
    const char* path = std::getenv("BENCH_FRAMES_OUT");
    if (path != nullptr) {
        const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        char line[64];
        for (int i = 0; i < frameCount; ++i) {
            const int length = std::snprintf(line, sizeof line, "%lld %lld\n", frames[i].wallNs, frames[i].cpuNs);
            if (write(fd, line, static_cast<size_t>(length)) != length) {
                break;
            }
        }
        close(fd);
    }
    _exit(0);
}

__attribute__((constructor)) void installHandler() { signal(SIGTERM, writeFramesAndExit); }

} // namespace

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    using Swap = void (*)(Display*, GLXDrawable);
    static const auto realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    realSwap(display, drawable);
    if (frameCount < kMaxFrames) {
        frames[frameCount] = Frame{now(CLOCK_MONOTONIC), now(CLOCK_PROCESS_CPUTIME_ID)};
        frameCount = frameCount + 1;
    }
}
