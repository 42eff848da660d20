#pragma once
// The three fixed catalogs that pair the ids kept in Settings with the
// Spanish captions the main dialog lists. Built once at start-up, never freed.

#include <cstdint>
#include <vector>

struct CatalogEntry {
    int32_t id = 0;
    char* caption = nullptr; // owning heap copy, NUL-terminated
};

struct Catalog {
    CatalogEntry* entries = nullptr;
    int32_t count = 0;
};

extern Catalog backgroundCatalog; // imagenfondo: ids 0, 2, 3, 4
extern Catalog effectCatalog;     // efecto: ids 0..6
extern Catalog movementCatalog;   // efectoulmo: ids 0..3

void makeCatalogEntry(CatalogEntry& entry, int32_t id, const char* caption);
void buildCatalogs();

// The ids a catalog offers, in catalog order. Taken from the fixed rows the
// catalogs are built from, so they are known before buildCatalogs runs: the
// options and the settings file are checked before it.
std::vector<int32_t> catalogIds(const Catalog& catalog);
bool catalogOffers(const Catalog& catalog, int32_t id);
