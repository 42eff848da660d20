#include "dialog_test_win32.h"

#include "cursor_win32.h"
#include "registry_win32.h"

#include "settings/catalogs.h"
#include "settings/registry_store_win32.h"
#include "settings/settings_store.h"

void DialogTest::SetUpTestSuite() {
    buildCatalogs();
}

void DialogTest::SetUp() {
    settingsStore = registrySettingsStore();
    deleteSettingsKey();
    cursorsAtStart_ = cursorDisplayCount();
}

void DialogTest::TearDown() {
    restoreCursorDisplayCount(cursorsAtStart_);
    deleteSettingsKey();
}
