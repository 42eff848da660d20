// The settings over the real registry of the test prefix.

#include "settings/registry_store_win32.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

namespace {

class RegistryStoreTest : public testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Halvoren");
        settings = Settings{};
        settingsStore = registrySettingsStore();
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Halvoren"); }

    static void put(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static void putDword(const char* name, DWORD value) { put(name, REG_DWORD, &value, sizeof value); }

    // Every value under the key: name to (type, DWORD data).
    static std::map<std::string, std::pair<DWORD, DWORD>> storedValues() {
        std::map<std::string, std::pair<DWORD, DWORD>> values;
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return values;
        for (DWORD index = 0;; ++index) {
            char name[256];
            DWORD nameSize = sizeof name, type = 0, data = 0, size = sizeof data;
            if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
                ERROR_SUCCESS)
                break;
            values[name] = {type, size == 4 ? data : 0xDEADBEEF};
        }
        RegCloseKey(key);
        return values;
    }
};

TEST_F(RegistryStoreTest, NoKeyGivesEveryDefault) {
    loadSettings();
    const Settings defaults;
    EXPECT_EQ(std::memcmp(&settings, &defaults, sizeof settings), 0);
}

TEST_F(RegistryStoreTest, AKeyHoldingOnlyTheEffectChangesOnlyTheEffect) {
    putDword("efecto", 5);
    loadSettings();
    Settings expected;
    expected.efecto = 5;
    EXPECT_EQ(std::memcmp(&settings, &expected, sizeof settings), 0);
}

TEST_F(RegistryStoreTest, SavingCreatesTheKeyWithTheTwelveUserValues) {
    settings.frames = 55.0f;
    saveSettings();
    const auto values = storedValues();
    const std::set<std::string> expected = {"mascara", "sombra", "efecto", "efectoulmo", "imagenfondo",
                                            "numeroparticulas", "tamaxparticulas", "tamayparticulas", "rojosombra",
                                            "verdesombra", "azulsombra", "sangrante"};
    std::set<std::string> names;
    for (const auto& [name, value] : values) {
        names.insert(name);
        EXPECT_EQ(value.first, static_cast<DWORD>(REG_DWORD)) << name;
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(values.at("tamaxparticulas").second, 0x3D4CCCCDu);
    EXPECT_EQ(values.at("tamayparticulas").second, 0x3D8F5C29u);
    EXPECT_EQ(values.at("efecto").second, 2u);
    EXPECT_EQ(values.at("numeroparticulas").second, 200u);
}

TEST_F(RegistryStoreTest, FramesIsAddedOnlyByTheEndOfARun) {
    saveSettings();
    EXPECT_EQ(storedValues().count("frames"), 0u);
    settings.frames = 30.0f;
    saveFrames();
    const auto values = storedValues();
    EXPECT_EQ(values.size(), 13u);
    EXPECT_EQ(values.at("frames"), std::make_pair(static_cast<DWORD>(REG_DWORD), DWORD{0x41F00000}));
}

TEST_F(RegistryStoreTest, ValuesOfAnotherTypeOrSizeAreIgnored) {
    put("sombra", REG_SZ, "0", 2);
    put("efecto", REG_SZ, "abc", 4); // four bytes, but text
    const unsigned long long wide = 0x0000000100000007ull;
    put("numeroparticulas", REG_QWORD, &wide, sizeof wide);
    put("mascara", REG_BINARY, "\x01\x00\x00\x00\x00\x00\x00\x00", 8);
    put("sangrante", REG_DWORD, "\x00\x00", 2); // a DWORD cut short: not half-read
    putDword("efectoulmo", 3);
    loadSettings();
    Settings expected;
    expected.efectoulmo = 3;
    EXPECT_EQ(std::memcmp(&settings, &expected, sizeof settings), 0);
}

TEST_F(RegistryStoreTest, AFloatSurvivesSaveAndLoadBitForBit) {
    for (const float size : {0.05f, 0.033f, 0.1f, 0.0f, 1e-38f}) {
        settings.tamaxparticulas = size;
        saveSettings();
        settings.tamaxparticulas = 12345.0f;
        loadSettings();
        uint32_t loaded, original;
        std::memcpy(&loaded, &settings.tamaxparticulas, 4);
        std::memcpy(&original, &size, 4);
        EXPECT_EQ(loaded, original);
    }
}

} // namespace
