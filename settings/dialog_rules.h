#pragma once
// What the configuration dialogs make of what the user enters: the clamps of
// the number fields and the mapping of a combo box's text to a catalog id.

#include "settings/catalogs.h"

#include <cstdint>

constexpr int32_t brightestChannel = 255;      // a shadow colour channel's most
constexpr uint32_t largestDropSizeEntry = 100; // a drop size's most, in thousandths
constexpr float largestDropSize = 0.1f;        // the same in scene units

// A shadow colour channel: 255 or more is 255.
int32_t colourFromEntry(uint32_t entered);
// The number of drops: 9999 or more is 9999; zero is accepted.
int32_t dropCountFromEntry(uint32_t entered);
// A drop size entered in thousandths: 100 or more is the float 0.1, anything
// smaller n times the float 0.001, rounded to single precision.
float dropSizeFromEntry(uint32_t entered);
// A stored drop size shown in thousandths: formed in double and truncated.
// A size that no unsigned field can show (negative, not a number, huge) is
// shown as the nearest that can.
uint32_t dropSizeEntry(float size);

// The id of the last catalog entry whose caption equals text byte for byte,
// or current when none does.
int32_t catalogIdForCaption(const Catalog& catalog, const char* text, int32_t current);
// The caption of the first entry of this id, or an empty text when none has it.
const char* catalogCaptionForId(const Catalog& catalog, int32_t id);
