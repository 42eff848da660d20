// The Linux program's command line: both spellings, where it draws, the
// settings it overrides with the dialogs' clamps, and what it refuses.

#include "settings/catalogs.h"
#include "shell/hack_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class HackOptionsTest : public testing::Test {
protected:
    void SetUp() override { buildCatalogs(); }

    // Parses the words after the program's name; the reason is left in error.
    bool parse(std::vector<const char*> words) {
        words.insert(words.begin(), "norwyn");
        options = HackOptions{};
        error.clear();
        return parseHackOptions(static_cast<int>(words.size()), words.data(), options, error);
    }

    HackOptions options;
    std::string error;
};

TEST_F(HackOptionsTest, TheWindowIdWinsOverRootWhichWinsOverTheOwnWindow) {
    ASSERT_TRUE(parse({}));
    EXPECT_EQ(options.target, DrawTarget::OwnWindow);
    EXPECT_EQ(options.geometry.width, 1280);
    EXPECT_EQ(options.delayMicroseconds, 16666);
    ASSERT_TRUE(parse({"-root"}));
    EXPECT_EQ(options.target, DrawTarget::Root);
    ASSERT_TRUE(parse({"--root", "-window-id", "0x2a00007"}));
    EXPECT_EQ(options.target, DrawTarget::GivenWindow);
    EXPECT_EQ(options.windowId, 0x2a00007u);
    ASSERT_TRUE(parse({"--window-id", "44040199", "--root"}));
    EXPECT_EQ(options.target, DrawTarget::GivenWindow);
    EXPECT_EQ(options.windowId, 44040199u);
    ASSERT_TRUE(parse({"--window-id", "0xA00008"})) << "the daemon writes its window's id in capitals";
    EXPECT_EQ(options.windowId, 0xa00008u);
    ASSERT_TRUE(parse({"--install", "-visual", "default", "--mono", "-display", ":3", "--delay", "0", "-fps"}));
    EXPECT_EQ(options.display, ":3");
    EXPECT_EQ(options.delayMicroseconds, 0);
    EXPECT_TRUE(options.showFps);
}

TEST_F(HackOptionsTest, SettingsAreOverriddenWithTheDialogsClamps) {
    // clang-format off
    ASSERT_TRUE(parse({"--background", "4", "-effect", "6", "--movement", "3", "--mask", "--no-shading", "--no-blood",
                       "--shadow-red", "999", "-shadow-green", "0", "--shadow-blue", "99999999999", "--drops",
                       "12000", "--drop-width", "33", "--drop-height", "100"}));
    // clang-format on
    Settings record;
    applyOverrides(options.overrides, record);
    EXPECT_EQ(record.imagenfondo, 4);
    EXPECT_EQ(record.efecto, 6);
    EXPECT_EQ(record.efectoulmo, 3);
    EXPECT_EQ(record.mascara, 1);
    EXPECT_EQ(record.sombra, 0);
    EXPECT_EQ(record.sangrante, 0);
    EXPECT_EQ(record.rojosombra, 255);
    EXPECT_EQ(record.verdesombra, 0);
    EXPECT_EQ(record.azulsombra, 255);
    EXPECT_EQ(record.numeroparticulas, 9999);
    EXPECT_EQ(record.tamaxparticulas, 33 * 0.001f);
    EXPECT_EQ(record.tamayparticulas, 0.1f);

    ASSERT_TRUE(parse({"--effect", "0"}));
    Settings untouched;
    untouched.sombra = 0;
    applyOverrides(options.overrides, untouched);
    EXPECT_EQ(untouched.efecto, 0);
    EXPECT_EQ(untouched.sombra, 0) << "what the options leave comes from the file";
}

TEST_F(HackOptionsTest, UnknownOptionsMissingNumbersAndUnlistedChoicesAreRefused) {
    // clang-format off
    const std::vector<std::vector<const char*>> refused = {
        {"--frobnicate"}, {"root"},         {"--effect"},          {"--effect", "7"},   {"--background", "1"},
        {"--drops", "-5"}, {"--drops", "1e3"}, {"--delay", "soon"}, {"--window-id"},     {"--window-id", "0xZZ"},
        {"--geometry", "wide"}, {"--geometry", "0x720"}, {"--geometry", "640x480+10"}, {"--display"},
    };
    // clang-format on
    for (const auto& words : refused) {
        SCOPED_TRACE(words[0]);
        EXPECT_FALSE(parse(words));
        EXPECT_FALSE(error.empty());
    }
}

TEST_F(HackOptionsTest, TheUsageHasALineForEachSettingWithWhatItTakes) {
    const std::string usage = hackUsage;
    for (const char* line : {
             "\n  --mask, --no-mask        the character through its mask\n",
             "\n  --shading, --no-shading  the warped background shaded with the shadow colour\n",
             "\n  --effect 0..6            how the background moves\n",
             "\n  --background 0|2|3|4     the picture behind\n",
             "\n  --drops 0..9999          the number of drops\n",
             "\n  --drop-height 0..100     the height of a drop in thousandths\n",
             "\n  --shadow-blue 0..255     the blue of the shadow colour\n",
         })
        EXPECT_NE(usage.find(line), std::string::npos) << line;
    EXPECT_LT(usage.find("What it draws"), usage.find("--mask")) << usage;
    EXPECT_LT(usage.find("--blood"), usage.find("Settings:")) << usage;
}

TEST_F(HackOptionsTest, GeometryTakesASizeAndAnOptionalPlace) {
    ASSERT_TRUE(parse({"--geometry", "640x360"}));
    EXPECT_EQ(options.geometry.width, 640);
    EXPECT_EQ(options.geometry.height, 360);
    EXPECT_FALSE(options.geometry.hasPosition);
    ASSERT_TRUE(parse({"-geometry", "800x600+10-20"}));
    EXPECT_EQ(options.geometry.x, 10);
    EXPECT_EQ(options.geometry.y, -20);
    EXPECT_TRUE(options.geometry.hasPosition);
}

} // namespace
