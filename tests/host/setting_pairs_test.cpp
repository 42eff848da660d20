// Settings given as name and value texts (the web page's address and
// storage) read by the settings file's rules, and the panel's entries.

#include "settings/dialog_rules.h"
#include "settings/float_text.h"
#include "settings/setting_entries.h"
#include "settings/setting_pairs.h"

#include <gtest/gtest.h>

namespace {

struct PairCase {
    const char* name;
    std::string value;
    bool found;
    uint32_t bits;
    const char* told; // part of the one problem reported, or null for none
};

// The file's own rules are the settings file test's; here, what pairs add:
// a value of any length, and a name or value that would make two lines.
TEST(SettingPairs, HoldEachValueAsTheFileDoes) {
    // clang-format off
    const PairCase table[] = {
        {"efecto", "4", true, 4, nullptr},
        {"numeroparticulas", std::string(5000, '9'), true, 9999, "numeroparticulas wants 0..9999"},
        {"efecto", "1\nimagenfondo = 3", false, 0, "efecto wants"},
        {"efe\ncto", "1", false, 0, "is not \"name = value\""},
    };
    // clang-format on
    for (const PairCase& row : table) {
        StoredValue values[storedValueCount];
        collectStoredValues(values);
        for (StoredValue& value : values)
            value.bits = 0;
        const auto problems = readSettingPairs({{row.name, row.value}}, values, storedValueCount);
        const SettingField* field = findSettingField(row.name);
        const StoredValue* value = field ? &values[field - settingFields] : nullptr;
        SCOPED_TRACE(std::string(row.name) + " = " + row.value.substr(0, 40));
        EXPECT_EQ(value && value->found, row.found);
        if (row.found) {
            EXPECT_EQ(value->bits, row.bits);
        }
        for (const StoredValue& other : values) {
            if (&other != value) {
                EXPECT_FALSE(other.found) << other.name;
            }
        }
        ASSERT_EQ(problems.size(), row.told ? 1u : 0u);
        if (row.told) {
            EXPECT_NE(problems[0].message.find(row.told), std::string::npos) << problems[0].message;
        }
    }
}

TEST(SettingPairs, ValueTextReadsBackBitForBit) {
    const StoredValue values[] = {{"tamaxparticulas", ValueKind::Float, floatBits(0.033f), true},
                                  {"efecto", ValueKind::Integer, 6, true}};
    EXPECT_EQ(settingValueText(values[0]), "0.033");
    EXPECT_EQ(settingValueText(values[1]), "6");
}

struct EntryCase {
    const char* name;
    int64_t entry;
    uint32_t before, after;
};

TEST(SettingEntries, TakeAPanelEntryAsTheDialogsDo) {
    // clang-format off
    const EntryCase table[] = {
        {"sombra", 5, 0, 1},
        {"sombra", 0, 1, 0},
        {"efecto", 6, 2, 6},
        {"efecto", 9, 2, 2},
        {"imagenfondo", 1, 3, 3},
        {"imagenfondo", -4, 3, 3},
        {"numeroparticulas", 20000, 200, 9999},
        {"numeroparticulas", -5, 200, 0},
        {"rojosombra", 300, 0, 255},
        {"tamaxparticulas", 33, 0, floatBits(dropSizeFromEntry(33))},
        {"tamaxparticulas", 500, 0, floatBits(0.1f)},
        {"frames", 60, floatBits(12.5f), floatBits(12.5f)},
    };
    // clang-format on
    for (const EntryCase& row : table) {
        const SettingField& field = *findSettingField(row.name);
        EXPECT_EQ(bitsFromEntry(field, row.entry, row.before), row.after) << row.name << " " << row.entry;
    }
    EXPECT_EQ(entryFromBits(*findSettingField("tamayparticulas"), floatBits(0.07f)), 70);
    EXPECT_EQ(entryFromBits(*findSettingField("efecto"), 4), 4);
}

} // namespace
