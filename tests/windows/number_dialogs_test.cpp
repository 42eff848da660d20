// The two dialogs of number fields and tick boxes, the shadow colour
// ("Configuracion de Efectos") and the blood drops ("Configuracion de
// Personaje"), built from their real templates and driven through their
// controls. What is checked here is the wiring: that each field shows its
// setting and sends what is entered to that setting through the right clamp,
// and what OK, Cancel and Reset do. The clamps themselves, entry by entry,
// are held on the host (tests/host/dialog_rules_test.cpp).

#include "resources/resource_ids.h"
#include "settings/dialogs_win32.h"
#include "settings/settings.h"

#include "dialog_driver_win32.h"
#include "dialog_test_win32.h"
#include "registry_win32.h"
#include "settings_checks_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

// An entry put whole into a field, as SetDlgItemText puts it even past the
// field's limit, and the setting it gives on OK. Keys typed one by one, what
// the field keeps of them, and the setting that gives.
struct Clamped {
    const char* text;
    double value;
};

struct Typed {
    const char* keys;
    const char* shown;
    double value;
};

// A number field and the setting it fills: a whole number, or a drop size
// that the field shows in thousandths. The entries go around the setting's
// clamp: a value below, at and above it.
struct NumberField {
    const char* name;
    int id;
    unsigned digits; // what the field takes from the keyboard
    int32_t Settings::*number;
    float Settings::*size;
    std::vector<Clamped> entries;
    Typed typed;
};

void setValue(Settings& record, const NumberField& field, double value) {
    if (field.number)
        record.*field.number = static_cast<int32_t>(value);
    else
        record.*field.size = static_cast<float>(value);
}

struct TickBox {
    int id;
    int32_t Settings::*setting;
};

struct NumberDialog {
    const char* name;
    int templateId;
    DLGPROC procedure;
    int resetButton;
    std::vector<NumberField> fields;
    std::vector<TickBox> boxes;
    // What the fields show for the defaults and for earlierSettings().
    std::vector<std::string> defaultTexts, earlierTexts;
    // Entries that change every field, and the settings they give.
    std::vector<std::string> changes;
    std::vector<double> changedValues;
    // What Reset shows in each field, and the settings OK then gives; Reset
    // ticks every box.
    std::vector<std::string> resetTexts;
    std::vector<double> resetValues;
};

void PrintTo(const NumberDialog* dialog, std::ostream* out) {
    *out << dialog->name;
}

// A user's earlier settings, every field of both dialogs different from the
// defaults, that the dialogs show and give back unchanged.
Settings earlierSettings() {
    // clang-format off
    return {.mascara = 1, .sombra = 0, .numeroparticulas = 12, .tamaxparticulas = 0.1f, .tamayparticulas = 0.0f,
            .rojosombra = 10, .verdesombra = 0, .azulsombra = 200, .sangrante = 0};
    // clang-format on
}

// clang-format off
const std::vector<NumberField> shadowFields = {
    {"red", IDC_SHADOW_RED, 3, &Settings::rojosombra, nullptr, {{"254", 254}, {"255", 255}, {"256", 255}}, {"4x2", "42", 42}},
    {"green", IDC_SHADOW_GREEN, 3, &Settings::verdesombra, nullptr, {{"254", 254}, {"255", 255}, {"999", 255}}, {"1234", "123", 123}},
    {"blue", IDC_SHADOW_BLUE, 3, &Settings::azulsombra, nullptr, {{"254", 254}, {"255", 255}, {"256", 255}}, {"2555", "255", 255}},
};

const NumberDialog effectsDialog = {"Effects", IDD_EFFECTS, effectsDialogProc, IDC_EFFECTS_RESET, shadowFields,
    {{IDC_SHADOW, &Settings::sombra}}, {"255", "255", "255"}, {"10", "0", "200"},
    {"0", "7", "254"}, {0, 7, 254}, {"255", "255", "255"}, {255, 255, 255}};

const std::vector<NumberField> dropFields = {
    {"count", IDC_DROP_COUNT, 4, &Settings::numeroparticulas, nullptr,
     {{"0", 0}, {"9998", 9998}, {"9999", 9999}, {"10000", 9999}, {"4000000000", 9999}}, {"12345", "1234", 1234}},
    {"width", IDC_DROP_WIDTH, 3, nullptr, &Settings::tamaxparticulas, {{"50", 0.05}, {"100", 0.1}, {"101", 0.1}}, {"1000", "100", 0.1}},
    {"height", IDC_DROP_HEIGHT, 3, nullptr, &Settings::tamayparticulas, {{"0", 0}, {"100", 0.1}, {"999", 0.1}}, {"7x0", "70", 0.07}},
};

const NumberDialog characterDialog = {"Character", IDD_CHARACTER, characterDialogProc, IDC_CHARACTER_RESET, dropFields,
    {{IDC_MASK, &Settings::mascara}, {IDC_BLEEDING, &Settings::sangrante}}, {"200", "50", "70"}, {"12", "100", "0"},
    {"1000", "33", "50"}, {1000, 0.033, 0.05}, {"200", "50", "70"}, {200, 0.05, 0.07}};
// clang-format on

class NumberDialogTest : public DialogTest, public testing::WithParamInterface<const NumberDialog*> {
protected:
    const NumberDialog& dialog() const { return *GetParam(); }
    Dialog open() const { return Dialog(dialog().templateId, dialog().procedure); }

    // Enters a value into every field and clicks every box; the settings OK
    // would give.
    Settings changeEverything(const Dialog& opened) const {
        Settings changed = settings;
        for (size_t index = 0; index < dialog().fields.size(); ++index) {
            opened.setText(dialog().fields[index].id, dialog().changes[index]);
            setValue(changed, dialog().fields[index], dialog().changedValues[index]);
        }
        for (const TickBox& box : dialog().boxes) {
            click(opened.window(), box.id);
            changed.*box.setting = !(changed.*box.setting);
        }
        return changed;
    }

    // One entry into one field, from the earlier settings with that field's
    // setting at a value no entry gives, so that a kept setting shows as kept.
    // An empty field keeps its setting.
    void expectEntry(const NumberField& field, const Typed& entry, bool typed) const {
        SCOPED_TRACE(std::string(field.name) + " \"" + entry.keys + "\"");
        Settings start = earlierSettings();
        setValue(start, field, -1);
        settings = start;
        const Dialog opened = open();
        if (typed)
            opened.type(field.id, entry.keys);
        else
            opened.setText(field.id, entry.keys);
        EXPECT_EQ(opened.text(field.id), entry.shown);
        opened.press(IDOK);
        Settings expected = start;
        if (*entry.keys)
            setValue(expected, field, entry.value);
        EXPECT_TRUE(sameSettings(settings, expected));
    }
};

TEST_P(NumberDialogTest, ShowsTheSettingsInItsFieldsAndBoxes) {
    for (const bool earlier : {false, true}) {
        SCOPED_TRACE(earlier ? "earlier settings" : "defaults");
        settings = earlier ? earlierSettings() : Settings{};
        const Dialog opened = open();
        ASSERT_NE(opened.window(), nullptr);
        for (size_t index = 0; index < dialog().fields.size(); ++index) {
            const NumberField& field = dialog().fields[index];
            EXPECT_EQ(opened.text(field.id), (earlier ? dialog().earlierTexts : dialog().defaultTexts)[index])
                << field.name;
            EXPECT_EQ(opened.limit(field.id), field.digits) << field.name;
        }
        for (const TickBox& box : dialog().boxes)
            EXPECT_EQ(opened.ticked(box.id), settings.*box.setting != 0) << "box " << box.id;
    }
}

TEST_P(NumberDialogTest, OkStoresEveryFieldAndBoxInMemoryOnly) {
    for (const Settings& start : {Settings{}, earlierSettings()}) {
        settings = start;
        const Dialog opened = open();
        const Settings expected = changeEverything(opened);
        EXPECT_EQ(opened.press(IDOK), TRUE);
        EXPECT_FALSE(opened.isOpen());
        EXPECT_TRUE(sameSettings(settings, expected));
    }
    EXPECT_FALSE(settingsKeyExists()) << "only the main dialog saves";
}

TEST_P(NumberDialogTest, CancelAppliesNothing) {
    settings = earlierSettings();
    const Dialog opened = open();
    changeEverything(opened);
    EXPECT_EQ(opened.press(IDCANCEL), TRUE);
    EXPECT_FALSE(opened.isOpen());
    EXPECT_TRUE(sameSettings(settings, earlierSettings()));
}

TEST_P(NumberDialogTest, EachEntryReachesItsSettingThroughItsClamp) {
    for (const NumberField& field : dialog().fields) {
        for (const Clamped& entry : field.entries)
            expectEntry(field, {entry.text, entry.text, entry.value}, false);
        expectEntry(field, field.typed, true);
        expectEntry(field, {"", "", 0}, false);
    }
}

TEST_P(NumberDialogTest, ResetShowsItsValuesAndOnlyOkAppliesThem) {
    Settings start = earlierSettings();
    for (const TickBox& box : dialog().boxes)
        start.*box.setting = 0;
    settings = start;
    {
        const Dialog opened = open();
        EXPECT_EQ(opened.press(dialog().resetButton), TRUE);
        EXPECT_TRUE(opened.isOpen());
        for (size_t index = 0; index < dialog().fields.size(); ++index)
            EXPECT_EQ(opened.text(dialog().fields[index].id), dialog().resetTexts[index])
                << dialog().fields[index].name;
        for (const TickBox& box : dialog().boxes)
            EXPECT_TRUE(opened.ticked(box.id)) << "box " << box.id;
        EXPECT_TRUE(sameSettings(settings, start));
        EXPECT_EQ(opened.press(IDCANCEL), TRUE);
        EXPECT_FALSE(opened.isOpen());
        EXPECT_TRUE(sameSettings(settings, start));
    }
    const Dialog opened = open();
    opened.press(dialog().resetButton);
    opened.press(IDOK);
    Settings expected = start;
    for (size_t index = 0; index < dialog().fields.size(); ++index)
        setValue(expected, dialog().fields[index], dialog().resetValues[index]);
    for (const TickBox& box : dialog().boxes)
        expected.*box.setting = 1;
    EXPECT_TRUE(sameSettings(settings, expected));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, NumberDialogTest, testing::Values(&effectsDialog, &characterDialog),
                         [](const testing::TestParamInfo<const NumberDialog*>& info) {
                             return std::string(info.param->name);
                         });

using CharacterDialog = DialogTest;

// A size is stored in single precision and shown truncated: 33 comes back
// one less, as the host holds for every entry.
TEST_F(CharacterDialog, ASizeComesBackTruncatedWhenReopened) {
    const std::pair<const char*, const char*> sizes[] = {{"0", "0"}, {"33", "32"}, {"50", "50"}, {"100", "100"}};
    for (const auto& [entered, shown] : sizes) {
        SCOPED_TRACE(entered);
        {
            const Dialog character(IDD_CHARACTER, characterDialogProc);
            character.setText(IDC_DROP_WIDTH, entered);
            character.setText(IDC_DROP_HEIGHT, entered);
            character.press(IDOK);
        }
        const Dialog reopened(IDD_CHARACTER, characterDialogProc);
        EXPECT_EQ(reopened.text(IDC_DROP_WIDTH), shown);
        EXPECT_EQ(reopened.text(IDC_DROP_HEIGHT), shown);
    }
}

// The one text outside ASCII reaches an ANSI caller as Windows-1252.
TEST_F(CharacterDialog, BloodSizeGroupIsSpelledWithEnye) {
    // The id of the controls the code never addresses, -1, as a 16-bit id.
    constexpr WORD noControlId = 0xFFFF;
    const Dialog character(IDD_CHARACTER, characterDialogProc);
    std::vector<std::string> groupBoxes;
    for (HWND control : controlsOf(character.window())) {
        if (static_cast<WORD>(GetDlgCtrlID(control)) != noControlId ||
            (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX)
            continue;
        char className[16] = {};
        GetClassNameA(control, className, sizeof className);
        if (lstrcmpiA(className, "Button") != 0)
            continue;
        char text[64] = {};
        GetWindowTextA(control, text, sizeof text);
        groupBoxes.push_back(text);
    }
    ASSERT_EQ(groupBoxes.size(), 2u);
    EXPECT_EQ(groupBoxes[0], "Tama\xF1o de la sangre");
    EXPECT_EQ(static_cast<unsigned char>(groupBoxes[0][4]), 0xF1);
    EXPECT_EQ(groupBoxes[1], "Gotas de sangre");
}

} // namespace
