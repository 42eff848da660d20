#include "settings/catalogs.h"

#include "settings/scene_limits.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <span>

Catalog backgroundCatalog;
Catalog effectCatalog;
Catalog movementCatalog;

namespace {

struct CatalogRow {
    int32_t id;
    const char* caption;
};

// The captions are compared byte for byte by the main dialog, so they stay
// exactly as written here, lower-case "ondulacion" of effect 3 included.
constexpr CatalogRow backgroundRows[] = {
    {0, "Espada del Tarvek realizada por Galdrune"},
    {2, "Dibujo del Barbaro realizado por Pelquin"},
    {3, "Logos varios"},
    {4, "El caballero del Caos realizado por Galdrune"},
};

constexpr CatalogRow effectRows[] = {
    {0, "Fondo estatico"},
    {1, "Ondulacion estresada"},
    {2, "Ondulacion suave"},
    {3, "ondulacion de arriba a abajo"},
    {4, "La casa de los espejos (Parte 1)"},
    {5, "La casa de los espejos (Parte 2)"},
    {6, "Estiramientos sobre el fondo"},
};

constexpr CatalogRow movementRows[] = {
    {0, "Sin movimiento"},
    {1, "De lado a lado sinuosamente"},
    {2, "Efecto hipnotico"},
    {3, "Efecto hipnotico con persecucion"},
};

// The dialog lists every effect and every movement the scene can draw.
static_assert(std::size(effectRows) == effectCount);
static_assert(std::size(movementRows) == movementCount);

template <int32_t N>
void buildCatalog(Catalog& catalog, const CatalogRow (&rows)[N]) {
    if (catalog.entries) // built once; the entries live until the process ends
        return;
    catalog.count = N;
    catalog.entries = new CatalogEntry[N];
    for (int32_t index = 0; index < N; ++index)
        makeCatalogEntry(catalog.entries[index], rows[index].id, rows[index].caption);
}

// The rows each catalog is built from.
std::span<const CatalogRow> rowsOf(const Catalog& catalog) {
    if (&catalog == &backgroundCatalog)
        return backgroundRows;
    if (&catalog == &effectCatalog)
        return effectRows;
    if (&catalog == &movementCatalog)
        return movementRows;
    return {};
}

} // namespace

void makeCatalogEntry(CatalogEntry& entry, int32_t id, const char* caption) {
    entry.id = id;
    const size_t size = std::strlen(caption) + 1;
    entry.caption = new char[size];
    std::memcpy(entry.caption, caption, size);
}

void buildCatalogs() {
    buildCatalog(backgroundCatalog, backgroundRows);
    buildCatalog(effectCatalog, effectRows);
    buildCatalog(movementCatalog, movementRows);
}

std::vector<int32_t> catalogIds(const Catalog& catalog) {
    std::vector<int32_t> ids;
    for (const CatalogRow& row : rowsOf(catalog))
        ids.push_back(row.id);
    return ids;
}

bool catalogOffers(const Catalog& catalog, int32_t id) {
    const std::span<const CatalogRow> rows = rowsOf(catalog);
    return std::any_of(rows.begin(), rows.end(), [id](const CatalogRow& row) { return row.id == id; });
}
