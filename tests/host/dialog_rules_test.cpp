#include "settings/catalogs.h"
#include "settings/dialog_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr uint32_t largestEntry = std::numeric_limits<uint32_t>::max();

// Every entry the effects dialog's three-digit fields can hold, and the
// largest an unsigned read can give.
TEST(DialogRulesColour, KeepsChannelsUpTo254AndClampsTheRestTo255) {
    for (uint32_t entered = 0; entered <= 999; ++entered)
        EXPECT_EQ(colourFromEntry(entered), entered < 255 ? static_cast<int32_t>(entered) : 255) << entered;
    EXPECT_EQ(colourFromEntry(largestEntry), 255);
}

// Every count up to 9999 is kept as entered; SetDlgItemText and the
// unsigned read let far larger ones reach the rule.
TEST(DialogRulesDropCount, KeepsEveryCountUpTo9999AndClampsAnyLargerOne) {
    for (uint32_t entered = 0; entered <= 9999; ++entered)
        EXPECT_EQ(dropCountFromEntry(entered), static_cast<int32_t>(entered)) << entered;
    for (uint32_t entered : {10000u, 10001u, 12345u, 99999u, 4000000000u, largestEntry})
        EXPECT_EQ(dropCountFromEntry(entered), 9999) << entered;
}

TEST(DialogRulesDropSize, IsTheSinglePrecisionProductOfTheEntryAndAThousandthUpTo99) {
    EXPECT_EQ(dropSizeFromEntry(0), 0.0f);
    EXPECT_EQ(dropSizeFromEntry(1), 0.001f);
    EXPECT_EQ(dropSizeFromEntry(33), 0.033f);
    // The Reset values come out as the defaults of the settings record.
    EXPECT_EQ(dropSizeFromEntry(50), 0.05f);
    EXPECT_EQ(dropSizeFromEntry(70), 0.07f);
    // 99 times 0.001f rounds to a float one step above the float nearest 0.099.
    EXPECT_EQ(dropSizeFromEntry(99), 0x1.958108p-4f);
    EXPECT_NE(dropSizeFromEntry(99), 0.099f);
}

TEST(DialogRulesDropSize, Is0Point1From100Up) {
    for (uint32_t entered : {100u, 101u, 500u, 999u, 1000u, largestEntry})
        EXPECT_EQ(dropSizeFromEntry(entered), 0.1f) << entered;
}

// Every entry the character dialog's three-digit size fields can hold from 100 up.
TEST(DialogRulesDropSize, IsTheSame0Point1ForEveryEntryFrom100To999) {
    for (uint32_t entered = 100; entered <= 999; ++entered)
        EXPECT_EQ(dropSizeFromEntry(entered), 0.1f) << entered;
}

TEST(DialogRulesDropSizeEntry, TruncatesTheSizeInThousandths) {
    EXPECT_EQ(dropSizeEntry(0.0f), 0u);
    EXPECT_EQ(dropSizeEntry(0.05f), 50u);
    EXPECT_EQ(dropSizeEntry(0.07f), 70u);
    EXPECT_EQ(dropSizeEntry(0.1f), 100u);
    EXPECT_EQ(dropSizeEntry(0.0999f), 99u);
    EXPECT_EQ(dropSizeEntry(2.5f), 2500u);
}

TEST(DialogRulesDropSizeEntry, ShowsSizesNoFieldCanHoldAsTheNearestItCan) {
    EXPECT_EQ(dropSizeEntry(-0.05f), 0u);
    EXPECT_EQ(dropSizeEntry(-std::numeric_limits<float>::infinity()), 0u);
    EXPECT_EQ(dropSizeEntry(std::numeric_limits<float>::quiet_NaN()), 0u);
    EXPECT_EQ(dropSizeEntry(1.0e10f), largestEntry);
    EXPECT_EQ(dropSizeEntry(std::numeric_limits<float>::infinity()), largestEntry);
}

// What the character dialog shows after storing n: the single-precision
// thousandths of 33 and 66 fall just below the integer and truncate down.
TEST(DialogRulesDropSizeEntry, RoundTripsEveryEntryButThirtyThreeAndSixtySix) {
    for (uint32_t entered = 0; entered <= 100; ++entered) {
        uint32_t expected = entered;
        if (entered == 33)
            expected = 32;
        if (entered == 66)
            expected = 65;
        EXPECT_EQ(dropSizeEntry(dropSizeFromEntry(entered)), expected) << entered;
    }
}

class DialogRulesCaption : public testing::Test {
protected:
    static void SetUpTestSuite() { buildCatalogs(); }
};

TEST_F(DialogRulesCaption, MapsEveryCaptionToItsOwnId) {
    for (const Catalog* catalog : {&backgroundCatalog, &effectCatalog, &movementCatalog})
        for (int32_t index = 0; index < catalog->count; ++index) {
            const CatalogEntry& entry = catalog->entries[index];
            EXPECT_EQ(catalogIdForCaption(*catalog, entry.caption, -5), entry.id) << entry.caption;
        }
    EXPECT_EQ(catalogIdForCaption(backgroundCatalog, "Dibujo del Barbaro realizado por Pelquin", 0), 2);
    EXPECT_EQ(catalogIdForCaption(effectCatalog, "ondulacion de arriba a abajo", 0), 3);
}

TEST_F(DialogRulesCaption, ComparesCaseSensitively) {
    EXPECT_EQ(catalogIdForCaption(effectCatalog, "fondo estatico", 2), 2);
    EXPECT_EQ(catalogIdForCaption(effectCatalog, "Fondo estatico", 2), 0);
    EXPECT_EQ(catalogIdForCaption(effectCatalog, "Ondulacion de arriba a abajo", 5), 5);
    EXPECT_EQ(catalogIdForCaption(movementCatalog, "SIN MOVIMIENTO", 3), 3);
}

TEST_F(DialogRulesCaption, KeepsTheCurrentIdForAnyOtherText) {
    EXPECT_EQ(catalogIdForCaption(effectCatalog, "", 4), 4);
    EXPECT_EQ(catalogIdForCaption(effectCatalog, "Fondo estatico ", 4), 4);
    EXPECT_EQ(catalogIdForCaption(effectCatalog, "Fondo", 4), 4);
    EXPECT_EQ(catalogIdForCaption(backgroundCatalog, "Logos", 2), 2);
    EXPECT_EQ(catalogIdForCaption(movementCatalog, "Efecto hipnotico con", 1), 1);
}

TEST_F(DialogRulesCaption, FindsTheCaptionOfAnIdOrNone) {
    const struct {
        const Catalog& catalog;
        int32_t id;
        const char* caption;
    } cases[] = {
        {backgroundCatalog, 0, "Espada del Tarvek realizada por Galdrune"},
        {backgroundCatalog, 1, ""},
        {backgroundCatalog, 4, "El caballero del Caos realizado por Galdrune"},
        {effectCatalog, 2, "Ondulacion suave"},
        {effectCatalog, 7, ""},
        {movementCatalog, 3, "Efecto hipnotico con persecucion"},
        {movementCatalog, -1, ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(catalogCaptionForId(c.catalog, c.id), c.caption) << c.id;
}

TEST_F(DialogRulesCaption, TakesTheLastOfSeveralEqualCaptions) {
    Catalog catalog;
    CatalogEntry entries[4];
    makeCatalogEntry(entries[0], 7, "Igual");
    makeCatalogEntry(entries[1], 8, "Otro");
    makeCatalogEntry(entries[2], 9, "Igual");
    makeCatalogEntry(entries[3], 10, "igual");
    catalog.entries = entries;
    catalog.count = 4;

    EXPECT_EQ(catalogIdForCaption(catalog, "Igual", 0), 9);
    EXPECT_EQ(catalogIdForCaption(catalog, "Otro", 0), 8);
    EXPECT_EQ(catalogIdForCaption(catalog, "igual", 0), 10);
    EXPECT_EQ(catalogIdForCaption(catalog, "IGUAL", 0), 0);

    for (CatalogEntry& entry : entries)
        delete[] entry.caption;
}

} // namespace
