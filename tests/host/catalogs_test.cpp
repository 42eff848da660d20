#include "settings/catalogs.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Expected {
    int32_t id;
    std::string caption;
};

void expectCatalog(const Catalog& catalog, const std::vector<Expected>& expected) {
    ASSERT_EQ(catalog.count, static_cast<int32_t>(expected.size()));
    for (size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(catalog.entries[index].id, expected[index].id) << "entry " << index;
        EXPECT_EQ(std::string(catalog.entries[index].caption), expected[index].caption) << "entry " << index;
    }
}

TEST(Catalogs, HoldTheirIdsAndCaptionsInOrder) {
    buildCatalogs();
    expectCatalog(backgroundCatalog, {{0, "Espada del Tarvek realizada por Galdrune"},
                                      {2, "Dibujo del Barbaro realizado por Pelquin"},
                                      {3, "Logos varios"},
                                      {4, "El caballero del Caos realizado por Galdrune"}});
    expectCatalog(effectCatalog, {{0, "Fondo estatico"},
                                  {1, "Ondulacion estresada"},
                                  {2, "Ondulacion suave"},
                                  {3, "ondulacion de arriba a abajo"},
                                  {4, "La casa de los espejos (Parte 1)"},
                                  {5, "La casa de los espejos (Parte 2)"},
                                  {6, "Estiramientos sobre el fondo"}});
    expectCatalog(movementCatalog, {{0, "Sin movimiento"},
                                    {1, "De lado a lado sinuosamente"},
                                    {2, "Efecto hipnotico"},
                                    {3, "Efecto hipnotico con persecucion"}});
}

TEST(Catalogs, AreBuiltOnceAndKeepTheirEntries) {
    buildCatalogs();
    const CatalogEntry* first = effectCatalog.entries;
    buildCatalogs();
    EXPECT_EQ(effectCatalog.entries, first);
    EXPECT_EQ(effectCatalog.count, 7);
}

TEST(Catalogs, OfferTheIdsOfTheirEntries) {
    buildCatalogs();
    for (const Catalog* catalog : {&backgroundCatalog, &effectCatalog, &movementCatalog}) {
        std::vector<int32_t> built;
        for (int32_t index = 0; index < catalog->count; ++index)
            built.push_back(catalog->entries[index].id);
        EXPECT_EQ(catalogIds(*catalog), built);
    }
    const struct {
        const Catalog& catalog;
        int32_t id;
        bool offered;
    } cases[] = {
        {backgroundCatalog, 0, true},  {backgroundCatalog, 1, false}, {backgroundCatalog, 4, true},
        {backgroundCatalog, 5, false}, {effectCatalog, -1, false},    {effectCatalog, 6, true},
        {effectCatalog, 7, false},     {movementCatalog, 3, true},    {movementCatalog, 4, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(catalogOffers(c.catalog, c.id), c.offered) << c.id;
    EXPECT_FALSE(catalogOffers(Catalog{}, 0)) << "a catalog of no rows offers nothing";
}

TEST(CatalogEntry, OwnsACopyOfItsCaption) {
    char text[] = "Logos varios";
    CatalogEntry entry;
    makeCatalogEntry(entry, 3, text);
    text[0] = 'X';
    EXPECT_EQ(entry.id, 3);
    EXPECT_STREQ(entry.caption, "Logos varios");
    delete[] entry.caption;
}

TEST(Settings, StartWithTheirDefaults) {
    const Settings defaults;
    EXPECT_EQ(defaults.mascara, 0);
    EXPECT_EQ(defaults.sombra, 1);
    EXPECT_EQ(defaults.efecto, 2);
    EXPECT_EQ(defaults.efectoulmo, 0);
    EXPECT_EQ(defaults.imagenfondo, 0);
    EXPECT_EQ(defaults.numeroparticulas, 200);
    EXPECT_EQ(defaults.tamaxparticulas, 0.05f);
    EXPECT_EQ(defaults.tamayparticulas, 0.07f);
    EXPECT_EQ(defaults.rojosombra, 255);
    EXPECT_EQ(defaults.verdesombra, 255);
    EXPECT_EQ(defaults.azulsombra, 255);
    EXPECT_EQ(defaults.sangrante, 1);
    EXPECT_EQ(defaults.frames, 0.0f);
    EXPECT_EQ(defaults.saveToRegistry, 1);
    static_assert(sizeof(Settings) == 14 * 4, "every field is 32 bits wide");
}

} // namespace
