// Faults, in process under Wine: a settings store that cannot be opened, read
// or written, and every "ERROR" and "SHUTDOWN ERROR" the window's opening and
// closing can be brought to show with real Win32 calls, by a preview parent
// that misbehaves or by handles released behind the saver's back. Each path
// must show its exact messages once and in order, and leave nothing behind
// that would stop the next opening in the same process.
//
// Not reachable this way, since nothing runs between the calls concerned and
// Wine does not fail them for a live window: "Can't Create A GL Device
// Context." (GetDC of a CS_OWNDC window), "Can't Find A Suitable
// PixelFormat.", "Can't Create A GL Rendering Context." (after a pixel format
// was set) and "Can't Activate The GL Rendering Context.".

#include "gl/bitmap_source_win32.h"
#include "shell/error_box.h"
#include "gl/gl_window_win32.h"
#include "gl/texture_set.h"
#include "resources/resource_ids.h"
#include "settings/catalogs.h"
#include "settings/dialogs_win32.h"
#include "settings/registry_store_win32.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "shell/run_mode.h"
#include "shell/saver_input.h"
#include "shell/shell_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- messages

struct ErrorBox {
    std::string text, caption;
    unsigned flags;
    bool operator==(const ErrorBox&) const = default;
};

void PrintTo(const ErrorBox& box, std::ostream* os) {
    *os << '"' << box.text << "\" under \"" << box.caption << "\" flags 0x" << std::hex << box.flags;
}

std::vector<ErrorBox> errorBoxes;

void captureErrorBox(const char* text, const char* caption, unsigned flags) {
    errorBoxes.push_back({text, caption, flags});
}

constexpr unsigned openingFlags = 0x30; // MB_OK | MB_ICONEXCLAMATION
constexpr unsigned closingFlags = 0x40; // MB_OK | MB_ICONINFORMATION
static_assert(openingFlags == (MB_OK | MB_ICONEXCLAMATION) && closingFlags == (MB_OK | MB_ICONINFORMATION));

ErrorBox opening(const char* text) {
    return {text, "ERROR", openingFlags};
}

ErrorBox closing(const char* text) {
    return {text, "SHUTDOWN ERROR", closingFlags};
}

using Boxes = std::vector<ErrorBox>;

// ---------------------------------------------------------------- registry

// Every value under the settings key: name to (type, data), or nothing when
// the key is missing.
using StoredValues = std::map<std::string, std::pair<DWORD, std::vector<BYTE>>>;

StoredValues storedValues() {
    StoredValues values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        BYTE data[64];
        DWORD nameSize = sizeof name, type = 0, size = sizeof data;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &size) != ERROR_SUCCESS)
            break;
        values[name] = {type, std::vector<BYTE>(data, data + size)};
    }
    RegCloseKey(key);
    return values;
}

bool settingsKeyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void storeDword(const char* name, DWORD value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

DWORD floatBits(float value) {
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// A user's earlier settings, all different from the defaults.
void storeEarlierSettings() {
    storeDword("mascara", 1);
    storeDword("sombra", 0);
    storeDword("efecto", 5);
    storeDword("efectoulmo", 3);
    storeDword("imagenfondo", 4);
    storeDword("numeroparticulas", 9999);
    storeDword("tamaxparticulas", floatBits(0.033f));
    storeDword("tamayparticulas", floatBits(0.1f));
    storeDword("rojosombra", 10);
    storeDword("verdesombra", 20);
    storeDword("azulsombra", 30);
    storeDword("sangrante", 0);
    storeDword("frames", floatBits(12.5f));
}

// Settings that differ in every field from the earlier ones.
Settings changedSettings() {
    Settings changed;
    changed.mascara = 0;
    changed.sombra = 1;
    changed.efecto = 6;
    changed.efectoulmo = 2;
    changed.imagenfondo = 3;
    changed.numeroparticulas = 1234;
    changed.tamaxparticulas = 0.09f;
    changed.tamayparticulas = 0.02f;
    changed.rojosombra = 99;
    changed.verdesombra = 98;
    changed.azulsombra = 97;
    changed.sangrante = 1;
    changed.frames = 77.0f;
    return changed;
}

std::pair<DWORD, std::vector<BYTE>> dwordValue(DWORD value) {
    std::vector<BYTE> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    return {REG_DWORD, bytes};
}

// The shown-cursor count of this thread, left as it was.
int cursorCount() {
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}

// The product's registry store behind a probe that counts what the settings
// code asks of it and can make it fail: refuse to read or to write at all,
// find nothing while leaving scribbles behind, or give out part way through a write.
struct StoreProbe {
    int reads = 0;
    int writes = 0;
    int valuesOffered = 0;
    int valuesWritten = 0;
    bool refuseReads = false;
    bool scribbleReads = false;
    bool refuseWrites = false;
    int valuesBeforeFailing = -1; // -1: writes never give out on their own
};

StoreProbe probe;
const SettingsStore registry = registrySettingsStore();

bool probedRead(StoredValue* values, int count) {
    ++probe.reads;
    if (probe.scribbleReads) {
        for (int index = 0; index < count; ++index) {
            values[index].bits = 0xA5A5A5A5;
            values[index].found = false;
        }
        return true;
    }
    return !probe.refuseReads && registry.read(values, count);
}

bool probedWrite(const StoredValue* values, int count) {
    ++probe.writes;
    probe.valuesOffered += count;
    if (probe.refuseWrites)
        return false;
    int allowed = count;
    if (probe.valuesBeforeFailing >= 0)
        allowed = std::clamp(probe.valuesBeforeFailing - probe.valuesWritten, 0, count);
    if (allowed > 0)
        registry.write(values, allowed);
    probe.valuesWritten += allowed;
    return allowed == count;
}

class FailingStore : public testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Halvoren");
        settings = Settings{};
        probe = StoreProbe{};
        errorBoxes.clear();
        errorBoxSink = captureErrorBox;
        settingsStore = {probedRead, probedWrite};
    }
    void TearDown() override {
        settingsStore = registrySettingsStore();
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Halvoren");
        EXPECT_TRUE(errorBoxes.empty()) << "a store's failure is never reported";
    }

    static bool sameAsDefaults() {
        const Settings defaults;
        return std::memcmp(&settings, &defaults, sizeof settings) == 0;
    }
};

TEST_F(FailingStore, AStoreThatCannotBeOpenedLeavesTheDefaultsAndTheStoredValues) {
    storeEarlierSettings();
    const StoredValues earlier = storedValues();
    ASSERT_EQ(earlier.size(), 13u);
    probe.refuseReads = probe.refuseWrites = true;

    loadSettings();
    EXPECT_TRUE(sameAsDefaults());

    settings = changedSettings();
    EXPECT_FALSE(saveSettings());
    EXPECT_FALSE(saveFrames());
    EXPECT_EQ(probe.reads + probe.writes, 3);
    EXPECT_EQ(storedValues(), earlier);

    // What loads afterwards is still the earlier settings, whole.
    settings = Settings{};
    probe.refuseReads = false;
    loadSettings();
    EXPECT_EQ(settings.efecto, 5);
    EXPECT_EQ(settings.numeroparticulas, 9999);
    EXPECT_EQ(settings.frames, 12.5f);
}

TEST_F(FailingStore, AKeyThatCannotBeCreatedIsNotCreated) {
    probe.refuseWrites = true;
    settings = changedSettings();
    saveSettings();
    saveFrames();
    EXPECT_FALSE(settingsKeyExists());
}

TEST_F(FailingStore, ReadsThatFindNothingLeaveTheRecordEvenWhenTheyScribble) {
    storeEarlierSettings();
    probe.scribbleReads = true;
    loadSettings();
    EXPECT_TRUE(sameAsDefaults());
    settings = changedSettings();
    const Settings before = settings;
    loadSettings();
    EXPECT_EQ(std::memcmp(&settings, &before, sizeof settings), 0);
    EXPECT_EQ(probe.reads, 2);
}

// A store that gives out part way through a save: each value is either the
// earlier one or the new one whole, never a torn or retyped one, and "frames"
// is never among them.
TEST_F(FailingStore, AStoreThatGivesOutPartWayLeavesEachValueWhole) {
    const char* names[12] = {"mascara", "sombra", "efecto", "efectoulmo", "imagenfondo", "numeroparticulas",
                             "tamaxparticulas", "tamayparticulas", "rojosombra", "verdesombra", "azulsombra",
                             "sangrante"};
    for (int working = 0; working <= 12; ++working) {
        SCOPED_TRACE(working);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Halvoren");
        storeEarlierSettings();
        const StoredValues earlier = storedValues();
        probe = StoreProbe{};
        probe.valuesBeforeFailing = working;
        settings = changedSettings();
        EXPECT_EQ(saveSettings(), working == 12);
        const StoredValues now = storedValues();
        ASSERT_EQ(now.size(), 13u);
        EXPECT_EQ(now.at("frames"), earlier.at("frames"));
        for (int index = 0; index < 12; ++index) {
            const auto& value = now.at(names[index]);
            EXPECT_EQ(value.first, static_cast<DWORD>(REG_DWORD)) << names[index];
            if (index < working)
                EXPECT_NE(value, earlier.at(names[index])) << names[index] << " was written";
            else
                EXPECT_EQ(value, earlier.at(names[index])) << names[index] << " was left";
        }
    }
}

// The main dialog's OK saves when "Registro del sisema" is chosen, as it is
// by default; a store that refuses must not keep the dialog from closing.
TEST_F(FailingStore, TheMainDialogsOkOverARefusingStoreClosesQuietly) {
    buildCatalogs();
    storeEarlierSettings();
    const StoredValues earlier = storedValues();
    probe.refuseWrites = true;
    settings = changedSettings();
    const int cursors = cursorCount();
    HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CONFIG), nullptr, configDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    // Off the screen, so that Wine never maps it on the X display.
    SetWindowPos(dialog, nullptr, -30000, -30000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(dialog, SW_SHOWNOACTIVATE);
    EXPECT_EQ(configDialogProc(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK))),
              TRUE);
    EXPECT_FALSE(IsWindowVisible(dialog)) << "OK ended the dialog";
    DestroyWindow(dialog);
    EXPECT_EQ(probe.valuesOffered, 12);
    EXPECT_EQ(storedValues(), earlier);
    EXPECT_EQ(cursorCount(), cursors);
}

// ---------------------------------------------------------------- the end of a run

bool classRegistered() {
    WNDCLASSA info;
    return GetClassInfoA(GetModuleHandleA(nullptr), windowClassName, &info) != 0;
}

// Ends a running saver loop as a user would, with a key, once it has drawn for a while.
bool keyPressed = false;
bool runGaveUp = false;
UINT_PTR keyTimer = 0;
UINT_PTR giveUpTimer = 0;

void CALLBACK pressSpace(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, keyTimer);
    keyPressed = true;
    PostMessageA(saverWindow, WM_KEYDOWN, VK_SPACE, 0);
}

void CALLBACK giveUp(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, giveUpTimer);
    runGaveUp = true;
    PostQuitMessage(99);
}

class SaverEnd : public FailingStore {
protected:
    void SetUp() override {
        FailingStore::SetUp();
        bitmapSource = loadBitmapPixels;
        parentWindow = nullptr;
        runMode = Saver;
        std::memset(keyDown, 0, sizeof keyDown);
        activeFlag = 1;
        keyPressed = runGaveUp = false;
        cursorsAtStart = cursorCount();
    }
    void TearDown() override {
        std::memset(keyDown, 0, sizeof keyDown);
        runMode = NoMode;
        while (cursorCount() < cursorsAtStart)
            ShowCursor(TRUE);
        FailingStore::TearDown();
    }

    // A full-screen run as WinMain makes it, ended by a key after a moment.
    int runToTheKey() {
        keyTimer = SetTimer(nullptr, 0, 700, pressSpace);
        giveUpTimer = SetTimer(nullptr, 0, 30000, giveUp);
        const int exitCode = runSaver();
        KillTimer(nullptr, keyTimer);
        KillTimer(nullptr, giveUpTimer);
        EXPECT_TRUE(keyPressed);
        EXPECT_FALSE(runGaveUp) << "the run did not end on its key";
        EXPECT_EQ(saverWindow, nullptr);
        EXPECT_EQ(renderingContext, nullptr);
        EXPECT_FALSE(classRegistered());
        return exitCode;
    }

    int cursorsAtStart = 0;
};

TEST_F(SaverEnd, AWorkingStoreKeepsTheRunsAverage) {
    storeEarlierSettings();
    loadSettings();
    ASSERT_EQ(settings.frames, 12.5f);
    EXPECT_EQ(runToTheKey(), 0);
    EXPECT_NE(settings.frames, 12.5f) << "frames were drawn";
    EXPECT_EQ(storedValues().at("frames"), dwordValue(floatBits(settings.frames)));
}

TEST_F(SaverEnd, AStoreThatRefusesEndsTheRunCleanlyAndQuietlyAndTheNextRunStores) {
    storeEarlierSettings();
    const StoredValues earlier = storedValues();
    loadSettings();
    probe.refuseWrites = true;
    EXPECT_EQ(runToTheKey(), 0);
    EXPECT_NE(settings.frames, 12.5f) << "frames were drawn";
    EXPECT_EQ(probe.writes, 1) << "the end of the run tried to store the average";
    EXPECT_EQ(storedValues(), earlier);

    probe.refuseWrites = false;
    EXPECT_EQ(runToTheKey(), 0);
    EXPECT_EQ(storedValues().at("frames").second.size(), 4u);
    EXPECT_NE(storedValues().at("frames"), earlier.at("frames"));
}

// ---------------------------------------------------------------- opening and closing

const RECT saverRect = {0, 0, 96, 64};

class WindowFaults : public testing::Test {
protected:
    void SetUp() override {
        errorBoxes.clear();
        errorBoxSink = captureErrorBox;
        bitmapSource = loadBitmapPixels;
        parentWindow = nullptr;
        runMode = Saver;
        parentMisdeed = Misdeed::None;
    }
    void TearDown() override {
        if (saverWindow || renderingContext || deviceContext) {
            ADD_FAILURE() << "a test left the saver's window open";
            closeSaverWindow();
        }
        if (classRegistered())
            UnregisterClassA(windowClassName, GetModuleHandleA(nullptr));
        runMode = NoMode;
        parentWindow = nullptr;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // After a failure, nothing of the saver's is left: no window, no context
    // current, the class gone, and a fresh opening succeeds without a word.
    static void expectNothingLeftBehind() {
        EXPECT_EQ(saverWindow, nullptr);
        EXPECT_EQ(deviceContext, nullptr);
        EXPECT_EQ(renderingContext, nullptr);
        EXPECT_EQ(wglGetCurrentContext(), nullptr);
        EXPECT_FALSE(classRegistered());
        errorBoxes.clear();
        const RunMode mode = runMode;
        const HWND parent = parentWindow;
        runMode = Saver;
        parentWindow = nullptr;
        bitmapSource = loadBitmapPixels;
        EXPECT_TRUE(openSaverWindow("again", saverRect, 16));
        EXPECT_NE(wglGetCurrentContext(), nullptr);
        closeSaverWindow();
        EXPECT_EQ(errorBoxes, Boxes{});
        EXPECT_FALSE(classRegistered());
        runMode = mode;
        parentWindow = parent;
    }

    // A stand-in for the preview area, which may misbehave when the saver's
    // window is created in it.
    enum class Misdeed { None, DestroyTheChild, SetAnotherPixelFormat };
    static inline Misdeed parentMisdeed = Misdeed::None;
    static inline HWND createdChild = nullptr;

    static LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE) {
            createdChild = reinterpret_cast<HWND>(lParam);
            if (parentMisdeed == Misdeed::DestroyTheChild)
                DestroyWindow(createdChild);
            if (parentMisdeed == Misdeed::SetAnotherPixelFormat)
                giveAnotherPixelFormat(createdChild);
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    // Sets a pixel format on the child other than the one the saver will
    // choose; a window takes one pixel format for its whole life.
    static void giveAnotherPixelFormat(HWND child) {
        HDC dc = GetDC(child);
        PIXELFORMATDESCRIPTOR wanted = {};
        wanted.nSize = sizeof wanted;
        wanted.nVersion = 1;
        wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        wanted.iPixelType = PFD_TYPE_RGBA;
        wanted.cColorBits = 16;
        wanted.cDepthBits = 16;
        wanted.iLayerType = PFD_MAIN_PLANE;
        const int saversChoice = ChoosePixelFormat(dc, &wanted);
        const int other = saversChoice == 1 ? 2 : 1;
        PIXELFORMATDESCRIPTOR described = {};
        DescribePixelFormat(dc, other, sizeof described, &described);
        otherFormatSet = SetPixelFormat(dc, other, &described) != FALSE;
        ReleaseDC(child, dc);
    }
    static inline bool otherFormatSet = false;

    // A preview opened in a new preview area; the area, or null when either failed.
    static HWND openPreviewInANewArea() {
        runMode = Preview;
        parentWindow = makeParent();
        if (!parentWindow || !openSaverWindow("t", {0, 0, 200, 150}, 16))
            return nullptr;
        return parentWindow;
    }

    static HWND makeParent() {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA windowClass = {};
            windowClass.lpfnWndProc = parentProcedure;
            windowClass.hInstance = GetModuleHandleA(nullptr);
            windowClass.lpszClassName = "NorwynFaultsPreviewArea";
            registered = RegisterClassA(&windowClass) != 0;
        }
        return CreateWindowExA(0, "NorwynFaultsPreviewArea", "Vista previa", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                               20, 200, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
};

TEST_F(WindowFaults, ASecondCloseFindsTheClassGone) {
    ASSERT_TRUE(openSaverWindow("t", saverRect, 16));
    closeSaverWindow();
    EXPECT_EQ(errorBoxes, Boxes{});
    closeSaverWindow();
    EXPECT_EQ(errorBoxes, Boxes{closing("Could Not Unregister Class.")});
    expectNothingLeftBehind();
}

TEST_F(WindowFaults, AnotherWindowOfTheClassKeepsItRegistered) {
    ASSERT_TRUE(openSaverWindow("t", saverRect, 16));
    HWND other = CreateWindowExA(0, windowClassName, "other", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    closeSaverWindow();
    EXPECT_EQ(errorBoxes, Boxes{closing("Could Not Unregister Class.")});
    EXPECT_EQ(saverWindow, nullptr);
    EXPECT_TRUE(IsWindow(other));
    DestroyWindow(other);
    ASSERT_TRUE(UnregisterClassA(windowClassName, GetModuleHandleA(nullptr)));
    expectNothingLeftBehind();
}

TEST_F(WindowFaults, APreviewAreaDestroyedUnderTheRunLeavesTheWindowAndItsDcGone) {
    const HWND parent = openPreviewInANewArea();
    ASSERT_NE(parent, nullptr);
    const HWND child = saverWindow;
    DestroyWindow(parent);
    ASSERT_FALSE(IsWindow(child));
    closeSaverWindow();
    EXPECT_EQ(errorBoxes, Boxes{});
    expectNothingLeftBehind();
}

// As the display settings do when they close: the preview area goes while the
// saver's loop runs. The run ends with 0 and closes without a message box.
TEST_F(WindowFaults, APreviewAreaClosedWhileTheLoopRunsEndsTheRunSilently) {
    const HWND parent = openPreviewInANewArea();
    ASSERT_NE(parent, nullptr);
    const HWND child = saverWindow;
    ASSERT_TRUE(PostMessageA(parent, WM_CLOSE, 0, 0));
    EXPECT_EQ(saverLoop(), 0);
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
    closeSaverWindow();
    EXPECT_EQ(errorBoxes, Boxes{});
    expectNothingLeftBehind();
}

TEST_F(WindowFaults, AWindowDestroyedBehindTheSaversBackIsNotReleasedAgain) {
    ASSERT_TRUE(openSaverWindow("t", saverRect, 16));
    ASSERT_TRUE(DestroyWindow(saverWindow));
    closeSaverWindow();
    EXPECT_EQ(errorBoxes, Boxes{});
    expectNothingLeftBehind();
}

TEST_F(WindowFaults, AContextNoLongerCurrentFailsOnlyItsRelease) {
    ASSERT_TRUE(openSaverWindow("t", saverRect, 16));
    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
    closeSaverWindow();
    EXPECT_EQ(errorBoxes, Boxes{closing("Release Of DC And RC Failed.")});
    expectNothingLeftBehind();
}

TEST_F(WindowFaults, AContextDeletedBehindTheSaversBackFailsOnlyItsDeletion) {
    ASSERT_TRUE(openSaverWindow("t", saverRect, 16));
    // Another context takes the thread, so that the release itself succeeds.
    HGLRC other = wglCreateContext(deviceContext);
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(wglMakeCurrent(deviceContext, other));
    ASSERT_TRUE(wglDeleteContext(renderingContext));
    closeSaverWindow();
    EXPECT_EQ(errorBoxes, Boxes{closing("Release Rendering Context Failed.")});
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_TRUE(wglDeleteContext(other));
    expectNothingLeftBehind();
}

TEST_F(WindowFaults, EveryTearDownStepThatFailsSaysSoOnceInOrder) {
    ASSERT_TRUE(openSaverWindow("t", saverRect, 16));
    HWND other = CreateWindowExA(0, windowClassName, "other", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    const HGLRC context = renderingContext;
    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
    ASSERT_TRUE(wglDeleteContext(context));
    const HWND window = saverWindow;
    closeSaverWindow();
    EXPECT_EQ(errorBoxes, (Boxes{closing("Release Of DC And RC Failed."), closing("Release Rendering Context Failed."),
                                 closing("Could Not Unregister Class.")}));
    EXPECT_FALSE(IsWindow(window)) << "the steps between the failures still ran";
    DestroyWindow(other);
    ASSERT_TRUE(UnregisterClassA(windowClassName, GetModuleHandleA(nullptr)));
    expectNothingLeftBehind();
}

TEST_F(WindowFaults, APreviewAreaThatDestroysTheWindowAsItIsCreated) {
    runMode = Preview;
    parentMisdeed = Misdeed::DestroyTheChild;
    HWND parent = makeParent();
    ASSERT_NE(parent, nullptr);
    parentWindow = parent;
    EXPECT_FALSE(openSaverWindow("t", {0, 0, 200, 150}, 16));
    EXPECT_EQ(errorBoxes, Boxes{opening("Window Creation Error.")});
    EXPECT_FALSE(IsWindow(createdChild));
    DestroyWindow(parent);
    expectNothingLeftBehind();
}

TEST_F(WindowFaults, APreviewAreaThatSetsAnotherPixelFormatFirst) {
    runMode = Preview;
    parentMisdeed = Misdeed::SetAnotherPixelFormat;
    otherFormatSet = false;
    HWND parent = makeParent();
    ASSERT_NE(parent, nullptr);
    parentWindow = parent;
    EXPECT_FALSE(openSaverWindow("t", {0, 0, 200, 150}, 16));
    ASSERT_TRUE(otherFormatSet);
    EXPECT_EQ(errorBoxes, Boxes{opening("Can't Set The PixelFormat.")});
    EXPECT_FALSE(IsWindow(createdChild)) << "the window with the foreign format was released";
    DestroyWindow(parent);
    expectNothingLeftBehind();
}

TEST_F(WindowFaults, APreviewAreaThatBehavesOpensAsUsual) {
    // The stand-in parent itself is no cause of the failures above.
    runMode = Preview;
    HWND parent = makeParent();
    ASSERT_NE(parent, nullptr);
    parentWindow = parent;
    EXPECT_TRUE(openSaverWindow("t", {0, 0, 200, 150}, 16));
    EXPECT_EQ(GetParent(saverWindow), parent);
    closeSaverWindow();
    EXPECT_EQ(errorBoxes, Boxes{});
    DestroyWindow(parent);
    expectNothingLeftBehind();
}

int failingSlotResource = 0;
int picturesAsked = 0;

bool sourceFailingAtOneSlot(int resourceId, BitmapPixels& pixels) {
    ++picturesAsked;
    if (resourceId == failingSlotResource)
        return false;
    return loadBitmapPixels(resourceId, pixels);
}

TEST_F(WindowFaults, APictureMissingFromAnySlotFailsOnceAndReleasesEverything) {
    for (int slot = 0; slot < textureSlotCount; ++slot) {
        SCOPED_TRACE(slot);
        errorBoxes.clear();
        failingSlotResource = textureResourceIds[slot];
        picturesAsked = 0;
        bitmapSource = sourceFailingAtOneSlot;
        EXPECT_FALSE(openSaverWindow("t", saverRect, 16));
        EXPECT_EQ(picturesAsked, slot + 1) << "no picture is asked for after the first that fails";
        EXPECT_EQ(errorBoxes, Boxes{opening("Initialization Failed.")});
        EXPECT_EQ(saverWindow, nullptr);
        EXPECT_EQ(renderingContext, nullptr);
        EXPECT_EQ(wglGetCurrentContext(), nullptr);
        EXPECT_FALSE(classRegistered());
    }
    expectNothingLeftBehind();
}

TEST_F(WindowFaults, TheClassOfAnotherProgramPartIsLeftRegistered) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = windowClassName;
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    EXPECT_FALSE(openSaverWindow("t", saverRect, 16));
    EXPECT_EQ(errorBoxes, Boxes{opening("Failed To Register The Window Class.")});
    EXPECT_TRUE(classRegistered()) << "the saver unregisters no class it did not register";
    ASSERT_TRUE(UnregisterClassA(windowClassName, GetModuleHandleA(nullptr)));
    expectNothingLeftBehind();
}

} // namespace
