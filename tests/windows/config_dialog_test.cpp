// The main dialog, "Configuracion de Norwyn", built from its real template
// and driven through its controls: the three catalog choices, the frame
// rate, the save choice, its buttons and the dialogs it opens over itself.

#include "gl/gl_window_win32.h"
#include "resources/resource_ids.h"
#include "settings/dialogs_win32.h"
#include "settings/settings.h"

#include "dialog_driver_win32.h"
#include "dialog_test_win32.h"
#include "registry_win32.h"
#include "settings_checks_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <bit>
#include <string>
#include <vector>

namespace {

using ConfigDialog = DialogTest;

// What the dialog shows for some settings.
struct Shown {
    const char* what;
    void (*adjust)(Settings&);
    const char* background;
    const char* effect;
    const char* movement;
    bool registryChosen;
    const char* frames;
};

// clang-format off
const Shown shownChoices[] = {
    {"the defaults", [](Settings&) {},
     "Espada del Tarvek realizada por Galdrune", "Ondulacion suave", "Sin movimiento", true, " 0.00"},
    {"other choices",
     [](Settings& s) { s.imagenfondo = 4; s.efecto = 3; s.efectoulmo = 2; s.saveToRegistry = 0; s.frames = 123.456f; },
     "El caballero del Caos realizado por Galdrune", "ondulacion de arriba a abajo", "Efecto hipnotico", false,
     "123.46"},
    {"a narrow frame rate", [](Settings& s) { s.frames = 7.5f; },
     "Espada del Tarvek realizada por Galdrune", "Ondulacion suave", "Sin movimiento", true, " 7.50"},
    // The pictures have no id 1: an id without a caption leaves its combo empty.
    {"ids without a caption", [](Settings& s) { s.imagenfondo = 1; s.efecto = 9; },
     "", "", "Sin movimiento", true, " 0.00"},
};
// clang-format on

TEST_F(ConfigDialog, ShowsTheChoicesTheFrameRateAndTheSaveChoice) {
    for (const Shown& shown : shownChoices) {
        SCOPED_TRACE(shown.what);
        settings = Settings{};
        shown.adjust(settings);
        const Dialog config(IDD_CONFIG, configDialogProc);
        ASSERT_NE(config.window(), nullptr);
        EXPECT_EQ(config.text(IDC_BACKGROUND), shown.background);
        EXPECT_EQ(config.text(IDC_EFFECT), shown.effect);
        EXPECT_EQ(config.text(IDC_MOVEMENT), shown.movement);
        EXPECT_EQ(config.text(IDC_FRAMES), shown.frames);
        EXPECT_EQ(config.ticked(IDC_SAVE_REGISTRY), shown.registryChosen);
        EXPECT_EQ(config.ticked(IDC_SAVE_NOTHING), !shown.registryChosen);
        EXPECT_FALSE(config.ticked(IDC_SAVE_FILE));
        EXPECT_FALSE(config.enabled(IDC_SAVE_FILE));
    }
}

// CBS_SORT does not reorder inserted items: the lists keep catalog order.
TEST_F(ConfigDialog, ListsTheCatalogsInCatalogOrder) {
    const Dialog config(IDD_CONFIG, configDialogProc);
    EXPECT_EQ(config.listed(IDC_EFFECT),
              (std::vector<std::string>{"Fondo estatico", "Ondulacion estresada", "Ondulacion suave",
                                        "ondulacion de arriba a abajo", "La casa de los espejos (Parte 1)",
                                        "La casa de los espejos (Parte 2)", "Estiramientos sobre el fondo"}));
    EXPECT_EQ(config.listed(IDC_BACKGROUND),
              (std::vector<std::string>{"Espada del Tarvek realizada por Galdrune",
                                        "Dibujo del Barbaro realizado por Pelquin", "Logos varios",
                                        "El caballero del Caos realizado por Galdrune"}));
    EXPECT_EQ(config.listed(IDC_MOVEMENT),
              (std::vector<std::string>{"Sin movimiento", "De lado a lado sinuosamente", "Efecto hipnotico",
                                        "Efecto hipnotico con persecucion"}));
}

TEST_F(ConfigDialog, OkTakesTheIdOfEachChosenCaption) {
    const int backgroundIds[] = {0, 2, 3, 4};
    for (int index = 0; index < 4; ++index) {
        const Dialog config(IDD_CONFIG, configDialogProc);
        config.choose(IDC_BACKGROUND, index);
        config.choose(IDC_MOVEMENT, 3 - index);
        config.choose(IDC_EFFECT, index + 3);
        EXPECT_EQ(config.press(IDOK), TRUE);
        EXPECT_EQ(settings.imagenfondo, backgroundIds[index]) << "entry " << index;
        EXPECT_EQ(settings.efectoulmo, 3 - index) << "entry " << index;
        EXPECT_EQ(settings.efecto, index + 3) << "entry " << index;
    }
}

TEST_F(ConfigDialog, TextThatIsNoCaptionKeepsTheChoice) {
    settings.imagenfondo = 3;
    settings.efectoulmo = 1;
    {
        const Dialog config(IDD_CONFIG, configDialogProc);
        config.setText(IDC_EFFECT, "fondo estatico"); // the caption is "Fondo estatico"
        config.setText(IDC_BACKGROUND, "Logos varios ");
        config.setText(IDC_MOVEMENT, "");
        EXPECT_EQ(config.press(IDOK), TRUE);
        EXPECT_EQ(settings.efecto, 2);
        EXPECT_EQ(settings.imagenfondo, 3);
        EXPECT_EQ(settings.efectoulmo, 1);
    }
    const Dialog typed(IDD_CONFIG, configDialogProc);
    typed.setText(IDC_EFFECT, "Fondo estatico");
    typed.press(IDOK);
    EXPECT_EQ(settings.efecto, 0);
}

TEST_F(ConfigDialog, OkWithTheRegistryChoiceSavesTheTwelveValues) {
    // clang-format off
    settings = {.mascara = 1, .sombra = 0, .efectoulmo = 3, .imagenfondo = 4, .numeroparticulas = 321,
                .tamaxparticulas = 0.02f, .tamayparticulas = 0.09f, .rojosombra = 10, .verdesombra = 20,
                .azulsombra = 30, .sangrante = 0, .frames = 55.5f};
    // clang-format on
    const Dialog config(IDD_CONFIG, configDialogProc);
    config.choose(IDC_EFFECT, 5);
    EXPECT_EQ(config.text(IDC_EFFECT), "La casa de los espejos (Parte 2)");
    EXPECT_EQ(config.press(IDOK), TRUE);
    EXPECT_FALSE(config.isOpen());
    EXPECT_EQ(settings.efecto, 5);

    RegistryValues expected;
    // clang-format off
    for (const auto& [name, value] : std::initializer_list<std::pair<const char*, DWORD>>{
             {"mascara", 1}, {"sombra", 0}, {"efecto", 5}, {"efectoulmo", 3}, {"imagenfondo", 4},
             {"numeroparticulas", 321}, {"tamaxparticulas", std::bit_cast<DWORD>(0.02f)},
             {"tamayparticulas", std::bit_cast<DWORD>(0.09f)}, {"rojosombra", 10}, {"verdesombra", 20},
             {"azulsombra", 30}, {"sangrante", 0}})
        expected[name] = dwordValue(value);
    // clang-format on
    EXPECT_EQ(storedValues(), expected) << "no \"frames\": only a full-screen run stores it";
}

TEST_F(ConfigDialog, NoGuardarAppliesTheChoicesInMemoryOnly) {
    const Dialog config(IDD_CONFIG, configDialogProc);
    click(config.window(), IDC_SAVE_NOTHING);
    EXPECT_TRUE(config.ticked(IDC_SAVE_NOTHING));
    EXPECT_FALSE(config.ticked(IDC_SAVE_REGISTRY));
    config.choose(IDC_EFFECT, 6);
    config.choose(IDC_BACKGROUND, 2);
    config.choose(IDC_MOVEMENT, 2);
    EXPECT_EQ(config.press(IDOK), TRUE);
    EXPECT_FALSE(config.isOpen());
    EXPECT_EQ(settings.efecto, 6);
    EXPECT_EQ(settings.imagenfondo, 3);
    EXPECT_EQ(settings.efectoulmo, 2);
    EXPECT_EQ(settings.saveToRegistry, 0);
    EXPECT_FALSE(settingsKeyExists());
}

TEST_F(ConfigDialog, CancelAppliesAndStoresNothing) {
    const Dialog config(IDD_CONFIG, configDialogProc);
    config.choose(IDC_EFFECT, 0);
    config.choose(IDC_BACKGROUND, 3);
    click(config.window(), IDC_SAVE_NOTHING);
    EXPECT_EQ(config.press(IDCANCEL), TRUE);
    EXPECT_FALSE(config.isOpen());
    EXPECT_TRUE(sameSettings(settings, Settings{}));
    EXPECT_FALSE(settingsKeyExists());
}

TEST_F(ConfigDialog, DefaultValuesAreShownAndOnlyOkAppliesThem) {
    // The button resets the three choices and the save choice only; the rest
    // is saved as it is.
    // clang-format off
    settings = {.sombra = 0, .efecto = 5, .efectoulmo = 2, .imagenfondo = 3, .numeroparticulas = 42, .azulsombra = 17,
                .saveToRegistry = 0};
    // clang-format on
    const Settings before = settings;
    {
        const Dialog config(IDD_CONFIG, configDialogProc);
        EXPECT_TRUE(config.ticked(IDC_SAVE_NOTHING));
        EXPECT_EQ(config.press(IDC_DEFAULTS), TRUE);
        EXPECT_TRUE(config.isOpen());
        EXPECT_EQ(config.text(IDC_BACKGROUND), "Espada del Tarvek realizada por Galdrune");
        EXPECT_EQ(config.text(IDC_EFFECT), "Ondulacion suave");
        EXPECT_EQ(config.text(IDC_MOVEMENT), "Sin movimiento");
        EXPECT_TRUE(config.ticked(IDC_SAVE_REGISTRY));
        EXPECT_FALSE(config.ticked(IDC_SAVE_NOTHING));
        EXPECT_TRUE(sameSettings(settings, before));
        EXPECT_EQ(config.press(IDCANCEL), TRUE);
        EXPECT_TRUE(sameSettings(settings, before));
        EXPECT_FALSE(settingsKeyExists());
    }
    const Dialog config(IDD_CONFIG, configDialogProc);
    EXPECT_EQ(config.press(IDC_DEFAULTS), TRUE);
    EXPECT_EQ(config.press(IDOK), TRUE);
    EXPECT_EQ(settings.imagenfondo, 0);
    EXPECT_EQ(settings.efecto, 2);
    EXPECT_EQ(settings.efectoulmo, 0);
    EXPECT_EQ(storedValues().size(), 12u);
    EXPECT_EQ(storedDword("imagenfondo"), 0u);
    EXPECT_EQ(storedDword("efecto"), 2u);
    EXPECT_EQ(storedDword("efectoulmo"), 0u);
    EXPECT_EQ(storedDword("sombra"), 0u);
    EXPECT_EQ(storedDword("azulsombra"), 17u);
    EXPECT_EQ(storedDword("numeroparticulas"), 42u);
}

TEST_F(ConfigDialog, LooksOnlyAtTheLowWordOfTheCommand) {
    settings.efecto = 6;
    const Dialog config(IDD_CONFIG, configDialogProc);
    EXPECT_EQ(config.press(IDC_DEFAULTS, 0x1234), TRUE);
    EXPECT_EQ(config.text(IDC_EFFECT), "Ondulacion suave");
    EXPECT_EQ(config.press(IDCANCEL, 0xFFFF), TRUE);
    EXPECT_FALSE(config.isOpen());
}

// A dialog the main one opens over itself with one of its buttons: the
// field the script checks and fills before pressing OK, and the setting that
// takes it. The credits have no field; the script counts their pictures, which
// find their bitmaps only in the right module.
struct SubDialog {
    const char* what;
    int button;
    int field;
    const char* shown;
    const char* entered;
    int32_t Settings::*setting;
    int32_t stored;
};

const SubDialog subDialogs[] = {
    {"Configurar: effects", IDC_CONFIGURE_EFFECT, IDC_SHADOW_RED, "255", "12", &Settings::rojosombra, 12},
    {"Configurar: character", IDC_CONFIGURE_CHARACTER, IDC_DROP_COUNT, "200", "77", &Settings::numeroparticulas, 77},
    {"Creditos", IDC_CREDITS, 0, nullptr, nullptr, nullptr, 0},
};

void fillOrCountPictures(const SubDialog& sub, HWND dialog) {
    if (sub.field) {
        EXPECT_EQ(textOf(dialog, sub.field), sub.shown);
        SetDlgItemTextA(dialog, sub.field, sub.entered);
    } else {
        int shown = 0;
        for (HWND picture : pictureControls(dialog))
            shown += SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        EXPECT_EQ(shown, 7);
    }
    click(dialog, IDOK);
}

// The sub-dialogs come from moduleHandle's resources, which a run sets to
// this executable.
TEST_F(ConfigDialog, EachButtonOpensItsDialogOverIt) {
    const HINSTANCE savedModuleHandle = moduleHandle;
    moduleHandle = GetModuleHandleA(nullptr);
    for (const SubDialog& sub : subDialogs) {
        SCOPED_TRACE(sub.what);
        const Dialog config(IDD_CONFIG, configDialogProc);
        ModalRun run;
        EXPECT_EQ(whileModal(
                      config.window(), [&] { return config.press(sub.button); },
                      [&](HWND dialog) { fillOrCountPictures(sub, dialog); }, run),
                  TRUE);
        EXPECT_FALSE(run.strayDialog) << "a dialog not owned by the main one";
        EXPECT_NE(run.dialog, nullptr) << "no dialog owned by the main one";
        EXPECT_TRUE(run.ownerDisabled);
        EXPECT_FALSE(run.leftOpen);
        if (sub.setting) {
            EXPECT_EQ(settings.*sub.setting, sub.stored);
        }
        EXPECT_TRUE(config.isOpen());
        EXPECT_TRUE(IsWindowEnabled(config.window()));
    }
    moduleHandle = savedModuleHandle;
}

} // namespace
