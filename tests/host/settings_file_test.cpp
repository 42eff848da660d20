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
                                           "sombra = 0\nsombra = 1\n",
                                           read.values, storedValueCount);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(read["efecto"].bits, 5u);
    EXPECT_EQ(read["tamaxparticulas"].bits, std::bit_cast<uint32_t>(0.033f));
    EXPECT_EQ(read["frames"].bits, std::bit_cast<uint32_t>(60.0f));
    EXPECT_EQ(read["sombra"].bits, 1u) << "a later line wins";
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
        {"efecto = 0.5", "efecto wants 0..6, not \"0.5\"; it keeps its default"},
        {"efecto = 5x", "efecto wants 0..6"},
        {"efecto = 99999999999", "efecto wants 0..6, not \"99999999999\"; it keeps its default"},
        {"tamaxparticulas = wide", "tamaxparticulas wants 0..0.1, not \"wide\""},
        {"tamaxparticulas = 1e999", "tamaxparticulas wants 0..0.1, not \"1e999\""},
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
    for (const char* later : {"efecto = x", "efecto = 9"}) {
        SCOPED_TRACE(later);
        Values read;
        const auto problems =
            readSettingsText(std::string("efecto = 4\n") + later + "\n", read.values, storedValueCount);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_NE(problems[0].message.find("keeps the value of an earlier line"), std::string::npos);
        EXPECT_EQ(read["efecto"].bits, 4u);
    }
}

uint32_t bitsOf(int32_t number) {
    return static_cast<uint32_t>(number);
}

uint32_t bitsOf(float number) {
    return std::bit_cast<uint32_t>(number);
}

// A hand-edited file is held to the ranges of the options: a choice no
// catalog offers keeps its default, a number outside its range is brought
// to its nearest end, and either is told with its line number.
TEST(SettingsFile, AValueOutsideItsRangeIsBroughtInOrRefusedAndTold) {
    struct Case {
        const char* line;
        const char* name;
        uint32_t bits;    // what the setting holds after the line
        const char* told; // the message, or null when the line is taken silently
    };
    // clang-format off
    const Case cases[] = {
        {"imagenfondo = 1", "imagenfondo", bitsOf(0), "imagenfondo wants 0|2|3|4, not \"1\"; it keeps its default"},
        {"imagenfondo = 5", "imagenfondo", bitsOf(0), "imagenfondo wants 0|2|3|4, not \"5\"; it keeps its default"},
        {"imagenfondo = 3", "imagenfondo", bitsOf(3), nullptr},
        {"efecto = 9", "efecto", bitsOf(2), "efecto wants 0..6, not \"9\"; it keeps its default"},
        {"efecto = -1", "efecto", bitsOf(2), "efecto wants 0..6, not \"-1\"; it keeps its default"},
        {"efecto = 6", "efecto", bitsOf(6), nullptr},
        {"efectoulmo = 7", "efectoulmo", bitsOf(0), "efectoulmo wants 0..3, not \"7\"; it keeps its default"},
        {"efectoulmo = 3", "efectoulmo", bitsOf(3), nullptr},
        {"numeroparticulas = 50000", "numeroparticulas", bitsOf(9999), "numeroparticulas wants 0..9999, not \"50000\"; it takes 9999"},
        {"numeroparticulas = 10000", "numeroparticulas", bitsOf(9999), "it takes 9999"},
        {"numeroparticulas = 99999999999999999999", "numeroparticulas", bitsOf(9999), "it takes 9999"},
        {"numeroparticulas = -5", "numeroparticulas", bitsOf(0), "it takes 0"},
        {"numeroparticulas = 9999", "numeroparticulas", bitsOf(9999), nullptr},
        {"numeroparticulas = 0", "numeroparticulas", bitsOf(0), nullptr},
        {"rojosombra = 300", "rojosombra", bitsOf(255), "rojosombra wants 0..255, not \"300\"; it takes 255"},
        {"verdesombra = 256", "verdesombra", bitsOf(255), "it takes 255"},
        {"azulsombra = -1", "azulsombra", bitsOf(0), "azulsombra wants 0..255, not \"-1\"; it takes 0"},
        {"azulsombra = 254", "azulsombra", bitsOf(254), nullptr},
        // A flag other than 0 or 1 is refused, a number or not, with one message.
        {"mascara = 7", "mascara", bitsOf(0), "mascara wants 0 or 1, not \"7\"; it keeps its default"},
        {"mascara = yes", "mascara", bitsOf(0), "mascara wants 0 or 1, not \"yes\"; it keeps its default"},
        {"sangrante = -7", "sangrante", bitsOf(1), "sangrante wants 0 or 1, not \"-7\"; it keeps its default"},
        {"sangrante = yes", "sangrante", bitsOf(1), "sangrante wants 0 or 1, not \"yes\"; it keeps its default"},
        {"numeroparticulas = many", "numeroparticulas", bitsOf(200), "numeroparticulas wants 0..9999, not \"many\"; it keeps its default"},
        {"sombra = 1", "sombra", bitsOf(1), nullptr},
        {"tamaxparticulas = 0.5", "tamaxparticulas", bitsOf(0.1f), "tamaxparticulas wants 0..0.1, not \"0.5\"; it takes 0.1"},
        {"tamaxparticulas = 1e99", "tamaxparticulas", bitsOf(0.1f), "it takes 0.1"},
        {"tamaxparticulas = -inf", "tamaxparticulas", bitsOf(0.0f), "it takes 0"},
        {"tamayparticulas = -0.01", "tamayparticulas", bitsOf(0.0f), "it takes 0"},
        {"tamayparticulas = nan", "tamayparticulas", bitsOf(0.07f), "tamayparticulas wants 0..0.1, not \"nan\"; it keeps its default"},
        {"tamayparticulas = 0.1", "tamayparticulas", bitsOf(0.1f), nullptr},
        {"tamayparticulas = 0.033", "tamayparticulas", bitsOf(0.033f), nullptr},
        {"tamayparticulas = 1e-99", "tamayparticulas", bitsOf(0.0f), nullptr},
        {"frames = -3", "frames", bitsOf(0.0f), "frames wants 0 or more, not \"-3\"; it takes 0"},
        {"frames = inf", "frames", bitsOf(0.0f), "it takes 0"},
        {"frames = nan", "frames", bitsOf(0.0f), "it takes 0"},
        {"frames = 59.5", "frames", bitsOf(59.5f), nullptr},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        // Another setting on the lines around it, changed from its default.
        const bool aboutShading = std::string_view(c.name) == "sombra";
        const char* other = aboutShading ? "efecto" : "sombra";
        const std::string otherLine = aboutShading ? "efecto = 5\n" : "sombra = 0\n";
        Values read;
        const auto problems =
            readSettingsText(otherLine + "# mine\n" + c.line + "\n" + otherLine, read.values, storedValueCount);
        EXPECT_EQ(read[c.name].bits, c.bits);
        const bool refused = c.told && std::string_view(c.told).find("it keeps") != std::string_view::npos;
        EXPECT_EQ(read[c.name].found, !refused);
        EXPECT_EQ(read[other].bits, aboutShading ? 5u : 0u) << "the rest of the file still applies";
        if (!c.told) {
            EXPECT_TRUE(problems.empty()) << problems[0].message;
            continue;
        }
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0].line, 3);
        EXPECT_NE(problems[0].message.find(c.told), std::string::npos) << problems[0].message;
    }
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
    // Values of no setting have no range, so any bits at all travel through the text.
    const float floats[] = {0.05f, 0.033f, 0.1f, 0.0f, -0.0f, 1e-45f, 3.4028235e38f, -123.456f};
    for (const float number : floats) {
        SCOPED_TRACE(number);
        const StoredValue written[] = {{"real", ValueKind::Float, bitsOf(number), false},
                                       {"entero", ValueKind::Integer, bitsOf(INT32_MIN), false}};
        StoredValue read[] = {{"real", ValueKind::Float, 0, false}, {"entero", ValueKind::Integer, 0, false}};
        EXPECT_TRUE(readSettingsText(writeSettingsText("", written, 2), read, 2).empty());
        EXPECT_EQ(read[0].bits, written[0].bits);
        EXPECT_EQ(read[1].bits, written[1].bits);
    }
    // The settings at the ends of their ranges.
    Values written;
    for (StoredValue& value : written.values) {
        const std::string_view name = value.name;
        if (name == "numeroparticulas")
            value.bits = 9999;
        else if (name == "tamaxparticulas")
            value.bits = bitsOf(0.1f);
        else if (name == "tamayparticulas")
            value.bits = bitsOf(1e-45f);
        else if (name == "frames")
            value.bits = bitsOf(3.4028235e38f);
        else if (name == "imagenfondo")
            value.bits = 4;
        else if (name == "rojosombra" || name == "sombra")
            value.bits = 0;
    }
    Values read;
    EXPECT_TRUE(readSettingsText(writeSettingsText("", written.values, storedValueCount), read.values, storedValueCount)
                    .empty());
    for (int index = 0; index < storedValueCount; ++index)
        EXPECT_EQ(read.values[index].bits, written.values[index].bits) << read.values[index].name;
    Values defaults;
    EXPECT_EQ(settingsLine(defaults["tamayparticulas"]), "tamayparticulas = 0.07");
    EXPECT_EQ(settingsLine(defaults["frames"]), "frames = 0");
}

} // namespace
