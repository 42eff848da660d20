// What the four configuration dialogs share, each built from the
// executable's own template and driven through its controls: the messages
// their procedures answer, the commands they leave alone, what they do to
// the cursor and the codes they end with when run modal. The credits'
// pictures close the file; each dialog's own fields are in
// config_dialog_test.cpp and number_dialogs_test.cpp.

#include "resources/resource_ids.h"
#include "settings/dialogs_win32.h"
#include "settings/settings.h"

#include "cursor_win32.h"
#include "dialog_driver_win32.h"
#include "dialog_test_win32.h"
#include "registry_win32.h"
#include "settings_checks_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

struct DialogKind {
    const char* name;
    int templateId;
    DLGPROC procedure;
};

const DialogKind config = {"config", IDD_CONFIG, configDialogProc};
const DialogKind credits = {"credits", IDD_CREDITS, creditsDialogProc};
const DialogKind effects = {"effects", IDD_EFFECTS, effectsDialogProc};
const DialogKind character = {"character", IDD_CHARACTER, characterDialogProc};

using AllDialogs = DialogTest;

TEST_F(AllDialogs, AnswerOnlyInitDialogAndCommand) {
    for (const DialogKind* kind : {&config, &credits, &effects, &character}) {
        SCOPED_TRACE(kind->name);
        const Dialog dialog(kind->templateId, kind->procedure);
        ASSERT_NE(dialog.window(), nullptr);
        for (UINT message : {static_cast<UINT>(WM_CLOSE), static_cast<UINT>(WM_TIMER), static_cast<UINT>(WM_PAINT),
                             static_cast<UINT>(WM_KEYDOWN), static_cast<UINT>(WM_USER)})
            EXPECT_EQ(kind->procedure(dialog.window(), message, IDOK, 0), FALSE) << "message 0x" << std::hex << message;
        EXPECT_TRUE(dialog.isOpen());
    }
}

// Commands a dialog has no use for: the main dialog, the credits and the
// effects leave them unhandled; the character dialog counts every command as
// handled. None acts: the dialog stays open with what was entered in it, and
// nothing is applied or stored.
struct IdleCommands {
    const DialogKind* kind;
    std::vector<int> ids;
    INT_PTR answer;
    int field; // a field that keeps what was entered, 0 for none
};

// clang-format off
const IdleCommands idleCommands[] = {
    {&config, {0, 3, IDC_EFFECT, IDC_FRAMES, IDC_SAVE_REGISTRY, IDC_SAVE_FILE, IDC_SAVE_NOTHING, 1019, 0xFFFF}, FALSE, 0},
    {&credits, {IDCANCEL, 0, IDC_CREDITS, 1019}, FALSE, 0},
    {&effects, {0, IDC_SHADOW, IDC_SHADOW_RED, IDC_SHADOW_GREEN, IDC_DEFAULTS, IDC_BLEEDING}, FALSE, IDC_SHADOW_RED},
    {&character, {0, IDC_MASK, IDC_BLEEDING, IDC_DROP_COUNT, IDC_DEFAULTS, 1234}, TRUE, IDC_DROP_COUNT},
};
// clang-format on

TEST_F(AllDialogs, OtherCommandsDoNothing) {
    for (const IdleCommands& idle : idleCommands) {
        SCOPED_TRACE(idle.kind->name);
        const Dialog dialog(idle.kind->templateId, idle.kind->procedure);
        if (idle.field)
            dialog.setText(idle.field, "3");
        for (int id : idle.ids)
            EXPECT_EQ(dialog.press(id), idle.answer) << "id " << id;
        EXPECT_TRUE(dialog.isOpen());
        if (idle.field) {
            EXPECT_EQ(dialog.text(idle.field), "3");
        }
        EXPECT_TRUE(sameSettings(settings, Settings{}));
        EXPECT_FALSE(settingsKeyExists());
    }
}

// Every dialog shows the cursor as it opens. Only the main one hides it
// again, on either way out; the others leave that to it.
struct CursorAfter {
    const DialogKind* kind;
    int button;
    bool stillOpen;
    int shownMore; // the display count after the button, above the one before the dialog
};

// clang-format off
const CursorAfter cursorAfterEachButton[] = {
    {&config, IDOK, false, 0},       {&config, IDCANCEL, false, 0},   {&config, IDC_DEFAULTS, true, 1},
    {&credits, IDOK, false, 1},      {&effects, IDOK, false, 1},      {&effects, IDCANCEL, false, 1},
    {&character, IDOK, false, 1},    {&character, IDCANCEL, false, 1},
};
// clang-format on

TEST_F(AllDialogs, ShowTheCursorAndOnlyTheMainOneHidesItAgain) {
    for (const CursorAfter& after : cursorAfterEachButton) {
        SCOPED_TRACE(std::string(after.kind->name) + ", button " + std::to_string(after.button));
        const int start = cursorDisplayCount();
        {
            const Dialog dialog(after.kind->templateId, after.kind->procedure);
            EXPECT_EQ(cursorDisplayCount(), start + 1);
            EXPECT_EQ(dialog.press(after.button), TRUE);
            EXPECT_EQ(dialog.isOpen(), after.stillOpen);
            EXPECT_EQ(cursorDisplayCount(), start + after.shownMore);
        }
        restoreCursorDisplayCount(start);
    }
}

// Run modal, a dialog ends with 1 on OK and 2 on Cancel or Escape, which
// apply nothing. The credits close on their OK alone: Escape leaves them open.
struct ModalEnd {
    const DialogKind* kind;
    int button;     // 0: Escape
    INT_PTR result; // 0: still open, and then ended with its OK
    int field;      // a field that "9" is entered into first, 0 for none
};

// clang-format off
const ModalEnd modalEnds[] = {
    {&config, IDOK, IDOK, 0},      {&config, IDCANCEL, IDCANCEL, 0},        {&config, 0, IDCANCEL, 0},
    {&credits, IDOK, IDOK, 0},     {&credits, 0, 0, 0},
    {&effects, IDOK, IDOK, 0},     {&effects, 0, IDCANCEL, IDC_SHADOW_RED},
    {&character, IDOK, IDOK, 0},   {&character, IDCANCEL, IDCANCEL, IDC_DROP_COUNT},
    {&character, 0, IDCANCEL, IDC_DROP_COUNT},
};
// clang-format on

TEST_F(AllDialogs, RunModalEndWithOneOnOkAndTwoOnCancel) {
    for (const ModalEnd& end : modalEnds) {
        SCOPED_TRACE(std::string(end.kind->name) +
                     (end.button ? ", button " + std::to_string(end.button) : ", Escape"));
        settings = Settings{};
        bool openAfterwards = false;
        ModalRun run;
        const INT_PTR result = runModal(
            end.kind->templateId, end.kind->procedure,
            [&](HWND dialog) {
                if (end.field)
                    SetDlgItemTextA(dialog, end.field, "9");
                if (end.button) {
                    click(dialog, end.button);
                } else {
                    MSG escape = {GetDlgItem(dialog, end.field ? end.field : IDOK), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
                    IsDialogMessageA(dialog, &escape);
                }
                openAfterwards = IsWindowVisible(dialog) != FALSE;
                if (openAfterwards)
                    click(dialog, IDOK);
            },
            run);
        EXPECT_NE(run.dialog, nullptr);
        EXPECT_FALSE(run.leftOpen);
        EXPECT_EQ(openAfterwards, end.result == 0);
        EXPECT_EQ(result, end.result ? end.result : IDOK);
        if (end.result == IDCANCEL) {
            EXPECT_TRUE(sameSettings(settings, Settings{}));
        }
        deleteSettingsKey();
    }
}

using CreditsDialog = DialogTest;

// Each picture sizes itself to its bitmap, whatever the template's rectangle.
TEST_F(CreditsDialog, ShowEachPictureAtItsOwnSize) {
    const Dialog credits(IDD_CREDITS, creditsDialogProc);
    const std::vector<HWND> pictures = pictureControls(credits.window());
    EXPECT_EQ(pictures.size(), 7u);
    for (size_t index = 0; index < pictures.size(); ++index) {
        SCOPED_TRACE("picture " + std::to_string(index));
        const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(pictures[index], STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(bitmap, nullptr);
        BITMAP size = {};
        ASSERT_NE(GetObjectA(bitmap, sizeof size, &size), 0);
        RECT window = {};
        GetWindowRect(pictures[index], &window);
        EXPECT_EQ(window.right - window.left, size.bmWidth);
        EXPECT_EQ(window.bottom - window.top, size.bmHeight);
    }
}

} // namespace
