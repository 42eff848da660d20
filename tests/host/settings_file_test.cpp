// The text of the Linux settings file: what a line means, what a bad line
// leaves, and how a write keeps the rest of the file.

#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <bit>

namespace {

struct Values {
    StoredValue values[storedValueCount];
    Values() { collectStoredValues(values); }
    const StoredValue& operator[](const char* name) const {
        for (const StoredValue& value : values)
            if (std::string_view(value.name) == name)
                return value;
        throw std::out_of_range(name);
    }
};

TEST(SettingsFile, ReadsEachKindAndSkipsComments) {
    Values read;
    const auto problems = readSettingsText("# mine\n\n  efecto=5\r\ntamaxparticulas = 0.033\nframes = 60\n"
                                           "sombra = 0\nsombra = -7\n",
                                           read.values, storedValueCount);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(read["efecto"].bits, 5u);
    EXPECT_EQ(read["tamaxparticulas"].bits, std::bit_cast<uint32_t>(0.033f));
    EXPECT_EQ(read["frames"].bits, std::bit_cast<uint32_t>(60.0f));
    EXPECT_EQ(static_cast<int32_t>(read["sombra"].bits), -7) << "a later line wins";
    EXPECT_TRUE(read["efecto"].found);
    EXPECT_FALSE(read["mascara"].found);
}

TEST(SettingsFile, ABadLineIsReportedWithItsNumberAndChangesNothing) {
    struct Case {
        const char* line;
        const char* says;
    } cases[] = {
        {"efecto", "is not \"name = value\""},
        {"efecto = ", "is not \"name = value\""},
        {"colour = 3", "no setting is named \"colour\""},
        {"efecto = 0.5", "efecto wants a whole number, not \"0.5\"; it keeps its default"},
        {"efecto = 5x", "efecto wants a whole number"},
        {"efecto = 99999999999", "efecto is out of range"},
        {"tamaxparticulas = wide", "tamaxparticulas wants a decimal number"},
        {"tamaxparticulas = 1e99", "tamaxparticulas is out of range"},
        {"efecto = \x1b[31m", "not \"?[31m\""}, // nothing from the file drives the terminal
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Values read;
        const auto problems =
            readSettingsText(std::string("sombra = 0\n") + c.line + "\n", read.values, storedValueCount);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0].line, 2);
        EXPECT_NE(problems[0].message.find(c.says), std::string::npos) << problems[0].message;
        EXPECT_EQ(read["efecto"].bits, 2u);
        EXPECT_EQ(read["sombra"].bits, 0u) << "the rest of the file still applies";
    }
    Values read;
    const auto problems = readSettingsText("efecto = 4\nefecto = x\n", read.values, storedValueCount);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].message.find("keeps the value of an earlier line"), std::string::npos);
    EXPECT_EQ(read["efecto"].bits, 4u);
}

TEST(SettingsFile, AWriteRewritesItsLinesInPlaceAndKeepsEveryOtherLine) {
    Values written;
    written.values[2].bits = 6; // efecto
    const std::string before = "# my saver\nefecto = 1\nnot a setting\nsombra = 0\n";
    EXPECT_EQ(writeSettingsText(before, &written.values[2], 1), "# my saver\nefecto = 6\nnot a setting\nsombra = 0\n");
    EXPECT_EQ(writeSettingsText("sombra = 0", &written.values[2], 1), "sombra = 0\nefecto = 6\n")
        << "a value not there yet is appended, after a line end";
}

TEST(SettingsFile, EveryValueReadsBackBitForBit) {
    const float floats[] = {0.05f, 0.033f, 0.1f, 0.0f, -0.0f, 1e-45f, 3.4028235e38f, 123.456f};
    for (const float number : floats) {
        SCOPED_TRACE(number);
        Values written;
        written.values[6].bits = std::bit_cast<uint32_t>(number);  // tamaxparticulas
        written.values[5].bits = static_cast<uint32_t>(INT32_MIN); // numeroparticulas
        Values read;
        EXPECT_TRUE(
            readSettingsText(writeSettingsText("", written.values, storedValueCount), read.values, storedValueCount)
                .empty());
        for (int index = 0; index < storedValueCount; ++index)
            EXPECT_EQ(read.values[index].bits, written.values[index].bits) << read.values[index].name;
    }
    Values defaults;
    EXPECT_EQ(settingsLine(defaults["tamayparticulas"]), "tamayparticulas = 0.07");
    EXPECT_EQ(settingsLine(defaults["frames"]), "frames = 0");
}

} // namespace
