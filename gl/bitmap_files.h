#pragma once
// The file in resources/bitmaps that holds each bitmap resource.

#include "resources/resource_ids.h"

inline const char* bitmapFileName(int resourceId) {
    // clang-format off
    switch (resourceId) {
    case IDB_BARBARIAN_MASK: return "barbarian_mask.bmp";
    case IDB_BARBARIAN: return "barbarian.bmp";
    case IDB_SWORD: return "sword.bmp";
    case IDB_CREDITS_NORWYN: return "credits_norwyn.bmp";
    case IDB_CREDITS_GALDRUNE: return "credits_galdrune.bmp";
    case IDB_CREDITS_TITLE: return "credits_title.bmp";
    case IDB_CREDITS_PELQUIN: return "credits_pelquin.bmp";
    case IDB_LOGOS: return "logos.bmp";
    case IDB_KNIGHT: return "knight.bmp";
    case IDB_SIGNATURE: return "signature.bmp";
    case IDB_KNIGHT_MASK: return "knight_mask.bmp";
    case IDB_BLOOD_DROP: return "blood_drop.bmp";
    case IDB_CREDITS_HALVOREN: return "credits_halvoren.bmp";
    default: return nullptr;
    }
    // clang-format on
}
