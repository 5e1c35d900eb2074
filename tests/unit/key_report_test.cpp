// ---------------------------------------------------------------------------
// The key report: the exact bytes of one line per key, flushed at once, for
// plain letters, control bytes, high bytes, '%' and every modifier mix.
// ---------------------------------------------------------------------------
#include <GL/glut.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <ostream>
#include <string>

#include "test_support.h"

namespace {

// Points standard output at a temporary file for the life of the object.
// The file is read straight from the descriptor, without flushing stdout,
// so only what the code under test flushed itself is seen.
class StdoutToFile {
public:
    StdoutToFile()
    {
        std::fflush(stdout);
        saved_ = dup(STDOUT_FILENO);
        file_ = std::tmpfile();
        dup2(fileno(file_), STDOUT_FILENO);
    }
    ~StdoutToFile()
    {
        std::fflush(stdout);
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
        std::fclose(file_);
    }
    StdoutToFile(const StdoutToFile&) = delete;
    StdoutToFile& operator=(const StdoutToFile&) = delete;

    std::string written() const
    {
        std::string bytes;
        char buffer[4096];
        off_t offset = 0;
        ssize_t count = 0;
        while ((count = pread(fileno(file_), buffer, sizeof buffer, offset)) > 0) {
            bytes.append(buffer, static_cast<std::size_t>(count));
            offset += count;
        }
        return bytes;
    }

private:
    int saved_ = -1;
    std::FILE* file_ = nullptr;
};

struct ReportCase {
    const char* name;
    unsigned char key;
    int x;
    int y;
    int modifiers;
    std::string line;
};

std::ostream& operator<<(std::ostream& out, const ReportCase& c) { return out << c.name; }

// "Billentyu lenyomva, kodja <key>, pozicio (<x>,<y>). " followed by the rest.
std::string line(char key, const std::string& position, const std::string& rest = "")
{
    return std::string("Billentyu lenyomva, kodja ") + key + ", pozicio " + position + ". " + rest + "\n";
}

class KeyReportTest : public SceneTest, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(KeyReportTest, WritesOneFlushedLineThenRedraws)
{
    const ReportCase& c = GetParam();
    fake::modifiers = c.modifiers;
    const StdoutToFile output;

    handleKey(c.key, c.x, c.y);

    EXPECT_EQ(output.written(), c.line);
    const std::vector<std::string> expected = {"glutGetModifiers()", "glutPostRedisplay()"};
    EXPECT_EQ(fake::callStrings(), expected);
    EXPECT_EQ(scene.viewAngleX, kStartScene.viewAngleX);
    EXPECT_EQ(scene.tickInterval, kStartScene.tickInterval);
}

const int kShift = GLUT_ACTIVE_SHIFT;
const int kCtrl = GLUT_ACTIVE_CTRL;
const int kAlt = GLUT_ACTIVE_ALT;

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyReportTest,
    ::testing::Values(
        ReportCase{"PlainLetter", 'a', 10, 20, 0, line('a', "(10,20)")},
        ReportCase{"AltExample", 'q', 120, 45, kAlt, line('q', "(120,45)", "ALT lenyomva. ")},
        ReportCase{"Shift", 'A', 0, 0, kShift, line('A', "(0,0)", "SHIFT lenyomva. ")},
        ReportCase{"CtrlLetterIsAControlByte", 0x01, 299, 299, kCtrl, line('\x01', "(299,299)", "CTRL lenyomva. ")},
        ReportCase{"AllThreeInOrder", 0x01, 5, 6, kAlt | kCtrl | kShift,
                   line('\x01', "(5,6)", "SHIFT lenyomva. CTRL lenyomva. ALT lenyomva. ")},
        ReportCase{"ShiftAlt", '!', 7, 8, kShift | kAlt, line('!', "(7,8)", "SHIFT lenyomva. ALT lenyomva. ")},
        ReportCase{"Escape", 27, 1, 1, 0, line('\x1b', "(1,1)")},
        ReportCase{"Return", '\r', 1, 1, 0, line('\r', "(1,1)")}, ReportCase{"Tab", '\t', 1, 1, 0, line('\t', "(1,1)")},
        ReportCase{"Backspace", '\b', 1, 1, 0, line('\b', "(1,1)")},
        ReportCase{"NulByte", 0, 1, 1, kCtrl, line('\0', "(1,1)", "CTRL lenyomva. ")},
        ReportCase{"HighByte", 0xE9, 1, 1, 0, line('\xE9', "(1,1)")},
        ReportCase{"PercentIsData", '%', 3, 4, 0, line('%', "(3,4)")},
        ReportCase{"PositionOutsideWindow", 'z', -12, 4000, 0, line('z', "(-12,4000)")},
        ReportCase{"UnknownModifierBitsIgnored", 'm', 2, 2, 0x8 | kCtrl, line('m', "(2,2)", "CTRL lenyomva. ")}),
    [](const ::testing::TestParamInfo<ReportCase>& testCase) { return testCase.param.name; });

using KeyReportSequenceTest = SceneTest;

TEST_F(KeyReportSequenceTest, EveryKeyGetsItsOwnLine)
{
    const StdoutToFile output;
    handleKey('x', 1, 2);
    handleKey('y', 3, 4);
    EXPECT_EQ(output.written(), line('x', "(1,2)") + line('y', "(3,4)"));
}

} // namespace
