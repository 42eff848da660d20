#pragma once
// A setting as a control of a settings panel shows it and takes it, by the
// rules the Windows dialogs apply to their fields: a check box is 0 or 1, a
// list offers its catalog's ids, a number field clamps as its dialog field
// does, a drop size is entered in thousandths.

#include "settings/setting_fields.h"

#include <cstdint>

// The bits the setting takes from what its control holds; bits stay as they
// are for an id the catalog does not offer, and for "frames", which no
// control sets.
uint32_t bitsFromEntry(const SettingField& field, int64_t entry, uint32_t bits);
// What the control shows for the setting's bits.
int64_t entryFromBits(const SettingField& field, uint32_t bits);
