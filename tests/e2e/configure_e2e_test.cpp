// The configuration dialog as the display settings open it: with no switch
// or with /c, driven through its own controls from outside the process.

#include "saver_process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr DWORD opening = 30000;
constexpr DWORD ending = 10000;

HWND waitForDialog(SaverProcess& process, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds && process.running()) {
        HWND dialog = FindWindowA("#32770", nullptr);
        if (dialog && GetDlgItem(dialog, 1001) && IsWindowVisible(dialog))
            return dialog;
        Sleep(100);
    }
    return nullptr;
}

std::string itemText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class ConfigureE2e : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override { deleteSettingsKey(); }
    void TearDown() override { deleteSettingsKey(); }
};

TEST_P(ConfigureE2e, OkStoresTheChosenEffectWithTheOtherSettings) {
    SaverProcess saver(GetParam());
    const HWND dialog = waitForDialog(saver, opening);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(itemText(dialog, 1001), "Ondulacion suave");
    EXPECT_EQ(itemText(dialog, 1004), "Espada del Tarvek realizada por Galdrune");
    EXPECT_EQ(itemText(dialog, 1005), "Sin movimiento");
    EXPECT_EQ(itemText(dialog, 1008), " 0.00");

    SetDlgItemTextA(dialog, 1001, "La casa de los espejos (Parte 2)");
    SetDlgItemTextA(dialog, 1005, "Efecto hipnotico con persecucion");
    SendMessageA(GetDlgItem(dialog, 1), BM_CLICK, 0, 0);
    EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
    EXPECT_EQ(storedValueCount(), 12);
    EXPECT_EQ(storedSetting("efecto"), std::optional<DWORD>(5));
    EXPECT_EQ(storedSetting("efectoulmo"), std::optional<DWORD>(3));
    EXPECT_EQ(storedSetting("numeroparticulas"), std::optional<DWORD>(200));
    EXPECT_EQ(storedSetting("frames"), std::nullopt);
}

TEST_P(ConfigureE2e, CancelStoresNothing) {
    SaverProcess saver(GetParam());
    const HWND dialog = waitForDialog(saver, opening);
    ASSERT_NE(dialog, nullptr);
    SetDlgItemTextA(dialog, 1001, "Fondo estatico");
    SendMessageA(GetDlgItem(dialog, 2), BM_CLICK, 0, 0);
    EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
    EXPECT_EQ(storedValueCount(), 0);
}

TEST_P(ConfigureE2e, TheDialogShowsTheStoredChoicesAndFrameRate) {
    storeSetting("efecto", 3);
    storeSetting("imagenfondo", 4);
    storeSetting("frames", 0x42F6E979); // 123.456f
    SaverProcess saver(GetParam());
    const HWND dialog = waitForDialog(saver, opening);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(itemText(dialog, 1001), "ondulacion de arriba a abajo");
    EXPECT_EQ(itemText(dialog, 1004), "El caballero del Caos realizado por Galdrune");
    EXPECT_EQ(itemText(dialog, 1008), "123.46");
    SendMessageA(GetDlgItem(dialog, 2), BM_CLICK, 0, 0);
    EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
}

// The sub-dialogs come from the program's own module, and the credits
// pictures with them: seven pictures, each with its bitmap loaded.
TEST_P(ConfigureE2e, TheCreditsShowTheirSevenPictures) {
    SaverProcess saver(GetParam());
    const HWND dialog = waitForDialog(saver, opening);
    ASSERT_NE(dialog, nullptr);
    PostMessageA(GetDlgItem(dialog, 1000), BM_CLICK, 0, 0);
    HWND credits = nullptr;
    for (int poll = 0; poll < 100 && !credits; ++poll) {
        Sleep(100);
        for (HWND window = FindWindowA("#32770", nullptr); window && !credits;
             window = FindWindowExA(nullptr, window, "#32770", nullptr))
            if (window != dialog && GetDlgItem(window, IDOK) && !GetDlgItem(window, 1001) && IsWindowVisible(window))
                credits = window;
    }
    ASSERT_NE(credits, nullptr);
    int pictures = 0, loaded = 0;
    for (HWND child = GetWindow(credits, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            continue;
        ++pictures;
        loaded += SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    }
    EXPECT_EQ(pictures, 7);
    EXPECT_EQ(loaded, 7);
    PostMessageA(GetDlgItem(credits, IDOK), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(dialog, 2), BM_CLICK, 0, 0);
    EXPECT_EQ(saver.waitForExit(ending), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(Switches, ConfigureE2e, testing::Values("", "/c"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(*info.param ? "ConfigureSwitch" : "NoSwitch");
                         });

} // namespace
