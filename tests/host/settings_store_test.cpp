#include "settings/memory_store.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> userValueNames = {
    "mascara", "sombra", "efecto", "efectoulmo", "imagenfondo", "numeroparticulas", "tamaxparticulas",
    "tamayparticulas", "rojosombra", "verdesombra", "azulsombra", "sangrante"};

class SettingsStoreTest : public testing::Test {
protected:
    void SetUp() override {
        memoryStore = MemoryStore{};
        settings = Settings{};
        settingsStore = memorySettingsStore();
    }
};

TEST_F(SettingsStoreTest, NoKeyKeepsEveryDefault) {
    loadSettings();
    const Settings defaults;
    EXPECT_EQ(std::memcmp(&settings, &defaults, sizeof settings), 0);
    EXPECT_EQ(memoryStore.log, std::vector<std::string>{"open-read"});
}

TEST_F(SettingsStoreTest, ReadsEveryValueInOrderThenCloses) {
    memoryStore.keyExists = true;
    loadSettings();
    std::vector<std::string> expected = {"open-read"};
    for (const std::string& name : userValueNames)
        expected.push_back("read " + name);
    expected.push_back("read frames");
    expected.push_back("close");
    EXPECT_EQ(memoryStore.log, expected);
}

TEST_F(SettingsStoreTest, AKeyWithOneValueChangesOnlyThatField) {
    putDword("efecto", 5);
    loadSettings();
    Settings expected;
    expected.efecto = 5;
    EXPECT_EQ(std::memcmp(&settings, &expected, sizeof settings), 0);
}

TEST_F(SettingsStoreTest, FloatsTravelAsTheirBitPatterns) {
    putDword("tamaxparticulas", 0x3DCCCCCD);
    putDword("frames", std::bit_cast<uint32_t>(30.0f));
    loadSettings();
    EXPECT_EQ(settings.tamaxparticulas, 0.1f);
    EXPECT_EQ(settings.frames, 30.0f);

    saveSettings();
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(getDword("tamaxparticulas", &width));
    ASSERT_TRUE(getDword("tamayparticulas", &height));
    EXPECT_EQ(width, 0x3DCCCCCDu);
    EXPECT_EQ(height, 0x3D8F5C29u);
}

TEST_F(SettingsStoreTest, ValuesOfAnotherTypeOrSizeAreIgnored) {
    putDword("efecto", 5);
    memoryStore.values["sombra"] = {1 /* REG_SZ */, {'0', 0}};
    memoryStore.values["numeroparticulas"] = {11 /* REG_QWORD */, {1, 2, 3, 4, 5, 6, 7, 8}};
    memoryStore.values["mascara"] = {storeTypeDword, {1, 0}};
    memoryStore.values["sangrante"] = {storeTypeDword, {}};
    memoryStore.values["rojosombra"] = {storeTypeDword, {7, 0, 0, 0, 0}};
    loadSettings();
    Settings expected;
    expected.efecto = 5;
    EXPECT_EQ(std::memcmp(&settings, &expected, sizeof settings), 0);
}

TEST_F(SettingsStoreTest, SaveWritesTheTwelveUserValuesInOrder) {
    settings.efecto = 6;
    settings.frames = 99.0f;
    saveSettings();
    std::vector<std::string> expected = {"open-write"};
    for (const std::string& name : userValueNames)
        expected.push_back("write " + name);
    expected.push_back("close");
    EXPECT_EQ(memoryStore.log, expected);
    EXPECT_EQ(memoryStore.values.size(), 12u);
    EXPECT_EQ(memoryStore.values.count("frames"), 0u);
    uint32_t efecto = 0;
    ASSERT_TRUE(getDword("efecto", &efecto));
    EXPECT_EQ(efecto, 6u);
}

TEST_F(SettingsStoreTest, SavedSettingsLoadBackBitForBit) {
    settings.mascara = 1;
    settings.imagenfondo = 4;
    settings.numeroparticulas = 9999;
    settings.tamaxparticulas = 0.033f;
    settings.tamayparticulas = 0.0f;
    settings.azulsombra = 12;
    saveSettings();
    const Settings saved = settings;
    settings = Settings{};
    settings.frames = saved.frames;
    loadSettings();
    EXPECT_EQ(std::memcmp(&settings, &saved, sizeof settings), 0);
}

TEST_F(SettingsStoreTest, FramesAloneIsWrittenAtTheEndOfARun) {
    settings.frames = 30.0f;
    saveFrames();
    EXPECT_EQ(memoryStore.log, (std::vector<std::string>{"open-write", "write frames", "close"}));
    uint32_t frames = 0;
    ASSERT_TRUE(getDword("frames", &frames));
    EXPECT_EQ(frames, 0x41F00000u);
}

TEST_F(SettingsStoreTest, AStoreThatCannotOpenIsLeftAlone) {
    putDword("efecto", 5);
    memoryStore.failOpenForReading = true;
    memoryStore.failOpenForWriting = true;
    loadSettings();
    EXPECT_EQ(settings.efecto, 2);
    settings.efecto = 6;
    saveSettings();
    saveFrames();
    uint32_t efecto = 0;
    ASSERT_TRUE(getDword("efecto", &efecto));
    EXPECT_EQ(efecto, 5u);
    EXPECT_EQ(memoryStore.values.size(), 1u);
}

TEST_F(SettingsStoreTest, FailingReadsAndWritesChangeNothing) {
    putDword("efecto", 5);
    memoryStore.failReads = true;
    loadSettings();
    EXPECT_EQ(settings.efecto, 2);
    memoryStore.failWrites = true;
    saveSettings();
    EXPECT_EQ(memoryStore.values.size(), 1u);
    EXPECT_EQ(memoryStore.log.back(), "close");
}

} // namespace
