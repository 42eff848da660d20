// The tests' main: GoogleTest's own, with every test started from the
// process-wide state a fresh process has.

#include "process_state.h"

#include <gtest/gtest.h>

namespace {

struct FreshStateForEachTest : testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { resetProcessState(); }
};

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshStateForEachTest);
    return RUN_ALL_TESTS();
}
