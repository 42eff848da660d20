#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

struct ScanCase {
    const char* line;
    RunMode mode;
    int64_t windowNumber;
    bool wantsForeground;
};

void PrintTo(const ScanCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

class CommandLineScan : public testing::TestWithParam<ScanCase> {};

TEST_P(CommandLineScan, GivesModeAndWindow) {
    const ScanCase& c = GetParam();
    const CommandLine result = scanCommandLine(c.line);
    EXPECT_EQ(result.mode, c.mode);
    EXPECT_EQ(result.windowNumber, c.windowNumber);
    EXPECT_EQ(result.wantsForegroundWindow, c.wantsForeground);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Switches, CommandLineScan, testing::Values(
    ScanCase{"norwyn.scr", Configure, 0, false},
    ScanCase{"norwyn.scr    ", Configure, 0, false},
    ScanCase{"norwyn.scr /c", Configure, 0, true},
    ScanCase{"norwyn.scr -c", Configure, 0, true},
    ScanCase{"norwyn.scr /c   ", Configure, 0, true},
    ScanCase{"norwyn.scr /c:1234", Configure, 1234, false},
    ScanCase{"norwyn.scr /c 1234", Configure, 1234, false},
    ScanCase{"norwyn.scr /c:0", Configure, 0, false},
    ScanCase{"norwyn.scr /a 1234", ChangePassword, 1234, false},
    ScanCase{"norwyn.scr /a:1234", ChangePassword, 1234, false},
    ScanCase{"norwyn.scr /p 1234", Preview, 1234, false},
    ScanCase{"norwyn.scr /p:1234", Preview, 1234, false},
    ScanCase{"norwyn.scr /p : 1234", Preview, 1234, false},
    ScanCase{"norwyn.scr /P1234", Preview, 1234, false},
    ScanCase{"norwyn.scr /l 1234", Preview, 1234, false},
    ScanCase{"norwyn.scr /L 77", Preview, 77, false},
    ScanCase{"norwyn.scr /s", Saver, 0, false},
    ScanCase{"norwyn.scr /S", Saver, 0, false},
    ScanCase{"norwyn.scr -S", Saver, 0, false},
    ScanCase{"norwyn.scr -s", Saver, 0, false},
    ScanCase{"norwyn.scr s", Saver, 0, false},
    ScanCase{"norwyn.scr /save", Saver, 0, false},
    ScanCase{"norwyn.scr /x", NoMode, 0, false},
    ScanCase{"norwyn.scr /", NoMode, 0, false},
    ScanCase{"norwyn.scr -", NoMode, 0, false},
    ScanCase{"norwyn.scr /z 12", NoMode, 0, false}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(ProgramPaths, CommandLineScan, testing::Values(
    ScanCase{"\"C:\\Program Files\\Norwyn Saver\\norwyn.scr\" /s", Saver, 0, false},
    ScanCase{"\"C:\\Program Files\\norwyn.scr\" /p 42", Preview, 42, false},
    ScanCase{"\"C:\\Program Files\\norwyn.scr\"", Configure, 0, false},
    ScanCase{"\"C:\\unterminated path /s", Configure, 0, false},
    ScanCase{"C:\\WINDOWS\\norwyn.scr s", Saver, 0, false},
    ScanCase{"C:\\WINDOWS\\norwyn.scr   /s", Saver, 0, false},
    // A tab is no separator: the path runs to the end and the switch is never seen.
    ScanCase{"C:\\WINDOWS\\norwyn.scr\t/s", Configure, 0, false},
    ScanCase{"", Configure, 0, false}));
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(WindowNumbers, CommandLineScan, testing::Values(
    // The letter r follows the switch letter, so no number can be read there.
    ScanCase{"norwyn.scr /preview 1234", Preview, 0, false},
    ScanCase{"norwyn.scr /p", Preview, 0, false},
    ScanCase{"norwyn.scr /p:", Preview, 0, false},
    ScanCase{"norwyn.scr /p:-5", Preview, -5, false},
    ScanCase{"norwyn.scr /p:+5", Preview, 5, false},
    ScanCase{"norwyn.scr /p:\t 66", Preview, 66, false},
    ScanCase{"norwyn.scr /p 12abc", Preview, 12, false},
    ScanCase{"norwyn.scr /a", ChangePassword, 0, false},
    ScanCase{"norwyn.scr /p 4294967296", Preview, 4294967296LL, false},
    ScanCase{"norwyn.scr /p 99999999999999999999999", Preview, std::numeric_limits<int64_t>::max(), false},
    ScanCase{"norwyn.scr /p -99999999999999999999999", Preview, std::numeric_limits<int64_t>::min(), false}));
// clang-format on

TEST(ReadNumber, ReachesBothLimitsExactly) {
    EXPECT_EQ(readNumber("9223372036854775807"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(readNumber("-9223372036854775808"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(readNumber("9223372036854775808"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(readNumber("-9223372036854775809"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(readNumber("  \n\v\f\r 17"), 17);
    EXPECT_EQ(readNumber("-"), 0);
    EXPECT_EQ(readNumber("- 5"), 0);
}

} // namespace
