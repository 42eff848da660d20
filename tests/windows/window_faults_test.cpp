// Every "ERROR" and "SHUTDOWN ERROR" the window's opening and closing can be
// brought to show with real Win32 calls, in process under Wine: by a class
// of the same name, by pictures that fail, by a preview area that
// misbehaves, or by handles released behind the saver's back. Each path must
// show its exact messages once and in order, an opening only after it has
// released all it built, and leave nothing behind that would stop the next
// opening in the same process.
//
// Not reachable this way, since nothing runs between the calls concerned and
// Wine does not fail them for a live window: "Can't Create A GL Device
// Context." (GetDC of a CS_OWNDC window), "Can't Find A Suitable
// PixelFormat.", "Can't Create A GL Rendering Context." (after a pixel format
// was set) and "Can't Activate The GL Rendering Context.".

#include "gl/bitmap_source_win32.h"
#include "gl/gl_window_win32.h"
#include "gl/pictures.h"
#include "gl/texture_set.h"
#include "gl/error_box.h"
#include "shell/run_mode.h"
#include "shell/shell_win32.h"

#include "error_boxes_win32.h"
#include "off_screen_win32.h"
#include "pixel_format_win32.h"
#include "saver_window_test_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Whether the saver's class was still registered as each box showed.
std::vector<bool> classRegisteredAtEachBox;

void captureWithTheClassState(const char* text, const char* caption, unsigned flags) {
    classRegisteredAtEachBox.push_back(windowClassRegistered());
    captureErrorBox(text, caption, flags);
}

// A stand-in for the preview area, which may misbehave when the saver's
// window is created in it.
enum class Misdeed { None, DestroyTheChild, SetAnotherPixelFormat };
Misdeed parentMisdeed = Misdeed::None;
HWND createdChild = nullptr;
bool otherFormatSet = false;

LRESULT CALLBACK previewAreaProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE) {
        createdChild = reinterpret_cast<HWND>(lParam);
        if (parentMisdeed == Misdeed::DestroyTheChild)
            DestroyWindow(createdChild);
        if (parentMisdeed == Misdeed::SetAnotherPixelFormat)
            otherFormatSet = setAnotherPixelFormat(createdChild);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND makePreviewArea() {
    static const bool registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = previewAreaProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "NorwynFaultsPreviewArea";
        return RegisterClassA(&windowClass) != 0;
    }();
    return registered ? createPreviewArea(200, 150, "NorwynFaultsPreviewArea") : nullptr;
}

// A window of the saver's class beside the saver's own, which keeps the
// class from being unregistered; and its release, with the class.
HWND openAnotherWindowOfTheClass() {
    return CreateWindowExA(0, windowClassName, "other", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void releaseAnotherWindowOfTheClass(HWND other) {
    DestroyWindow(other);
    EXPECT_TRUE(UnregisterClassA(windowClassName, GetModuleHandleA(nullptr)));
}

class WindowFaults : public SaverWindowTest {
protected:
    void SetUp() override {
        SaverWindowTest::SetUp();
        classRegisteredAtEachBox.clear();
        errorBoxSink = captureWithTheClassState;
        parentMisdeed = Misdeed::None;
        createdChild = nullptr;
        otherFormatSet = false;
    }

    // After a failure, nothing of the saver's is left: no window, no context
    // current, the class gone, and a fresh opening succeeds without a word.
    static void expectNothingLeftBehind() {
        EXPECT_EQ(saverWindow, nullptr);
        EXPECT_EQ(deviceContext, nullptr);
        EXPECT_EQ(renderingContext, nullptr);
        EXPECT_EQ(wglGetCurrentContext(), nullptr);
        EXPECT_FALSE(windowClassRegistered());
        const RunMode mode = runMode;
        const HWND parent = parentWindow;
        runMode = Saver;
        parentWindow = nullptr;
        bitmapSource = loadBitmapPixels;
        EXPECT_TRUE(openSaverWindow("again", windowRect(), 16));
        EXPECT_NE(wglGetCurrentContext(), nullptr);
        closeSaverWindow();
        EXPECT_EQ(takeErrorBoxes(), ErrorBoxes{}) << "the next opening and closing";
        EXPECT_FALSE(windowClassRegistered());
        runMode = mode;
        parentWindow = parent;
    }

    // A preview opened in a new preview area; the area, or null when either failed.
    static HWND openPreviewInANewArea() {
        runMode = Preview;
        parentWindow = makePreviewArea();
        if (!parentWindow || !openSaverWindow("t", {0, 0, 200, 150}, 16))
            return nullptr;
        return parentWindow;
    }
};

TEST_F(WindowFaults, AClassRegisteredAlreadyShowsOnlyThatMessageAndIsLeftRegistered) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = windowClassName;
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    EXPECT_FALSE(openSaverWindow("t", windowRect(), 16));
    EXPECT_EQ(takeErrorBoxes(), ErrorBoxes{openingError("Failed To Register The Window Class.")});
    EXPECT_EQ(classRegisteredAtEachBox, std::vector<bool>{true});
    EXPECT_EQ(saverWindow, nullptr);
    EXPECT_TRUE(windowClassRegistered()) << "the saver unregisters no class it did not register";
    ASSERT_TRUE(UnregisterClassA(windowClassName, GetModuleHandleA(nullptr)));
    expectNothingLeftBehind();
}

// A bitmap source whose picture for one slot is missing or too narrow. It
// counts the pictures asked for, and notes the window they were loaded for.
struct PictureFault {
    int slot;
    bool missing;
};
PictureFault pictureFault;
int picturesAsked = 0;
HWND windowWhileLoading = nullptr;

bool sourceFailingAtOneSlot(int resourceId, BitmapPixels& pixels) {
    ++picturesAsked;
    windowWhileLoading = saverWindow;
    const bool faulty = resourceId == textureResourceId(pictureFault.slot);
    if (faulty && pictureFault.missing)
        return false;
    if (!loadBitmapPixels(resourceId, pixels))
        return false;
    if (faulty) {
        pixels.width = textureSize / 2;
        pixels.bgr.resize(pixels.bgr.size() / 2);
    }
    return true;
}

TEST_F(WindowFaults, APictureMissingOrOfTheWrongSizeInAnySlotFailsOnceAndReleasesEverything) {
    for (int slot = 0; slot < textureSlotCount; ++slot)
        for (bool missing : {true, false}) {
            SCOPED_TRACE("slot " + std::to_string(slot) + (missing ? ", missing" : ", too narrow"));
            pictureFault = {slot, missing};
            picturesAsked = 0;
            windowWhileLoading = nullptr;
            classRegisteredAtEachBox.clear();
            bitmapSource = sourceFailingAtOneSlot;
            EXPECT_FALSE(openSaverWindow("t", windowRect(), 16));
            EXPECT_EQ(picturesAsked, slot + 1) << "no picture is asked for after the first that fails";
            EXPECT_EQ(takeErrorBoxes(), ErrorBoxes{openingError("Initialization Failed.")});
            EXPECT_EQ(classRegisteredAtEachBox, std::vector<bool>{false});
            ASSERT_NE(windowWhileLoading, nullptr);
            EXPECT_FALSE(IsWindow(windowWhileLoading)) << "the window the pictures were for is gone";
            EXPECT_EQ(saverWindow, nullptr);
            EXPECT_EQ(renderingContext, nullptr);
            EXPECT_EQ(wglGetCurrentContext(), nullptr);
            EXPECT_FALSE(windowClassRegistered());
        }
    expectNothingLeftBehind();
}

// A preview and the area it is given: none at all, or one that misbehaves
// when the saver's window is created in it, or one that behaves.
struct PreviewAreaCase {
    const char* name;
    bool hasArea;
    Misdeed misdeed;
    ErrorBoxes boxes; // none: the window opens
};

void PrintTo(const PreviewAreaCase& area, std::ostream* out) {
    *out << area.name;
}

class PreviewArea : public WindowFaults, public testing::WithParamInterface<PreviewAreaCase> {};

TEST_P(PreviewArea, TheOpeningInItFailsOnceAndCleanlyOrSucceeds) {
    const PreviewAreaCase& area = GetParam();
    runMode = Preview;
    parentMisdeed = area.misdeed;
    const HWND parent = area.hasArea ? makePreviewArea() : nullptr;
    if (area.hasArea) {
        ASSERT_NE(parent, nullptr);
    }
    parentWindow = parent;
    const bool opened = openSaverWindow("t", {0, 0, 200, 150}, 16);
    EXPECT_EQ(opened, area.boxes.empty());
    EXPECT_EQ(takeErrorBoxes(), area.boxes);
    if (area.hasArea) {
        EXPECT_NE(createdChild, nullptr) << "the area saw the saver's window created";
    }
    if (area.misdeed == Misdeed::SetAnotherPixelFormat) {
        EXPECT_TRUE(otherFormatSet);
    }
    if (opened) {
        // The stand-in area itself is no cause of the failures.
        EXPECT_EQ(GetParent(saverWindow), parent);
        closeSaverWindow();
        EXPECT_EQ(takeErrorBoxes(), ErrorBoxes{});
    } else {
        EXPECT_EQ(classRegisteredAtEachBox, std::vector<bool>(area.boxes.size(), false));
        if (area.hasArea) {
            EXPECT_FALSE(IsWindow(createdChild)) << "the window the area was given was released";
        }
        // A whole preview run fails the same way, and ends with 0.
        EXPECT_EQ(runSaver(), 0);
        EXPECT_EQ(takeErrorBoxes(), area.boxes);
    }
    if (parent)
        DestroyWindow(parent);
    expectNothingLeftBehind();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Faults, PreviewArea, testing::Values(
    PreviewAreaCase{"None", false, Misdeed::None, {openingError("Window Creation Error.")}},
    PreviewAreaCase{"ThatDestroysTheWindowAsItIsCreated", true, Misdeed::DestroyTheChild,
                    {openingError("Window Creation Error.")}},
    PreviewAreaCase{"ThatSetsAnotherPixelFormatFirst", true, Misdeed::SetAnotherPixelFormat,
                    {openingError("Can't Set The PixelFormat.")}},
    PreviewAreaCase{"ThatBehaves", true, Misdeed::None, {}}),
    [](const testing::TestParamInfo<PreviewAreaCase>& info) { return std::string(info.param.name); });
// clang-format on

// Something done behind the saver's back while its window is open, and the
// boxes its closing then shows. A misdeed may give back the checks and the
// clean-up for after the closing.
using Afterwards = std::function<void()>;

struct CloseFault {
    const char* name;
    bool inPreviewArea;
    std::function<Afterwards()> misdeed;
    ErrorBoxes boxes;
};

void PrintTo(const CloseFault& fault, std::ostream* out) {
    *out << fault.name;
}

class Closing : public WindowFaults, public testing::WithParamInterface<CloseFault> {};

TEST_P(Closing, SaysWhatFailedOnceInOrderAndLeavesNothingBehind) {
    const CloseFault& fault = GetParam();
    if (fault.inPreviewArea)
        ASSERT_NE(openPreviewInANewArea(), nullptr);
    else
        ASSERT_TRUE(openSaverWindow("t", windowRect(), 16));
    const Afterwards afterwards = fault.misdeed();
    closeSaverWindow();
    EXPECT_EQ(takeErrorBoxes(), fault.boxes);
    if (afterwards)
        afterwards();
    expectNothingLeftBehind();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Faults, Closing, testing::Values(
    CloseFault{"ASecondCloseFindsTheClassGone", false,
               [] {
                   closeSaverWindow();
                   EXPECT_EQ(takeErrorBoxes(), ErrorBoxes{}) << "the first close";
                   return Afterwards();
               },
               {closingError("Could Not Unregister Class.")}},
    CloseFault{"AnotherWindowOfTheClassKeepsItRegistered", false,
               [] {
                   const HWND other = openAnotherWindowOfTheClass();
                   EXPECT_NE(other, nullptr);
                   return Afterwards([other] {
                       EXPECT_EQ(saverWindow, nullptr);
                       EXPECT_TRUE(IsWindow(other));
                       releaseAnotherWindowOfTheClass(other);
                   });
               },
               {closingError("Could Not Unregister Class.")}},
    CloseFault{"APreviewAreaDestroyedUnderTheRunLeavesTheWindowAndItsDcGone", true,
               [] {
                   const HWND child = saverWindow;
                   DestroyWindow(parentWindow);
                   EXPECT_FALSE(IsWindow(child));
                   return Afterwards();
               },
               {}},
    // As the display settings do when they close: the preview area goes
    // while the saver's loop runs. The run ends with 0 and closes without a
    // message box.
    CloseFault{"APreviewAreaClosedWhileTheLoopRunsEndsTheRunSilently", true,
               [] {
                   const HWND parent = parentWindow, child = saverWindow;
                   EXPECT_TRUE(PostMessageA(parent, WM_CLOSE, 0, 0));
                   EXPECT_EQ(saverLoop(), 0);
                   EXPECT_FALSE(IsWindow(parent));
                   EXPECT_FALSE(IsWindow(child));
                   return Afterwards();
               },
               {}},
    CloseFault{"AWindowDestroyedBehindTheSaversBackIsNotReleasedAgain", false,
               [] {
                   EXPECT_TRUE(DestroyWindow(saverWindow));
                   return Afterwards();
               },
               {}},
    CloseFault{"AContextNoLongerCurrentFailsOnlyItsRelease", false,
               [] {
                   EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
                   return Afterwards();
               },
               {closingError("Release Of DC And RC Failed.")}},
    // Another context takes the thread, so that the release itself succeeds.
    CloseFault{"AContextDeletedBehindTheSaversBackFailsOnlyItsDeletion", false,
               [] {
                   const HGLRC other = wglCreateContext(deviceContext);
                   EXPECT_NE(other, nullptr);
                   EXPECT_TRUE(wglMakeCurrent(deviceContext, other));
                   EXPECT_TRUE(wglDeleteContext(renderingContext));
                   return Afterwards([other] {
                       EXPECT_EQ(wglGetCurrentContext(), nullptr);
                       EXPECT_TRUE(wglDeleteContext(other));
                   });
               },
               {closingError("Release Rendering Context Failed.")}},
    CloseFault{"EveryTearDownStepThatFailsSaysSoOnceInOrder", false,
               [] {
                   const HWND other = openAnotherWindowOfTheClass();
                   EXPECT_NE(other, nullptr);
                   EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
                   EXPECT_TRUE(wglDeleteContext(renderingContext));
                   const HWND window = saverWindow;
                   return Afterwards([other, window] {
                       EXPECT_FALSE(IsWindow(window)) << "the steps between the failures still ran";
                       releaseAnotherWindowOfTheClass(other);
                   });
               },
               {closingError("Release Of DC And RC Failed."), closingError("Release Rendering Context Failed."),
                closingError("Could Not Unregister Class.")}}),
    [](const testing::TestParamInfo<CloseFault>& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
