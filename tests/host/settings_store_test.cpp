// Loading and saving the settings over a store held in memory: the order of
// the values, the float bit patterns, and a store that cannot be read or written.

#include "settings/settings.h"
#include "settings/settings_store.h"

#include "memory_store.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> userValueNames = {
    "mascara",         "sombra",          "efecto",     "efectoulmo",  "imagenfondo", "numeroparticulas",
    "tamaxparticulas", "tamayparticulas", "rojosombra", "verdesombra", "azulsombra",  "sangrante"};

class SettingsStoreTest : public testing::Test {
protected:
    void SetUp() override {
        memoryStore = MemoryStore{};
        settingsStore = memorySettingsStore();
    }
};

TEST_F(SettingsStoreTest, NoStoreKeepsEveryDefault) {
    loadSettings();
    const Settings defaults;
    EXPECT_EQ(std::memcmp(&settings, &defaults, sizeof settings), 0);
    EXPECT_TRUE(memoryStore.log.empty());
}

TEST_F(SettingsStoreTest, ReadsEveryValueInOrder) {
    memoryStore.exists = true;
    loadSettings();
    std::vector<std::string> expected;
    for (const std::string& name : userValueNames)
        expected.push_back("read " + name);
    expected.push_back("read frames");
    EXPECT_EQ(memoryStore.log, expected);
}

TEST_F(SettingsStoreTest, AStoreWithOneValueChangesOnlyThatField) {
    putValue("efecto", 5);
    loadSettings();
    Settings expected;
    expected.efecto = 5;
    EXPECT_EQ(std::memcmp(&settings, &expected, sizeof settings), 0);
}

TEST_F(SettingsStoreTest, FloatsTravelAsTheirBitPatterns) {
    putValue("tamaxparticulas", 0x3DCCCCCD);
    putValue("frames", std::bit_cast<uint32_t>(30.0f));
    loadSettings();
    EXPECT_EQ(settings.tamaxparticulas, 0.1f);
    EXPECT_EQ(settings.frames, 30.0f);

    ASSERT_TRUE(saveSettings());
    EXPECT_EQ(memoryStore.values["tamaxparticulas"], 0x3DCCCCCDu);
    EXPECT_EQ(memoryStore.values["tamayparticulas"], 0x3D8F5C29u);
}

TEST_F(SettingsStoreTest, SaveWritesTheTwelveUserValuesInOrder) {
    settings.efecto = 6;
    settings.frames = 99.0f;
    ASSERT_TRUE(saveSettings());
    std::vector<std::string> expected;
    for (const std::string& name : userValueNames)
        expected.push_back("write " + name);
    EXPECT_EQ(memoryStore.log, expected);
    EXPECT_EQ(memoryStore.values.size(), 12u);
    EXPECT_EQ(memoryStore.values.count("frames"), 0u);
    EXPECT_EQ(memoryStore.values["efecto"], 6u);
}

TEST_F(SettingsStoreTest, SavedSettingsLoadBackBitForBit) {
    settings.mascara = 1;
    settings.imagenfondo = 4;
    settings.numeroparticulas = 9999;
    settings.tamaxparticulas = 0.033f;
    settings.tamayparticulas = 0.0f;
    settings.azulsombra = 12;
    ASSERT_TRUE(saveSettings());
    const Settings saved = settings;
    settings = Settings{};
    settings.frames = saved.frames;
    loadSettings();
    EXPECT_EQ(std::memcmp(&settings, &saved, sizeof settings), 0);
}

TEST_F(SettingsStoreTest, FramesAloneIsWrittenAtTheEndOfARun) {
    settings.frames = 30.0f;
    ASSERT_TRUE(saveFrames());
    EXPECT_EQ(memoryStore.log, std::vector<std::string>{"write frames"});
    EXPECT_EQ(memoryStore.values["frames"], 0x41F00000u);
}

TEST_F(SettingsStoreTest, AStoreThatCannotBeWrittenSaysSoAndKeepsItsValues) {
    putValue("efecto", 5);
    memoryStore.failWrites = true;
    settings.efecto = 6;
    EXPECT_FALSE(saveSettings());
    EXPECT_FALSE(saveFrames());
    EXPECT_EQ(memoryStore.values, (std::map<std::string, uint32_t>{{"efecto", 5}}));
}

} // namespace
