#pragma once
// The settings record: every choice the user can make, plus the running
// average frame rate of the last full-screen run. The fields keep the names
// of their registry values; every field is 32 bits wide. Each stored field
// takes its default from its entry in the table of settings/setting_fields.h,
// which says everything else about it too.

#include <cstdint>

struct Settings;
constexpr int32_t settingDefault(int32_t Settings::*field);
constexpr float settingDefault(float Settings::*field);

struct Settings {
    int32_t mascara = settingDefault(&Settings::mascara);                   // draw the character through its mask
    int32_t sombra = settingDefault(&Settings::sombra);                     // shade the warped background
    int32_t efecto = settingDefault(&Settings::efecto);                     // background effect, an EffectCatalog id
    int32_t efectoulmo = settingDefault(&Settings::efectoulmo);             // character movement, a MovementCatalog id
    int32_t imagenfondo = settingDefault(&Settings::imagenfondo);           // background picture (= texture slot)
    int32_t numeroparticulas = settingDefault(&Settings::numeroparticulas); // wanted number of blood drops
    float tamaxparticulas = settingDefault(&Settings::tamaxparticulas);     // drop width, scene units
    float tamayparticulas = settingDefault(&Settings::tamayparticulas);     // drop height, scene units
    int32_t rojosombra = settingDefault(&Settings::rojosombra);             // shadow colour, 0..255 per channel
    int32_t verdesombra = settingDefault(&Settings::verdesombra);
    int32_t azulsombra = settingDefault(&Settings::azulsombra);
    int32_t sangrante = settingDefault(&Settings::sangrante); // blood drops on the character's head
    float frames = settingDefault(&Settings::frames);         // running average frame rate, stored after a Saver run
    int32_t saveToRegistry = 1;                               // the main dialog's save choice; never stored
};

// The one process-wide record, holding the defaults until loadSettings runs.
extern Settings settings;

// The table that holds the defaults, wherever a record is made.
#include "settings/setting_fields.h"
