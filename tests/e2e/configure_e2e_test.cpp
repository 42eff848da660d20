// The configuration dialog as the display settings open it: with no switch
// or with /c, driven through its own controls from outside the process.

#include "saver_process.h"

#include "dialog_driver_win32.h"
#include "registry_win32.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr DWORD opening = 30000;
constexpr DWORD ending = 30000; // a loaded machine may take a while to close it all

class ConfigureE2e : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override { deleteSettingsKey(); }
    void TearDown() override { deleteSettingsKey(); }

    // Starts norwyn.scr with the switch under test; its main dialog once it
    // shows, or null.
    HWND openDialog() {
        saver.emplace(GetParam());
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < opening && saver->running()) {
            HWND dialog = FindWindowA("#32770", nullptr);
            if (dialog && GetDlgItem(dialog, IDC_EFFECT) && IsWindowVisible(dialog))
                return dialog;
            Sleep(100);
        }
        return nullptr;
    }

    // Presses one of the dialog's buttons; the program must then end with 0.
    void endWith(HWND dialog, int button) {
        click(dialog, button);
        EXPECT_EQ(saver->waitForExit(ending), std::optional<DWORD>(0));
    }

    std::optional<SaverProcess> saver;
};

TEST_P(ConfigureE2e, OkStoresTheChosenEffectWithTheOtherSettings) {
    const HWND dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(textOf(dialog, IDC_EFFECT), "Ondulacion suave");
    EXPECT_EQ(textOf(dialog, IDC_BACKGROUND), "Espada del Tarvek realizada por Galdrune");
    EXPECT_EQ(textOf(dialog, IDC_MOVEMENT), "Sin movimiento");
    EXPECT_EQ(textOf(dialog, IDC_FRAMES), " 0.00");

    SetDlgItemTextA(dialog, IDC_EFFECT, "La casa de los espejos (Parte 2)");
    SetDlgItemTextA(dialog, IDC_MOVEMENT, "Efecto hipnotico con persecucion");
    endWith(dialog, IDOK);
    EXPECT_EQ(storedValues().size(), 12u);
    EXPECT_EQ(storedDword("efecto"), std::optional<DWORD>(5));
    EXPECT_EQ(storedDword("efectoulmo"), std::optional<DWORD>(3));
    EXPECT_EQ(storedDword("numeroparticulas"), std::optional<DWORD>(200));
    EXPECT_EQ(storedDword("frames"), std::nullopt);
}

TEST_P(ConfigureE2e, CancelStoresNothing) {
    const HWND dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    SetDlgItemTextA(dialog, IDC_EFFECT, "Fondo estatico");
    endWith(dialog, IDCANCEL);
    EXPECT_TRUE(storedValues().empty());
}

TEST_P(ConfigureE2e, TheDialogShowsTheStoredChoicesAndFrameRate) {
    storeDword("efecto", 3);
    storeDword("imagenfondo", 4);
    storeDword("frames", 0x42F6E979); // 123.456f
    const HWND dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(textOf(dialog, IDC_EFFECT), "ondulacion de arriba a abajo");
    EXPECT_EQ(textOf(dialog, IDC_BACKGROUND), "El caballero del Caos realizado por Galdrune");
    EXPECT_EQ(textOf(dialog, IDC_FRAMES), "123.46");
    endWith(dialog, IDCANCEL);
}

// The sub-dialogs come from the program's own module, and the credits
// pictures with them: seven pictures, each with its bitmap loaded.
TEST_P(ConfigureE2e, TheCreditsShowTheirSevenPictures) {
    const HWND dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    PostMessageA(GetDlgItem(dialog, IDC_CREDITS), BM_CLICK, 0, 0);
    HWND credits = nullptr;
    const DWORD start = GetTickCount();
    while (!credits && GetTickCount() - start < opening) {
        Sleep(100);
        for (HWND window = FindWindowA("#32770", nullptr); window && !credits;
             window = FindWindowExA(nullptr, window, "#32770", nullptr))
            if (window != dialog && GetDlgItem(window, IDOK) && !GetDlgItem(window, IDC_EFFECT) &&
                IsWindowVisible(window))
                credits = window;
    }
    ASSERT_NE(credits, nullptr);
    const std::vector<HWND> pictures = pictureControls(credits);
    int loaded = 0;
    for (HWND picture : pictures)
        loaded += SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    EXPECT_EQ(pictures.size(), 7u);
    EXPECT_EQ(loaded, 7);
    PostMessageA(GetDlgItem(credits, IDOK), BM_CLICK, 0, 0);
    endWith(dialog, IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(Switches, ConfigureE2e, testing::Values("", "/c"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(*info.param ? "ConfigureSwitch" : "NoSwitch");
                         });

} // namespace
