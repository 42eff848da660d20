// Which display system a run speaks, what kind of run each draw target makes
// there, and which input ends each kind.

#include "shell/run_plan.h"

#include <gtest/gtest.h>

namespace {

struct BackendCase {
    const char* what;
    DrawTarget target;
    const char* display; // --display
    SessionEnvironment session;
    Backend expected;
};

TEST(RunPlan, AnXWindowAskedForMeansX11OtherwiseWaylandWhereTheSessionHasIt) {
    const BackendCase cases[] = {
        {"nothing set", DrawTarget::OwnWindow, "", {}, Backend::X11},
        {"a Wayland session", DrawTarget::OwnWindow, "", {false, true, false}, Backend::Wayland},
        {"a handed-over connection", DrawTarget::Root, "", {false, false, true}, Backend::Wayland},
        {"the daemon's window", DrawTarget::Root, "", {true, true, false}, Backend::X11},
        {"--window-id", DrawTarget::GivenWindow, "", {false, true, true}, Backend::X11},
        {"--display", DrawTarget::OwnWindow, ":1", {false, true, false}, Backend::X11},
        {"--wallpaper", DrawTarget::Wallpaper, "", {false, true, false}, Backend::Wayland},
        {"--wallpaper without Wayland", DrawTarget::Wallpaper, "", {}, Backend::X11},
    };
    for (const BackendCase& one : cases) {
        HackOptions options;
        options.target = one.target;
        options.display = one.display;
        EXPECT_EQ(chooseBackend(options, one.session), one.expected) << one.what;
    }
}

struct PlanCase {
    DrawTarget target;
    Backend backend;
    RunMode mode;
    EndingInput endsOn;
};

TEST(RunPlan, OnlyTheSaverStoresItsFrameRateAndOnlyOnWaylandDoesItsOwnInputEndIt) {
    const PlanCase cases[] = {
        {DrawTarget::Root, Backend::X11, Saver, EndingInput::FromOutside},
        {DrawTarget::Root, Backend::Wayland, Saver, EndingInput::Everything},
        {DrawTarget::OwnWindow, Backend::X11, Preview, EndingInput::QuitKeys},
        {DrawTarget::OwnWindow, Backend::Wayland, Preview, EndingInput::QuitKeys},
        {DrawTarget::GivenWindow, Backend::X11, Preview, EndingInput::FromOutside},
        {DrawTarget::Wallpaper, Backend::Wayland, Preview, EndingInput::FromOutside},
    };
    for (const PlanCase& one : cases) {
        const RunPlan plan = planRun(one.target, one.backend, true);
        EXPECT_EQ(plan.mode, one.mode) << static_cast<int>(one.target) << " " << static_cast<int>(one.backend);
        EXPECT_EQ(plan.endsOn, one.endsOn) << static_cast<int>(one.target) << " " << static_cast<int>(one.backend);
        EXPECT_TRUE(plan.showFps);
    }
}

// Each kind of run against each kind of input: a key typing q, one typing
// nothing, a button or scroll, the pointer 10 and 80 pixels away.
TEST(RunPlan, EachKindOfRunEndsOnItsOwnInputOnly) {
    struct Row {
        EndingInput rule;
        bool q, silentKey, button, smallMove, farMove;
    };
    const Row rows[] = {
        {EndingInput::Everything, true, true, true, false, true},
        {EndingInput::KeysOnly, true, true, false, false, false},
        {EndingInput::QuitKeys, true, false, false, false, false},
        {EndingInput::FromOutside, false, false, false, false, false},
    };
    startCursor = {100, 100};
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.rule));
        EXPECT_EQ(keyEndsRun(row.rule, 'q'), row.q);
        EXPECT_EQ(keyEndsRun(row.rule, 0), row.silentKey);
        EXPECT_EQ(buttonEndsRun(row.rule), row.button);
        EXPECT_EQ(pointerMoveEndsRun(row.rule, {110, 100}), row.smallMove);
        EXPECT_EQ(pointerMoveEndsRun(row.rule, {100, 180}), row.farMove);
    }
    startCursor = {};
}

} // namespace
