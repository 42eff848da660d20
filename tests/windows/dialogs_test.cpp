// The four configuration dialogs, built from the executable's own templates
// and driven through their controls. Most tests open a dialog modeless, so
// they can fill its fields and press its buttons and then look at the
// settings; EndDialog only hides such a dialog, which is how a test sees
// that a button closed it. The modal runs (the main dialog's sub-dialogs,
// the result codes, Escape) are driven by a timer that fires inside the
// dialog's own message loop.

#include "gl/gl_window_win32.h"
#include "resources/resource_ids.h"
#include "settings/catalogs.h"
#include "settings/dialogs_win32.h"
#include "settings/registry_store_win32.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// The key whose tree every test starts without.
constexpr const char* companyKeyPath = "Software\\Halvoren\\Quelmar";

// The id of the controls the code never addresses, -1, as a 16-bit id.
constexpr WORD noControlId = 0xFFFF;

// The shown-cursor count of this thread, left as it was.
int cursorCount() {
    ShowCursor(FALSE);
    return ShowCursor(TRUE);
}

// Registry

void removeStoredSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, companyKeyPath);
}

bool companyKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, companyKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Every value under the settings key, by name; only DWORDs are expected.
std::map<std::string, DWORD> storedValues() {
    std::map<std::string, DWORD> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        DWORD data = 0;
        DWORD dataSize = sizeof data;
        const LONG result = RegEnumValueA(key, index, name, &nameSize, nullptr, &type,
                                          reinterpret_cast<BYTE*>(&data), &dataSize);
        if (result != ERROR_SUCCESS)
            break;
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << name;
        EXPECT_EQ(dataSize, sizeof data) << name;
        values[name] = data;
    }
    RegCloseKey(key);
    return values;
}

DWORD bitsOf(float value) {
    return std::bit_cast<DWORD>(value);
}

bool sameSettings(const Settings& a, const Settings& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Shown dialogs are kept outside the screen. Wine never maps such a window
// on the X display, and so never waits, as it does on hiding a mapped window
// with no window manager about, for a state change that does not come.
void moveOffScreen(HWND window) {
    SetWindowPos(window, nullptr, -30000, -30000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A dialog opened modeless from its template in this executable's resources.
class Dialog {
public:
    Dialog(int templateId, DLGPROC procedure) : procedure_(procedure) {
        window_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), nullptr, procedure, 0);
        if (window_) {
            moveOffScreen(window_);
            ShowWindow(window_, SW_SHOWNOACTIVATE);
        }
    }
    ~Dialog() {
        if (window_)
            DestroyWindow(window_);
    }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    HWND window() const {
        return window_;
    }
    // The procedure's answer to the command of a pressed button.
    INT_PTR press(int id, WORD notification = BN_CLICKED) const {
        return procedure_(window_, WM_COMMAND, MAKEWPARAM(id, notification),
                          reinterpret_cast<LPARAM>(GetDlgItem(window_, id)));
    }
    bool isOpen() const {
        return IsWindowVisible(window_) != FALSE;
    }

    std::string text(int id) const {
        char text[512] = {};
        GetDlgItemTextA(window_, id, text, sizeof text);
        return text;
    }
    void setText(int id, const std::string& text) const {
        SetDlgItemTextA(window_, id, text.c_str());
    }
    // Types the characters one by one, as the keyboard would, after emptying the field.
    void type(int id, const std::string& characters) const {
        setText(id, "");
        for (char character : characters)
            SendDlgItemMessageA(window_, id, WM_CHAR, static_cast<unsigned char>(character), 1);
    }
    void enterNumber(int id, unsigned number) const {
        setText(id, std::to_string(number));
    }
    unsigned limit(int id) const {
        return static_cast<unsigned>(SendDlgItemMessageA(window_, id, EM_GETLIMITTEXT, 0, 0));
    }
    bool ticked(int id) const {
        return IsDlgButtonChecked(window_, id) == BST_CHECKED;
    }
    void tick(int id, bool on) const {
        CheckDlgButton(window_, id, on ? BST_CHECKED : BST_UNCHECKED);
    }
    bool enabled(int id) const {
        return IsWindowEnabled(GetDlgItem(window_, id)) != FALSE;
    }

    // Combo boxes
    void choose(int combo, int index) const {
        SendDlgItemMessageA(window_, combo, CB_SETCURSEL, index, 0);
    }
    std::vector<std::string> listed(int combo) const {
        std::vector<std::string> items;
        const LRESULT count = SendDlgItemMessageA(window_, combo, CB_GETCOUNT, 0, 0);
        for (LRESULT index = 0; index < count; ++index) {
            char item[256] = {};
            SendDlgItemMessageA(window_, combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item));
            items.push_back(item);
        }
        return items;
    }

private:
    DLGPROC procedure_;
    HWND window_ = nullptr;
};

// Modal runs

// What happened while a modal dialog ran: the dialog the script found, and
// whether its owner was disabled at the time.
struct ModalRun {
    HWND owner = nullptr;
    std::function<void(HWND)> script;
    HWND dialog = nullptr;
    bool ownerDisabled = false;
    bool leftOpen = false;   // the script did not close the dialog
    bool strayDialog = false; // a dialog came up, but not owned by owner
    int ticks = 0;
    int scriptTick = 0;
};

ModalRun* currentRun = nullptr;

constexpr int giveUpTicks = 50; // a second of the 20 ms timer

struct DialogSearch {
    HWND owner;
    bool anyOwner;
    HWND found;
};

BOOL CALLBACK findShownDialog(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<DialogSearch*>(lParam);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window) || window == search.owner)
        return TRUE;
    if (!search.anyOwner && GetWindow(window, GW_OWNER) != search.owner)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND shownDialog(HWND owner, bool anyOwner) {
    DialogSearch search = {owner, anyOwner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), findShownDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Fires inside the modal loop: runs the script once on the dialog when it is
// up. A dialog the script failed to close, or one with another owner, is
// ended after a second, so that the test fails rather than hangs.
void CALLBACK onModalTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalRun& run = *currentRun;
    ++run.ticks;
    if (run.dialog) {
        if (run.ticks - run.scriptTick == giveUpTicks && IsWindow(run.dialog)) {
            run.leftOpen = true;
            EndDialog(run.dialog, -1);
        }
        return;
    }
    if (const HWND found = shownDialog(run.owner, false)) {
        run.dialog = found;
        run.ownerDisabled = run.owner && !IsWindowEnabled(run.owner);
        run.scriptTick = run.ticks;
        run.script(found);
        return;
    }
    if (run.ticks >= giveUpTicks)
        if (const HWND stray = shownDialog(run.owner, true)) {
            run.strayDialog = true;
            EndDialog(stray, -1);
        }
}

// Moves every dialog off the screen once its procedure has initialised it,
// before the modal loop shows it.
LRESULT CALLBACK afterInitDialog(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG)
        moveOffScreen(call->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Calls open, which runs a modal dialog owned by owner, while the script
// drives that dialog; returns open's result.
INT_PTR whileModal(HWND owner, const std::function<INT_PTR()>& open, const std::function<void(HWND)>& script,
                   ModalRun& run) {
    run.owner = owner;
    run.script = script;
    currentRun = &run;
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, afterInitDialog, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, onModalTimer);
    const INT_PTR result = open();
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    currentRun = nullptr;
    return result;
}

INT_PTR runModal(int templateId, DLGPROC procedure, const std::function<void(HWND)>& script, ModalRun& run) {
    return whileModal(
        nullptr,
        [&] { return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), nullptr, procedure, 0); },
        script, run);
}

void click(HWND dialog, int button) {
    SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}

std::string textOf(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

BOOL CALLBACK collectChild(HWND child, LPARAM children) {
    reinterpret_cast<std::vector<HWND>*>(children)->push_back(child);
    return TRUE;
}

std::vector<HWND> childrenOf(HWND dialog) {
    std::vector<HWND> children;
    EnumChildWindows(dialog, collectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

// The picture controls that show a bitmap.
int picturesShownIn(HWND dialog) {
    int pictures = 0;
    for (HWND child : childrenOf(dialog))
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP &&
            SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0)
            ++pictures;
    return pictures;
}

class DialogTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        buildCatalogs();
    }
    void SetUp() override {
        settings = Settings{};
        settingsStore = registrySettingsStore();
        removeStoredSettings();
        cursorAtStart_ = cursorCount();
    }
    // The sub-dialogs show the cursor and leave hiding it to the main
    // dialog; the count goes back to where it was for the next test.
    void TearDown() override {
        while (cursorCount() > cursorAtStart_)
            ShowCursor(FALSE);
        while (cursorCount() < cursorAtStart_)
            ShowCursor(TRUE);
    }

    int cursorAtStart_ = 0;
};

using DialogConfig = DialogTest;
using DialogCredits = DialogTest;
using DialogEffects = DialogTest;
using DialogCharacter = DialogTest;
using DialogProcedures = DialogTest;

// ConfigDialog

TEST_F(DialogConfig, ShowsTheDefaultChoices) {
    Dialog config(IDD_CONFIG, configDialogProc);
    ASSERT_NE(config.window(), nullptr);
    EXPECT_EQ(config.text(IDC_BACKGROUND), "Espada del Tarvek realizada por Galdrune");
    EXPECT_EQ(config.text(IDC_EFFECT), "Ondulacion suave");
    EXPECT_EQ(config.text(IDC_MOVEMENT), "Sin movimiento");
    EXPECT_TRUE(config.ticked(IDC_SAVE_REGISTRY));
    EXPECT_FALSE(config.ticked(IDC_SAVE_FILE));
    EXPECT_FALSE(config.ticked(IDC_SAVE_NOTHING));
    EXPECT_FALSE(config.enabled(IDC_SAVE_FILE));
    EXPECT_EQ(config.text(IDC_FRAMES), " 0.00");
}

TEST_F(DialogConfig, ShowsTheCurrentChoicesAndFrameRate) {
    settings.imagenfondo = 4;
    settings.efecto = 3;
    settings.efectoulmo = 2;
    settings.saveToRegistry = 0;
    settings.frames = 123.456f;
    Dialog config(IDD_CONFIG, configDialogProc);
    ASSERT_NE(config.window(), nullptr);
    EXPECT_EQ(config.text(IDC_BACKGROUND), "El caballero del Caos realizado por Galdrune");
    EXPECT_EQ(config.text(IDC_EFFECT), "ondulacion de arriba a abajo");
    EXPECT_EQ(config.text(IDC_MOVEMENT), "Efecto hipnotico");
    EXPECT_FALSE(config.ticked(IDC_SAVE_REGISTRY));
    EXPECT_TRUE(config.ticked(IDC_SAVE_NOTHING));
    EXPECT_EQ(config.text(IDC_FRAMES), "123.46");

    settings.frames = 7.5f;
    Dialog narrow(IDD_CONFIG, configDialogProc);
    EXPECT_EQ(narrow.text(IDC_FRAMES), " 7.50");
}

TEST_F(DialogConfig, AnIdWithoutACaptionLeavesItsComboEmpty) {
    settings.imagenfondo = 1; // the pictures have no id 1
    settings.efecto = 9;
    Dialog config(IDD_CONFIG, configDialogProc);
    EXPECT_EQ(config.text(IDC_BACKGROUND), "");
    EXPECT_EQ(config.text(IDC_EFFECT), "");
    EXPECT_EQ(config.text(IDC_MOVEMENT), "Sin movimiento");
}

// CBS_SORT does not reorder inserted items: the lists keep catalog order.
TEST_F(DialogConfig, ListsTheCatalogsInCatalogOrder) {
    Dialog config(IDD_CONFIG, configDialogProc);
    const std::vector<std::string> effects = config.listed(IDC_EFFECT);
    ASSERT_EQ(effects.size(), 7u);
    EXPECT_EQ(effects.front(), "Fondo estatico");
    EXPECT_EQ(effects[3], "ondulacion de arriba a abajo");
    EXPECT_EQ(effects.back(), "Estiramientos sobre el fondo");
    EXPECT_EQ(effects, (std::vector<std::string>{"Fondo estatico", "Ondulacion estresada", "Ondulacion suave",
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

TEST_F(DialogConfig, OkTakesTheIdOfEachChosenCaption) {
    const int backgroundIds[] = {0, 2, 3, 4};
    for (int index = 0; index < 4; ++index) {
        Dialog config(IDD_CONFIG, configDialogProc);
        config.choose(IDC_BACKGROUND, index);
        config.choose(IDC_MOVEMENT, 3 - index);
        config.choose(IDC_EFFECT, index + 3);
        EXPECT_EQ(config.press(IDOK), TRUE);
        EXPECT_EQ(settings.imagenfondo, backgroundIds[index]) << "entry " << index;
        EXPECT_EQ(settings.efectoulmo, 3 - index) << "entry " << index;
        EXPECT_EQ(settings.efecto, index + 3) << "entry " << index;
    }
}

TEST_F(DialogConfig, TextThatIsNoCaptionKeepsTheChoice) {
    settings.imagenfondo = 3;
    settings.efectoulmo = 1;
    Dialog config(IDD_CONFIG, configDialogProc);
    config.setText(IDC_EFFECT, "fondo estatico"); // the caption is "Fondo estatico"
    config.setText(IDC_BACKGROUND, "Logos varios ");
    config.setText(IDC_MOVEMENT, "");
    EXPECT_EQ(config.press(IDOK), TRUE);
    EXPECT_EQ(settings.efecto, 2);
    EXPECT_EQ(settings.imagenfondo, 3);
    EXPECT_EQ(settings.efectoulmo, 1);

    Dialog typed(IDD_CONFIG, configDialogProc);
    typed.setText(IDC_EFFECT, "Fondo estatico");
    typed.press(IDOK);
    EXPECT_EQ(settings.efecto, 0);
}

TEST_F(DialogConfig, OkWithTheRegistryChoiceSavesTheTwelveValues) {
    settings.mascara = 1;
    settings.sombra = 0;
    settings.efectoulmo = 3;
    settings.imagenfondo = 4;
    settings.numeroparticulas = 321;
    settings.tamaxparticulas = 0.02f;
    settings.tamayparticulas = 0.09f;
    settings.rojosombra = 10;
    settings.verdesombra = 20;
    settings.azulsombra = 30;
    settings.sangrante = 0;
    settings.frames = 55.5f;
    Dialog config(IDD_CONFIG, configDialogProc);
    config.choose(IDC_EFFECT, 5);
    EXPECT_EQ(config.text(IDC_EFFECT), "La casa de los espejos (Parte 2)");
    EXPECT_EQ(config.press(IDOK), TRUE);
    EXPECT_FALSE(config.isOpen());
    EXPECT_EQ(settings.efecto, 5);

    const std::map<std::string, DWORD> expected = {
        {"mascara", 1},
        {"sombra", 0},
        {"efecto", 5},
        {"efectoulmo", 3},
        {"imagenfondo", 4},
        {"numeroparticulas", 321},
        {"tamaxparticulas", bitsOf(0.02f)},
        {"tamayparticulas", bitsOf(0.09f)},
        {"rojosombra", 10},
        {"verdesombra", 20},
        {"azulsombra", 30},
        {"sangrante", 0},
    }; // no "frames": only a full-screen run stores it
    EXPECT_EQ(storedValues(), expected);
}

TEST_F(DialogConfig, NoGuardarAppliesTheChoicesInMemoryOnly) {
    Dialog config(IDD_CONFIG, configDialogProc);
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
    EXPECT_FALSE(companyKeyExists());
}

TEST_F(DialogConfig, CancelAppliesAndStoresNothing) {
    const Settings before = settings;
    Dialog config(IDD_CONFIG, configDialogProc);
    config.choose(IDC_EFFECT, 0);
    config.choose(IDC_BACKGROUND, 3);
    click(config.window(), IDC_SAVE_NOTHING);
    EXPECT_EQ(config.press(IDCANCEL), TRUE);
    EXPECT_FALSE(config.isOpen());
    EXPECT_TRUE(sameSettings(settings, before));
    EXPECT_FALSE(companyKeyExists());
}

TEST_F(DialogConfig, DefaultValuesAreShownAndOnlyOkAppliesThem) {
    settings.imagenfondo = 3;
    settings.efecto = 5;
    settings.efectoulmo = 2;
    settings.saveToRegistry = 0;
    // The button resets the three choices only; the rest is saved as it is.
    settings.sombra = 0;
    settings.azulsombra = 17;
    settings.numeroparticulas = 42;
    const Settings before = settings;
    {
        Dialog config(IDD_CONFIG, configDialogProc);
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
        EXPECT_FALSE(companyKeyExists());
    }
    Dialog config(IDD_CONFIG, configDialogProc);
    EXPECT_EQ(config.press(IDC_DEFAULTS), TRUE);
    EXPECT_EQ(config.press(IDOK), TRUE);
    EXPECT_EQ(settings.imagenfondo, 0);
    EXPECT_EQ(settings.efecto, 2);
    EXPECT_EQ(settings.efectoulmo, 0);
    const std::map<std::string, DWORD> stored = storedValues();
    EXPECT_EQ(stored.size(), 12u);
    EXPECT_EQ(stored.count("imagenfondo") ? stored.at("imagenfondo") : 99u, 0u);
    EXPECT_EQ(stored.count("efecto") ? stored.at("efecto") : 99u, 2u);
    EXPECT_EQ(stored.count("efectoulmo") ? stored.at("efectoulmo") : 99u, 0u);
    EXPECT_EQ(stored.count("sombra") ? stored.at("sombra") : 99u, 0u);
    EXPECT_EQ(stored.count("azulsombra") ? stored.at("azulsombra") : 99u, 17u);
    EXPECT_EQ(stored.count("numeroparticulas") ? stored.at("numeroparticulas") : 99u, 42u);
}

TEST_F(DialogConfig, LeavesOtherCommandsUnhandled) {
    const Settings before = settings;
    Dialog config(IDD_CONFIG, configDialogProc);
    for (int id : {0, 3, IDC_EFFECT, IDC_FRAMES, IDC_SAVE_REGISTRY, IDC_SAVE_FILE, IDC_SAVE_NOTHING, 1019, 0xFFFF})
        EXPECT_EQ(config.press(id), FALSE) << "id " << id;
    EXPECT_TRUE(config.isOpen());
    EXPECT_TRUE(sameSettings(settings, before));
    EXPECT_FALSE(companyKeyExists());
}

TEST_F(DialogConfig, LooksOnlyAtTheLowWordOfTheCommand) {
    settings.efecto = 6;
    Dialog config(IDD_CONFIG, configDialogProc);
    EXPECT_EQ(config.press(IDC_DEFAULTS, 0x1234), TRUE);
    EXPECT_EQ(config.text(IDC_EFFECT), "Ondulacion suave");
    EXPECT_EQ(config.press(IDCANCEL, 0xFFFF), TRUE);
    EXPECT_FALSE(config.isOpen());
}

TEST_F(DialogConfig, ShowsTheCursorWhileOpenAndHidesItOnEitherWayOut) {
    const int start = cursorCount();
    {
        Dialog config(IDD_CONFIG, configDialogProc);
        EXPECT_EQ(cursorCount(), start + 1);
        config.press(IDOK);
        EXPECT_EQ(cursorCount(), start);
    }
    Dialog config(IDD_CONFIG, configDialogProc);
    EXPECT_EQ(cursorCount(), start + 1);
    config.press(IDC_DEFAULTS);
    EXPECT_EQ(cursorCount(), start + 1);
    config.press(IDCANCEL);
    EXPECT_EQ(cursorCount(), start);
}

TEST_F(DialogConfig, EndsWithOneOnOkAndTwoOnCancel) {
    ModalRun ok;
    EXPECT_EQ(runModal(IDD_CONFIG, configDialogProc, [](HWND dialog) { click(dialog, IDOK); }, ok), IDOK);
    EXPECT_NE(ok.dialog, nullptr);
    EXPECT_FALSE(ok.leftOpen);

    ModalRun cancel;
    EXPECT_EQ(runModal(IDD_CONFIG, configDialogProc, [](HWND dialog) { click(dialog, IDCANCEL); }, cancel),
              IDCANCEL);
    EXPECT_FALSE(cancel.leftOpen);
}

TEST_F(DialogConfig, ConfigurarOpensTheEffectsDialogOverIt) {
    Dialog config(IDD_CONFIG, configDialogProc);
    ModalRun run;
    const INT_PTR handled = whileModal(
        config.window(), [&] { return config.press(IDC_CONFIGURE_EFFECT); },
        [](HWND effects) {
            EXPECT_EQ(textOf(effects, IDC_SHADOW_RED), "255");
            SetDlgItemTextA(effects, IDC_SHADOW_RED, "12");
            click(effects, IDOK);
        },
        run);
    EXPECT_EQ(handled, TRUE);
    EXPECT_FALSE(run.strayDialog) << "a dialog not owned by the main one";
    ASSERT_NE(run.dialog, nullptr) << "no dialog owned by the main one";
    EXPECT_TRUE(run.ownerDisabled);
    EXPECT_FALSE(run.leftOpen);
    EXPECT_EQ(settings.rojosombra, 12);
    EXPECT_TRUE(config.isOpen());
    EXPECT_TRUE(IsWindowEnabled(config.window()));
}

TEST_F(DialogConfig, ConfigurarOpensTheCharacterDialogOverIt) {
    Dialog config(IDD_CONFIG, configDialogProc);
    ModalRun run;
    const INT_PTR handled = whileModal(
        config.window(), [&] { return config.press(IDC_CONFIGURE_CHARACTER); },
        [](HWND character) {
            EXPECT_EQ(textOf(character, IDC_DROP_COUNT), "200");
            SetDlgItemTextA(character, IDC_DROP_COUNT, "77");
            click(character, IDOK);
        },
        run);
    EXPECT_EQ(handled, TRUE);
    EXPECT_FALSE(run.strayDialog) << "a dialog not owned by the main one";
    ASSERT_NE(run.dialog, nullptr) << "no dialog owned by the main one";
    EXPECT_TRUE(run.ownerDisabled);
    EXPECT_FALSE(run.leftOpen);
    EXPECT_EQ(settings.numeroparticulas, 77);
    EXPECT_TRUE(config.isOpen());
}

// The sub-dialogs come from moduleHandle's resources: with it set to this
// executable (as a saver run sets it), the credits find their bitmaps.
TEST_F(DialogConfig, CreditosOpensTheCreditsOverIt) {
    const HINSTANCE savedModuleHandle = moduleHandle;
    moduleHandle = GetModuleHandleA(nullptr);
    Dialog config(IDD_CONFIG, configDialogProc);
    ModalRun run;
    int pictures = 0;
    const INT_PTR handled = whileModal(
        config.window(), [&] { return config.press(IDC_CREDITS); },
        [&](HWND credits) {
            pictures = picturesShownIn(credits);
            click(credits, IDOK);
        },
        run);
    moduleHandle = savedModuleHandle;
    EXPECT_EQ(handled, TRUE);
    EXPECT_FALSE(run.strayDialog) << "a dialog not owned by the main one";
    ASSERT_NE(run.dialog, nullptr) << "no dialog owned by the main one";
    EXPECT_TRUE(run.ownerDisabled);
    EXPECT_FALSE(run.leftOpen);
    EXPECT_EQ(pictures, 7);
    EXPECT_TRUE(config.isOpen());
}

// CreditsDialog

TEST_F(DialogCredits, ClosesOnlyOnOk) {
    Dialog credits(IDD_CREDITS, creditsDialogProc);
    ASSERT_NE(credits.window(), nullptr);
    for (int id : {IDCANCEL, 0, IDC_CREDITS, 1019})
        EXPECT_EQ(credits.press(id), FALSE) << "id " << id;
    EXPECT_TRUE(credits.isOpen());
    EXPECT_EQ(credits.press(IDOK), TRUE);
    EXPECT_FALSE(credits.isOpen());
}

TEST_F(DialogCredits, EscapeLeavesThemOpenAndOkEndsThemWithOne) {
    ModalRun run;
    bool openAfterEscape = false;
    const INT_PTR result = runModal(
        IDD_CREDITS, creditsDialogProc,
        [&](HWND credits) {
            MSG escape = {GetDlgItem(credits, IDOK), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
            IsDialogMessageA(credits, &escape);
            openAfterEscape = IsWindowVisible(credits) != FALSE;
            click(credits, IDOK);
        },
        run);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(run.leftOpen);
}

TEST_F(DialogCredits, ShowTheCursorAndLeaveItShown) {
    const int start = cursorCount();
    Dialog credits(IDD_CREDITS, creditsDialogProc);
    EXPECT_EQ(cursorCount(), start + 1);
    credits.press(IDOK);
    EXPECT_EQ(cursorCount(), start + 1);
}

// Each picture sizes itself to its bitmap, whatever the template's rectangle.
TEST_F(DialogCredits, ShowEachPictureAtItsOwnSize) {
    Dialog credits(IDD_CREDITS, creditsDialogProc);
    int pictures = 0;
    for (HWND child : childrenOf(credits.window())) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            continue;
        ++pictures;
        const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(bitmap, nullptr) << "picture " << pictures;
        BITMAP size = {};
        ASSERT_NE(GetObjectA(bitmap, sizeof size, &size), 0);
        RECT window = {};
        GetWindowRect(child, &window);
        EXPECT_EQ(window.right - window.left, size.bmWidth) << "picture " << pictures;
        EXPECT_EQ(window.bottom - window.top, size.bmHeight) << "picture " << pictures;
    }
    EXPECT_EQ(pictures, 7);
}

// EffectsDialog

TEST_F(DialogEffects, ShowsTheShadowSettings) {
    {
        Dialog effects(IDD_EFFECTS, effectsDialogProc);
        ASSERT_NE(effects.window(), nullptr);
        EXPECT_EQ(effects.text(IDC_SHADOW_RED), "255");
        EXPECT_EQ(effects.text(IDC_SHADOW_GREEN), "255");
        EXPECT_EQ(effects.text(IDC_SHADOW_BLUE), "255");
        EXPECT_TRUE(effects.ticked(IDC_SHADOW));
        for (int field : {IDC_SHADOW_RED, IDC_SHADOW_GREEN, IDC_SHADOW_BLUE})
            EXPECT_EQ(effects.limit(field), 3u) << "field " << field;
    }
    settings.sombra = 0;
    settings.rojosombra = 10;
    settings.verdesombra = 0;
    settings.azulsombra = 200;
    Dialog effects(IDD_EFFECTS, effectsDialogProc);
    EXPECT_EQ(effects.text(IDC_SHADOW_RED), "10");
    EXPECT_EQ(effects.text(IDC_SHADOW_GREEN), "0");
    EXPECT_EQ(effects.text(IDC_SHADOW_BLUE), "200");
    EXPECT_FALSE(effects.ticked(IDC_SHADOW));
}

TEST_F(DialogEffects, OkStoresTheColourAndTheShadowChoice) {
    Dialog effects(IDD_EFFECTS, effectsDialogProc);
    effects.tick(IDC_SHADOW, false);
    effects.enterNumber(IDC_SHADOW_RED, 0);
    effects.enterNumber(IDC_SHADOW_GREEN, 7);
    effects.enterNumber(IDC_SHADOW_BLUE, 254);
    EXPECT_EQ(effects.press(IDOK), TRUE);
    EXPECT_FALSE(effects.isOpen());
    EXPECT_EQ(settings.sombra, 0);
    EXPECT_EQ(settings.rojosombra, 0);
    EXPECT_EQ(settings.verdesombra, 7);
    EXPECT_EQ(settings.azulsombra, 254);
    EXPECT_FALSE(companyKeyExists()) << "only the main dialog saves";

    settings.sombra = 0;
    Dialog again(IDD_EFFECTS, effectsDialogProc);
    SendMessageA(GetDlgItem(again.window(), IDC_SHADOW), BM_CLICK, 0, 0);
    again.press(IDOK);
    EXPECT_EQ(settings.sombra, 1);
}

TEST_F(DialogEffects, ChannelsFrom255To999Store255) {
    Dialog effects(IDD_EFFECTS, effectsDialogProc);
    for (unsigned entered = 255; entered <= 999; ++entered) {
        settings.rojosombra = settings.verdesombra = settings.azulsombra = 1;
        effects.enterNumber(IDC_SHADOW_RED, entered);
        effects.enterNumber(IDC_SHADOW_GREEN, entered);
        effects.enterNumber(IDC_SHADOW_BLUE, entered);
        effects.press(IDOK);
        ASSERT_EQ(settings.rojosombra, 255) << entered;
        ASSERT_EQ(settings.verdesombra, 255) << entered;
        ASSERT_EQ(settings.azulsombra, 255) << entered;
    }
}

TEST_F(DialogEffects, TypingStopsAtThreeDigits) {
    Dialog effects(IDD_EFFECTS, effectsDialogProc);
    effects.type(IDC_SHADOW_GREEN, "1234");
    EXPECT_EQ(effects.text(IDC_SHADOW_GREEN), "123");
    effects.type(IDC_SHADOW_BLUE, "4x2");
    EXPECT_EQ(effects.text(IDC_SHADOW_BLUE), "42");
    effects.press(IDOK);
    EXPECT_EQ(settings.verdesombra, 123);
    EXPECT_EQ(settings.azulsombra, 42);
}

TEST_F(DialogEffects, AnEmptyFieldKeepsItsColour) {
    settings.rojosombra = 11;
    settings.verdesombra = 77;
    settings.azulsombra = 33;
    Dialog effects(IDD_EFFECTS, effectsDialogProc);
    effects.enterNumber(IDC_SHADOW_RED, 1);
    effects.setText(IDC_SHADOW_GREEN, "");
    effects.enterNumber(IDC_SHADOW_BLUE, 3);
    effects.press(IDOK);
    EXPECT_EQ(settings.rojosombra, 1);
    EXPECT_EQ(settings.verdesombra, 77);
    EXPECT_EQ(settings.azulsombra, 3);
}

TEST_F(DialogEffects, ResetRefillsTheFieldsAndCancelKeepsEverything) {
    settings.sombra = 0;
    settings.rojosombra = 10;
    settings.verdesombra = 20;
    settings.azulsombra = 30;
    const Settings before = settings;
    Dialog effects(IDD_EFFECTS, effectsDialogProc);
    EXPECT_EQ(effects.press(IDC_EFFECTS_RESET), TRUE);
    EXPECT_TRUE(effects.isOpen());
    EXPECT_EQ(effects.text(IDC_SHADOW_RED), "255");
    EXPECT_EQ(effects.text(IDC_SHADOW_GREEN), "255");
    EXPECT_EQ(effects.text(IDC_SHADOW_BLUE), "255");
    EXPECT_TRUE(effects.ticked(IDC_SHADOW));
    EXPECT_TRUE(sameSettings(settings, before));
    EXPECT_EQ(effects.press(IDCANCEL), TRUE);
    EXPECT_FALSE(effects.isOpen());
    EXPECT_TRUE(sameSettings(settings, before));
}

TEST_F(DialogEffects, ResetThenOkStoresWhiteShadow) {
    settings.sombra = 0;
    settings.rojosombra = 10;
    settings.verdesombra = 20;
    settings.azulsombra = 30;
    Dialog effects(IDD_EFFECTS, effectsDialogProc);
    effects.press(IDC_EFFECTS_RESET);
    effects.press(IDOK);
    EXPECT_EQ(settings.sombra, 1);
    EXPECT_EQ(settings.rojosombra, 255);
    EXPECT_EQ(settings.verdesombra, 255);
    EXPECT_EQ(settings.azulsombra, 255);
}

TEST_F(DialogEffects, LeavesOtherCommandsUnhandled) {
    const Settings before = settings;
    Dialog effects(IDD_EFFECTS, effectsDialogProc);
    for (int id : {0, IDC_SHADOW, IDC_SHADOW_RED, IDC_SHADOW_GREEN, IDC_DEFAULTS, IDC_BLEEDING})
        EXPECT_EQ(effects.press(id), FALSE) << "id " << id;
    EXPECT_TRUE(effects.isOpen());
    EXPECT_TRUE(sameSettings(settings, before));
}

TEST_F(DialogEffects, EndsWithOneOnOkAndTwoOnEscape) {
    ModalRun ok;
    EXPECT_EQ(runModal(IDD_EFFECTS, effectsDialogProc, [](HWND dialog) { click(dialog, IDOK); }, ok), IDOK);
    ModalRun escape;
    settings.rojosombra = 5;
    const INT_PTR result = runModal(
        IDD_EFFECTS, effectsDialogProc,
        [](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_SHADOW_RED, "9");
            MSG key = {GetDlgItem(dialog, IDC_SHADOW_RED), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
            IsDialogMessageA(dialog, &key);
        },
        escape);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(escape.leftOpen);
    EXPECT_EQ(settings.rojosombra, 5);
}

TEST_F(DialogEffects, ShowsTheCursorAndLeavesItShown) {
    const int start = cursorCount();
    Dialog effects(IDD_EFFECTS, effectsDialogProc);
    EXPECT_EQ(cursorCount(), start + 1);
    effects.press(IDOK);
    EXPECT_EQ(cursorCount(), start + 1);
    Dialog again(IDD_EFFECTS, effectsDialogProc);
    again.press(IDCANCEL);
    EXPECT_EQ(cursorCount(), start + 2);
}

// CharacterDialog

TEST_F(DialogCharacter, ShowsTheDropSettings) {
    {
        Dialog character(IDD_CHARACTER, characterDialogProc);
        ASSERT_NE(character.window(), nullptr);
        EXPECT_EQ(character.text(IDC_DROP_COUNT), "200");
        EXPECT_EQ(character.text(IDC_DROP_WIDTH), "50");
        EXPECT_EQ(character.text(IDC_DROP_HEIGHT), "70");
        EXPECT_FALSE(character.ticked(IDC_MASK));
        EXPECT_TRUE(character.ticked(IDC_BLEEDING));
        EXPECT_EQ(character.limit(IDC_DROP_COUNT), 4u);
        EXPECT_EQ(character.limit(IDC_DROP_WIDTH), 3u);
        EXPECT_EQ(character.limit(IDC_DROP_HEIGHT), 3u);
    }
    settings.mascara = 1;
    settings.sangrante = 0;
    settings.numeroparticulas = 12;
    settings.tamaxparticulas = 0.1f;
    settings.tamayparticulas = 0.0f;
    Dialog character(IDD_CHARACTER, characterDialogProc);
    EXPECT_EQ(character.text(IDC_DROP_COUNT), "12");
    EXPECT_EQ(character.text(IDC_DROP_WIDTH), "100");
    EXPECT_EQ(character.text(IDC_DROP_HEIGHT), "0");
    EXPECT_TRUE(character.ticked(IDC_MASK));
    EXPECT_FALSE(character.ticked(IDC_BLEEDING));
}

TEST_F(DialogCharacter, OkStoresTheTicks) {
    settings.mascara = 0;
    settings.sangrante = 1;
    Dialog character(IDD_CHARACTER, characterDialogProc);
    SendMessageA(GetDlgItem(character.window(), IDC_MASK), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(character.window(), IDC_BLEEDING), BM_CLICK, 0, 0);
    EXPECT_EQ(character.press(IDOK), TRUE);
    EXPECT_FALSE(character.isOpen());
    EXPECT_EQ(settings.mascara, 1);
    EXPECT_EQ(settings.sangrante, 0);
    EXPECT_FALSE(companyKeyExists()) << "only the main dialog saves";
}

TEST_F(DialogCharacter, CountsUpTo9999AreKeptAndBiggerOnesClamped) {
    Dialog character(IDD_CHARACTER, characterDialogProc);
    const std::pair<unsigned, int> entries[] = {{0, 0},          {1, 1},          {1000, 1000},   {9999, 9999},
                                                {10000, 9999},   {12345, 9999},   {99999, 9999},  {4000000000u, 9999}};
    for (const auto& [entered, stored] : entries) {
        settings.numeroparticulas = -1;
        character.enterNumber(IDC_DROP_COUNT, entered); // SetDlgItemText passes the field's limit
        character.press(IDOK);
        EXPECT_EQ(settings.numeroparticulas, stored) << entered;
    }
    // Typed, the field takes four digits at most.
    character.type(IDC_DROP_COUNT, "12345");
    EXPECT_EQ(character.text(IDC_DROP_COUNT), "1234");
    character.press(IDOK);
    EXPECT_EQ(settings.numeroparticulas, 1234);
}

TEST_F(DialogCharacter, SizesFrom100To999Store0Point1AndZeroStoresZero) {
    Dialog character(IDD_CHARACTER, characterDialogProc);
    for (unsigned entered = 100; entered <= 999; ++entered) {
        settings.tamaxparticulas = settings.tamayparticulas = 0.5f;
        character.enterNumber(IDC_DROP_WIDTH, entered);
        character.enterNumber(IDC_DROP_HEIGHT, entered);
        character.press(IDOK);
        ASSERT_EQ(settings.tamaxparticulas, 0.1f) << entered;
        ASSERT_EQ(settings.tamayparticulas, 0.1f) << entered;
    }
    character.enterNumber(IDC_DROP_WIDTH, 0);
    character.enterNumber(IDC_DROP_HEIGHT, 0);
    character.press(IDOK);
    EXPECT_EQ(settings.tamaxparticulas, 0.0f);
    EXPECT_EQ(settings.tamayparticulas, 0.0f);

    character.type(IDC_DROP_WIDTH, "1000");
    EXPECT_EQ(character.text(IDC_DROP_WIDTH), "100");
}

// A size is stored in single precision and shown truncated: 33 and 66 come
// back one less, every other entry as it was typed.
TEST_F(DialogCharacter, EverySizeFrom0To100ComesBackWhenReopened) {
    for (unsigned entered = 0; entered <= 100; ++entered) {
        {
            Dialog character(IDD_CHARACTER, characterDialogProc);
            character.enterNumber(IDC_DROP_WIDTH, entered);
            character.enterNumber(IDC_DROP_HEIGHT, entered);
            character.press(IDOK);
        }
        Dialog reopened(IDD_CHARACTER, characterDialogProc);
        unsigned expected = entered;
        if (entered == 33)
            expected = 32;
        if (entered == 66)
            expected = 65;
        EXPECT_EQ(reopened.text(IDC_DROP_WIDTH), std::to_string(expected)) << entered;
        EXPECT_EQ(reopened.text(IDC_DROP_HEIGHT), std::to_string(expected)) << entered;
    }
}

TEST_F(DialogCharacter, EmptyFieldsKeepTheirSettings) {
    settings.numeroparticulas = 321;
    settings.tamaxparticulas = 0.02f;
    settings.tamayparticulas = 0.09f;
    Dialog character(IDD_CHARACTER, characterDialogProc);
    character.setText(IDC_DROP_COUNT, "");
    character.setText(IDC_DROP_WIDTH, "");
    character.setText(IDC_DROP_HEIGHT, "");
    character.press(IDOK);
    EXPECT_EQ(settings.numeroparticulas, 321);
    EXPECT_EQ(settings.tamaxparticulas, 0.02f);
    EXPECT_EQ(settings.tamayparticulas, 0.09f);
}

TEST_F(DialogCharacter, ResetFillsTheDefaultsAndTicksBoth) {
    settings.mascara = 0;
    settings.sangrante = 0;
    settings.numeroparticulas = 5;
    settings.tamaxparticulas = 0.01f;
    settings.tamayparticulas = 0.02f;
    const Settings before = settings;
    {
        Dialog character(IDD_CHARACTER, characterDialogProc);
        EXPECT_EQ(character.press(IDC_CHARACTER_RESET), TRUE);
        EXPECT_TRUE(character.isOpen());
        EXPECT_EQ(character.text(IDC_DROP_COUNT), "200");
        EXPECT_EQ(character.text(IDC_DROP_WIDTH), "50");
        EXPECT_EQ(character.text(IDC_DROP_HEIGHT), "70");
        EXPECT_TRUE(character.ticked(IDC_MASK));
        EXPECT_TRUE(character.ticked(IDC_BLEEDING));
        EXPECT_TRUE(sameSettings(settings, before));
        EXPECT_EQ(character.press(IDCANCEL), TRUE);
        EXPECT_FALSE(character.isOpen());
        EXPECT_TRUE(sameSettings(settings, before));
    }
    Dialog character(IDD_CHARACTER, characterDialogProc);
    character.press(IDC_CHARACTER_RESET);
    character.press(IDOK);
    EXPECT_EQ(settings.numeroparticulas, 200);
    EXPECT_EQ(settings.tamaxparticulas, 0.05f);
    EXPECT_EQ(settings.tamayparticulas, 0.07f);
    EXPECT_EQ(settings.mascara, 1);
    EXPECT_EQ(settings.sangrante, 1);
}

TEST_F(DialogCharacter, CancelAppliesNothing) {
    const Settings before = settings;
    Dialog character(IDD_CHARACTER, characterDialogProc);
    character.enterNumber(IDC_DROP_COUNT, 3);
    character.enterNumber(IDC_DROP_WIDTH, 4);
    character.tick(IDC_MASK, true);
    character.tick(IDC_BLEEDING, false);
    EXPECT_EQ(character.press(IDCANCEL), TRUE);
    EXPECT_FALSE(character.isOpen());
    EXPECT_TRUE(sameSettings(settings, before));
}

TEST_F(DialogCharacter, TakesEveryOtherCommandWithoutActing) {
    const Settings before = settings;
    Dialog character(IDD_CHARACTER, characterDialogProc);
    character.enterNumber(IDC_DROP_COUNT, 3);
    for (int id : {0, IDC_MASK, IDC_BLEEDING, IDC_DROP_COUNT, IDC_DEFAULTS, 1234})
        EXPECT_EQ(character.press(id), TRUE) << "id " << id;
    EXPECT_TRUE(character.isOpen());
    EXPECT_EQ(character.text(IDC_DROP_COUNT), "3");
    EXPECT_TRUE(sameSettings(settings, before));
}

TEST_F(DialogCharacter, EndsWithOneOnOkAndTwoOnCancel) {
    ModalRun ok;
    EXPECT_EQ(runModal(IDD_CHARACTER, characterDialogProc, [](HWND dialog) { click(dialog, IDOK); }, ok), IDOK);
    ModalRun cancel;
    EXPECT_EQ(runModal(IDD_CHARACTER, characterDialogProc, [](HWND dialog) { click(dialog, IDCANCEL); }, cancel),
              IDCANCEL);
    EXPECT_FALSE(cancel.leftOpen);
}

TEST_F(DialogCharacter, ShowsTheCursorAndLeavesItShown) {
    const int start = cursorCount();
    Dialog character(IDD_CHARACTER, characterDialogProc);
    EXPECT_EQ(cursorCount(), start + 1);
    character.press(IDOK);
    EXPECT_EQ(cursorCount(), start + 1);
}

// The one text outside ASCII reaches an ANSI caller as Windows-1252.
TEST_F(DialogCharacter, BloodSizeGroupIsSpelledWithEnye) {
    Dialog character(IDD_CHARACTER, characterDialogProc);
    std::vector<std::string> groupBoxes;
    for (HWND child : childrenOf(character.window())) {
        if (static_cast<WORD>(GetDlgCtrlID(child)) != noControlId || (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX)
            continue;
        char className[16] = {};
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Button") != 0)
            continue;
        char text[64] = {};
        GetWindowTextA(child, text, sizeof text);
        groupBoxes.push_back(text);
    }
    ASSERT_EQ(groupBoxes.size(), 2u);
    EXPECT_EQ(groupBoxes[0], "Tama\xF1o de la sangre");
    EXPECT_EQ(static_cast<unsigned char>(groupBoxes[0][4]), 0xF1);
    EXPECT_EQ(groupBoxes[1], "Gotas de sangre");
}

// All four procedures

TEST_F(DialogProcedures, AnswerOnlyInitDialogAndCommand) {
    const std::pair<int, DLGPROC> dialogs[] = {{IDD_CONFIG, configDialogProc},
                                               {IDD_CREDITS, creditsDialogProc},
                                               {IDD_EFFECTS, effectsDialogProc},
                                               {IDD_CHARACTER, characterDialogProc}};
    for (const auto& [templateId, procedure] : dialogs) {
        Dialog dialog(templateId, procedure);
        ASSERT_NE(dialog.window(), nullptr) << templateId;
        for (UINT message : {static_cast<UINT>(WM_CLOSE), static_cast<UINT>(WM_TIMER), static_cast<UINT>(WM_PAINT),
                             static_cast<UINT>(WM_KEYDOWN), static_cast<UINT>(WM_USER)})
            EXPECT_EQ(procedure(dialog.window(), message, IDOK, 0), FALSE)
                << "dialog " << templateId << ", message 0x" << std::hex << message;
        EXPECT_TRUE(dialog.isOpen()) << templateId;
    }
}

} // namespace
