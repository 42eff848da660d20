#pragma once
// The three fixed catalogs that pair the ids kept in Settings with the
// Spanish captions the main dialog lists. Built once at start-up, never freed.

#include <cstdint>

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
