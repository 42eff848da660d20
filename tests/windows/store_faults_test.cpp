// A settings store that cannot be opened, read or written, in process under
// Wine: the product's registry store behind a probe that makes it fail. A
// store's failure is never reported; it leaves the settings and the stored
// values whole, and keeps neither a dialog nor a run from ending.

#include "resources/resource_ids.h"
#include "settings/catalogs.h"
#include "settings/dialogs_win32.h"
#include "settings/registry_store_win32.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "shell/run_mode.h"

#include "cursor_win32.h"
#include "dialog_driver_win32.h"
#include "error_boxes_win32.h"
#include "registry_win32.h"
#include "saver_window_test_win32.h"
#include "settings_checks_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <bit>

namespace {

// A user's earlier settings, all different from the defaults.
void storeEarlierSettings() {
    storeDword("mascara", 1);
    storeDword("sombra", 0);
    storeDword("efecto", 5);
    storeDword("efectoulmo", 3);
    storeDword("imagenfondo", 4);
    storeDword("numeroparticulas", 9999);
    storeDword("tamaxparticulas", std::bit_cast<DWORD>(0.033f));
    storeDword("tamayparticulas", std::bit_cast<DWORD>(0.1f));
    storeDword("rojosombra", 10);
    storeDword("verdesombra", 20);
    storeDword("azulsombra", 30);
    storeDword("sangrante", 0);
    storeDword("frames", std::bit_cast<DWORD>(12.5f));
}

// Settings that differ in every field from the earlier ones.
Settings changedSettings() {
    // clang-format off
    return {.mascara = 0, .sombra = 1, .efecto = 6, .efectoulmo = 2, .imagenfondo = 3, .numeroparticulas = 1234,
            .tamaxparticulas = 0.09f, .tamayparticulas = 0.02f, .rojosombra = 99, .verdesombra = 98,
            .azulsombra = 97, .sangrante = 1, .frames = 77.0f};
    // clang-format on
}

// The product's registry store behind a probe that counts what the settings
// code asks of it and can make it fail: refuse to read or to write at all,
// find nothing while leaving scribbles behind, or give out part way through a write.
struct StoreProbe {
    int reads = 0;
    int writes = 0;
    int valuesOffered = 0;
    int valuesWritten = 0;
    bool refuseReads = false;
    bool scribbleReads = false;
    bool refuseWrites = false;
    int valuesBeforeFailing = -1; // -1: writes never give out on their own
};

StoreProbe probe;
const SettingsStore registry = registrySettingsStore();

bool probedRead(StoredValue* values, int count) {
    ++probe.reads;
    if (probe.scribbleReads) {
        for (int index = 0; index < count; ++index) {
            values[index].bits = 0xA5A5A5A5;
            values[index].found = false;
        }
        return true;
    }
    return !probe.refuseReads && registry.read(values, count);
}

bool probedWrite(const StoredValue* values, int count) {
    ++probe.writes;
    probe.valuesOffered += count;
    if (probe.refuseWrites)
        return false;
    int allowed = count;
    if (probe.valuesBeforeFailing >= 0)
        allowed = std::clamp(probe.valuesBeforeFailing - probe.valuesWritten, 0, count);
    if (allowed > 0)
        registry.write(values, allowed);
    probe.valuesWritten += allowed;
    return allowed == count;
}

// Puts the probe in as the store, with an empty registry behind it.
void useProbedStore() {
    deleteSettingsKey();
    probe = StoreProbe{};
    settingsStore = {probedRead, probedWrite};
}

void useRegistryStore() {
    settingsStore = registry;
    deleteSettingsKey();
}

class FailingStore : public testing::Test {
protected:
    void SetUp() override {
        startCapturingErrorBoxes();
        useProbedStore();
    }
    void TearDown() override {
        useRegistryStore();
        EXPECT_EQ(takeErrorBoxes(), ErrorBoxes{}) << "a store's failure is never reported";
    }
};

TEST_F(FailingStore, AStoreThatCannotBeOpenedLeavesTheDefaultsAndTheStoredValues) {
    storeEarlierSettings();
    const RegistryValues earlier = storedValues();
    ASSERT_EQ(earlier.size(), 13u);
    probe.refuseReads = probe.refuseWrites = true;

    loadSettings();
    EXPECT_TRUE(sameSettings(settings, Settings{}));

    settings = changedSettings();
    EXPECT_FALSE(saveSettings());
    EXPECT_FALSE(saveFrames());
    EXPECT_EQ(probe.reads + probe.writes, 3);
    EXPECT_EQ(storedValues(), earlier);

    // What loads afterwards is still the earlier settings, whole.
    settings = Settings{};
    probe.refuseReads = false;
    loadSettings();
    EXPECT_EQ(settings.efecto, 5);
    EXPECT_EQ(settings.numeroparticulas, 9999);
    EXPECT_EQ(settings.frames, 12.5f);
}

TEST_F(FailingStore, AKeyThatCannotBeCreatedIsNotCreated) {
    probe.refuseWrites = true;
    settings = changedSettings();
    saveSettings();
    saveFrames();
    EXPECT_FALSE(settingsKeyExists());
}

TEST_F(FailingStore, ReadsThatFindNothingLeaveTheRecordEvenWhenTheyScribble) {
    storeEarlierSettings();
    probe.scribbleReads = true;
    loadSettings();
    EXPECT_TRUE(sameSettings(settings, Settings{}));
    settings = changedSettings();
    loadSettings();
    EXPECT_TRUE(sameSettings(settings, changedSettings()));
    EXPECT_EQ(probe.reads, 2);
}

// A store that gives out part way through a save: each value is either the
// earlier one or the new one whole, never a torn or retyped one, and "frames"
// is never among them.
TEST_F(FailingStore, AStoreThatGivesOutPartWayLeavesEachValueWhole) {
    const char* names[12] = {"mascara",     "sombra",           "efecto",          "efectoulmo",
                             "imagenfondo", "numeroparticulas", "tamaxparticulas", "tamayparticulas",
                             "rojosombra",  "verdesombra",      "azulsombra",      "sangrante"};
    for (int working = 0; working <= 12; ++working) {
        SCOPED_TRACE(working);
        useProbedStore();
        storeEarlierSettings();
        const RegistryValues earlier = storedValues();
        probe.valuesBeforeFailing = working;
        settings = changedSettings();
        EXPECT_EQ(saveSettings(), working == 12);
        const RegistryValues now = storedValues();
        ASSERT_EQ(now.size(), 13u);
        EXPECT_EQ(now.at("frames"), earlier.at("frames"));
        for (int index = 0; index < 12; ++index) {
            const RegistryValue& value = now.at(names[index]);
            EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD)) << names[index];
            if (index < working) {
                EXPECT_NE(value, earlier.at(names[index])) << names[index] << " was written";
            } else {
                EXPECT_EQ(value, earlier.at(names[index])) << names[index] << " was left";
            }
        }
    }
}

// The main dialog's OK saves when "Registro del sisema" is chosen, as it is
// by default; a store that refuses must not keep the dialog from closing.
TEST_F(FailingStore, TheMainDialogsOkOverARefusingStoreClosesQuietly) {
    buildCatalogs();
    storeEarlierSettings();
    const RegistryValues earlier = storedValues();
    probe.refuseWrites = true;
    settings = changedSettings();
    const int cursors = cursorDisplayCount();
    {
        Dialog config(IDD_CONFIG, configDialogProc);
        ASSERT_NE(config.window(), nullptr);
        EXPECT_EQ(config.press(IDOK), TRUE);
        EXPECT_FALSE(config.isOpen()) << "OK ended the dialog";
    }
    EXPECT_EQ(probe.valuesOffered, 12);
    EXPECT_EQ(storedValues(), earlier);
    EXPECT_EQ(cursorDisplayCount(), cursors);
}

// The end of a full-screen run stores the run's average frame rate.
class SaverEnd : public SaverWindowTest {
protected:
    void SetUp() override {
        SaverWindowTest::SetUp();
        useProbedStore();
    }
    void TearDown() override {
        useRegistryStore();
        SaverWindowTest::TearDown();
    }
};

TEST_F(SaverEnd, AWorkingStoreKeepsTheRunsAverage) {
    storeEarlierSettings();
    loadSettings();
    ASSERT_EQ(settings.frames, 12.5f);
    EXPECT_EQ(runUntilAKey(), 0);
    EXPECT_NE(settings.frames, 12.5f) << "frames were drawn";
    EXPECT_EQ(storedValues().at("frames"), dwordValue(std::bit_cast<DWORD>(settings.frames)));
}

TEST_F(SaverEnd, AStoreThatRefusesEndsTheRunCleanlyAndQuietlyAndTheNextRunStores) {
    storeEarlierSettings();
    const RegistryValues earlier = storedValues();
    loadSettings();
    probe.refuseWrites = true;
    EXPECT_EQ(runUntilAKey(), 0);
    EXPECT_NE(settings.frames, 12.5f) << "frames were drawn";
    EXPECT_EQ(probe.writes, 1) << "the end of the run tried to store the average";
    EXPECT_EQ(storedValues(), earlier);

    probe.refuseWrites = false;
    EXPECT_EQ(runUntilAKey(), 0);
    EXPECT_EQ(storedValues().at("frames").data.size(), 4u);
    EXPECT_NE(storedValues().at("frames"), earlier.at("frames"));
}

} // namespace
