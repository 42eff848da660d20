// The settings over the real registry of the test prefix.

#include "settings/registry_store_win32.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

#include "registry_win32.h"
#include "settings_checks_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <bit>
#include <set>
#include <string>

namespace {

class RegistryStoreTest : public testing::Test {
protected:
    void SetUp() override {
        deleteSettingsKey();
        settingsStore = registrySettingsStore();
    }
    void TearDown() override { deleteSettingsKey(); }
};

// What a load makes of the key: only a REG_DWORD of four bytes is a value.
struct KeyToLoad {
    const char* what;
    void (*store)();
    void (*expectedChange)(Settings&);
};

// clang-format off
const KeyToLoad keysToLoad[] = {
    {"no key: every default", [] {}, [](Settings&) {}},
    {"only the effect: only the effect",
     [] { storeDword("efecto", 5); },
     [](Settings& expected) { expected.efecto = 5; }},
    {"values of another type or size: ignored",
     [] {
         storeValue("sombra", REG_SZ, "0", 2);
         storeValue("efecto", REG_SZ, "abc", 4); // four bytes, but text
         const unsigned long long wide = 0x0000000100000007ull;
         storeValue("numeroparticulas", REG_QWORD, &wide, sizeof wide);
         storeValue("mascara", REG_BINARY, "\x01\x00\x00\x00\x00\x00\x00\x00", 8);
         storeValue("sangrante", REG_DWORD, "\x00\x00", 2); // a DWORD cut short: not half-read
         storeDword("efectoulmo", 3);
     },
     [](Settings& expected) { expected.efectoulmo = 3; }},
};
// clang-format on

TEST_F(RegistryStoreTest, LoadingTakesEveryWholeDwordAndNothingElse) {
    for (const KeyToLoad& key : keysToLoad) {
        SCOPED_TRACE(key.what);
        deleteSettingsKey();
        key.store();
        settings = Settings{};
        loadSettings();
        Settings expected;
        key.expectedChange(expected);
        EXPECT_TRUE(sameSettings(settings, expected));
    }
}

TEST_F(RegistryStoreTest, SavingCreatesTheKeyWithTheTwelveUserValues) {
    settings.frames = 55.0f;
    saveSettings();
    const RegistryValues values = storedValues();
    const std::set<std::string> expected = {"mascara",     "sombra",           "efecto",          "efectoulmo",
                                            "imagenfondo", "numeroparticulas", "tamaxparticulas", "tamayparticulas",
                                            "rojosombra",  "verdesombra",      "azulsombra",      "sangrante"};
    std::set<std::string> names;
    for (const auto& [name, value] : values) {
        names.insert(name);
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD)) << name;
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(storedDword("tamaxparticulas"), 0x3D4CCCCDu);
    EXPECT_EQ(storedDword("tamayparticulas"), 0x3D8F5C29u);
    EXPECT_EQ(storedDword("efecto"), 2u);
    EXPECT_EQ(storedDword("numeroparticulas"), 200u);
}

TEST_F(RegistryStoreTest, FramesIsAddedOnlyByTheEndOfARun) {
    saveSettings();
    EXPECT_EQ(storedValues().count("frames"), 0u);
    settings.frames = 30.0f;
    saveFrames();
    const RegistryValues values = storedValues();
    EXPECT_EQ(values.size(), 13u);
    EXPECT_EQ(values.at("frames"), dwordValue(0x41F00000));
}

TEST_F(RegistryStoreTest, AFloatSurvivesSaveAndLoadBitForBit) {
    for (const float size : {0.05f, 0.033f, 0.1f, 0.0f, 1e-38f}) {
        settings.tamaxparticulas = size;
        saveSettings();
        settings.tamaxparticulas = 12345.0f;
        loadSettings();
        EXPECT_EQ(std::bit_cast<uint32_t>(settings.tamaxparticulas), std::bit_cast<uint32_t>(size));
    }
}

} // namespace
