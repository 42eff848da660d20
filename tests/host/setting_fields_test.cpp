// The table of stored settings against itself and the record: it covers
// every stored field once, names each value and option once, and every
// default lies within the range the table gives it.

#include "settings/setting_fields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(SettingFields, CoverEveryStoredFieldOfTheRecordOnce) {
    static_assert(sizeof(Settings) == (settingFieldCount + 1) * 4, "one entry for every field but the save choice");
    std::set<std::string> names;
    for (int index = 0; index < settingFieldCount; ++index) {
        const SettingField& field = settingFields[index];
        SCOPED_TRACE(field.name);
        EXPECT_TRUE(names.insert(field.name).second);
        EXPECT_NE(field.integer == nullptr, field.real == nullptr) << "exactly one field";
        for (int other = 0; other < index; ++other) {
            if (field.integer)
                EXPECT_NE(field.integer, settingFields[other].integer);
            else
                EXPECT_NE(field.real, settingFields[other].real);
        }
        EXPECT_EQ(findSettingField(field.name), &field);
    }
    EXPECT_EQ(findSettingField("colour"), nullptr);
    EXPECT_EQ(findSettingField("saveToRegistry"), nullptr);
}

TEST(SettingFields, SpellEachOptionOnce) {
    std::set<std::string> spellings;
    for (const SettingField& field : settingFields) {
        SCOPED_TRACE(field.name);
        EXPECT_EQ(field.option == nullptr, field.kind == SettingKind::FrameRate) << "only frames has no option";
        if (!field.option)
            continue;
        EXPECT_TRUE(spellings.insert(field.option).second);
        if (field.kind == SettingKind::Flag) {
            EXPECT_TRUE(spellings.insert(std::string("no-") + field.option).second);
        }
        EXPECT_NE(field.help, nullptr);
    }
}

TEST(SettingFields, KeepEachDefaultWithinItsOwnRange) {
    for (const SettingField& field : settingFields) {
        SCOPED_TRACE(field.name);
        const RangedValue ranged =
            field.integer ? rangedInteger(field, field.integerDefault) : rangedReal(field, field.realDefault);
        EXPECT_EQ(ranged.verdict, RangeVerdict::Kept);
        EXPECT_EQ(ranged.bits, settingBits(Settings{}, field)) << "the record starts with the table's default";
    }
}

} // namespace
