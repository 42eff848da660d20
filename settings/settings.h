#pragma once
// The settings record: every choice the user can make, plus the running
// average frame rate of the last full-screen run. The fields keep the names
// of their registry values; every field is 32 bits wide.

#include <cstdint>

struct Settings {
    int32_t mascara = 0;            // draw the character through its mask
    int32_t sombra = 1;             // shade the warped background
    int32_t efecto = 2;             // background effect, an EffectCatalog id
    int32_t efectoulmo = 0;         // character movement, a MovementCatalog id
    int32_t imagenfondo = 0;        // background picture, a BackgroundCatalog id (= texture slot)
    int32_t numeroparticulas = 200; // wanted number of blood drops
    float tamaxparticulas = 0.05f;  // drop width, scene units
    float tamayparticulas = 0.07f;  // drop height, scene units
    int32_t rojosombra = 255;       // shadow colour, 0..255 per channel
    int32_t verdesombra = 255;
    int32_t azulsombra = 255;
    int32_t sangrante = 1;      // blood drops on the character's head
    float frames = 0.0f;        // running average frame rate, stored after a Saver run
    int32_t saveToRegistry = 1; // the main dialog's save choice; never stored
};

// The one process-wide record, holding the defaults until loadSettings runs.
extern Settings settings;
