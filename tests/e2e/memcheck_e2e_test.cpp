// ---------------------------------------------------------------------------
// The real program under valgrind's memcheck for a few seconds of keys and
// ticks, closed as a window manager would close it: no memory error may
// pass through the program's own functions. (Errors wholly inside the GL
// driver or the toolkit are theirs, and are listed but not failed.)
// ---------------------------------------------------------------------------
#include <fstream>
#include <iostream>
#include <sstream>

#include "harness.h"

namespace e2e {
namespace {

// main() is left out: every stack of the event loop passes through it, the
// driver's errors included.
const char* const kOwnFunctions[] = {
    "drawScene",    "drawText",         "drawConeBand", "drawRotor",     "reshapeWindow",
    "advanceRotor", "handleSpecialKey", "handleKey",    "initRendering", "protectStandardOutput",
};

// valgrind's report, cut into its blocks (one error each), kept if any frame
// of the block names a function of the program.
std::vector<std::string> errorsInOwnCode(const std::string& logPath, std::string& summary)
{
    std::ifstream log(logPath);
    std::vector<std::string> found;
    std::string block;
    std::string line;
    auto finish = [&] {
        for (const char* name : kOwnFunctions) {
            if (block.find(name) != std::string::npos && block.find("0x") != std::string::npos) {
                found.push_back(block);
                break;
            }
        }
        block.clear();
    };
    while (std::getline(log, line)) {
        const std::size_t text = line.find("== ");
        const std::string content = text == std::string::npos ? line : line.substr(text + 3);
        if (content.rfind("ERROR SUMMARY", 0) == 0) {
            summary = content;
        }
        if (content.empty()) {
            finish();
        } else {
            block += content + "\n";
        }
    }
    finish();
    return found;
}

class MemcheckTest : public ProgramTest {};

TEST_F(MemcheckTest, NoMemoryErrorInTheProgramsOwnCode)
{
    const std::string logPath = std::string(GLUT_ALAP_LOG_DIR) + "/memcheck.log";
    Launch launch;
    launch.wrapper = {"valgrind", "--tool=memcheck", "--log-file=" + logPath, "--num-callers=40", "--error-limit=no"};
    E2E_START(launch);
    movePointer(window, 100, 120);
    pressKeys({"a", "shift+b", "ctrl+c", "Right", "Up", "F2", "F1", "Escape"});
    x->countFrames(window, 3000);
    x->requestClose(window);
    const std::optional<int> status = program->waitForExit(30000);
    ASSERT_TRUE(status.has_value()) << "the program under valgrind did not end on WM_DELETE_WINDOW";

    std::string summary;
    const std::vector<std::string> own = errorsInOwnCode(logPath, summary);
    RecordProperty("valgrind_summary", summary);
    std::cout << "valgrind: " << summary << " (full report: " << logPath << ")\n";
    EXPECT_TRUE(own.empty()) << own.size() << " memory error(s) through the program's own code; the first:\n"
                             << (own.empty() ? "" : own.front());
}

} // namespace
} // namespace e2e
