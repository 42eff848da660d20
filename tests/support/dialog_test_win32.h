#pragma once
// The fixture of the configuration dialogs' tests.

#include <gtest/gtest.h>

// The catalogs built as a run builds them, the registry as the settings
// store with no settings key in it, and the cursor's display count put back
// after each test: the sub-dialogs show the cursor and leave hiding it to
// the main dialog.
class DialogTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

private:
    int cursorsAtStart_ = 0;
};
