// ---------------------------------------------------------------------------
// Start-up, run for real: the probe is the program's own main() linked with
// the recording fake, and prints what it called before the event loop.
// ---------------------------------------------------------------------------
#include <GL/glut.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

struct ProbeRun {
    std::vector<std::string> lines;
    int exitStatus = -1;
};

ProbeRun runProbe(const std::string& arguments)
{
    ProbeRun run;
    FILE* pipe = popen((std::string(STARTUP_PROBE) + " " + arguments).c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string text(line);
        if (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        run.lines.push_back(text);
    }
    const int status = pclose(pipe);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace

TEST(StartupTest, MakesTheStartupCallsInOrderAndNothingElse)
{
    // Arguments that are not the toolkit's reach glutInit untouched and
    // change nothing else.
    const ProbeRun run = runProbe("foo --bar -x 12");

    const std::vector<std::string> expected = {
        std::string("glutInit(\"") + STARTUP_PROBE + " foo --bar -x 12\", 5)",
        "glutInitDisplayMode(18)", // GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH
        "glutCreateWindow(\"GLUT Alap\")",
        "glutReshapeFunc(reshapeWindow)",
        "glutSpecialFunc(handleSpecialKey)",
        "glutKeyboardFunc(handleKey)",
        "glutDisplayFunc(drawScene)",
        "glutTimerFunc(advanceRotor, 50, 1)",
        callString("glClearColor", {0, 0, 0, 1}),
        callString("glShadeModel", {GL_FLAT}),
        callString("glEnable", {GL_DEPTH_TEST}),
        "glutMainLoop()",
    };
    EXPECT_EQ(run.lines, expected);
    EXPECT_EQ(run.exitStatus, 0) << "main() must return 0 when the event loop returns";
}
