#pragma once
// Every picture the program carries: its bitmap resource, the file in
// resources/bitmaps it is made from, and the texture slot it fills. The
// credits pictures fill none: only the credits dialog shows them. norwyn.rc
// names the same files for windres, and the Linux build embeds the files of
// the texture slots, read from this table.

#include "resources/resource_ids.h"

struct Picture {
    int resourceId;
    const char* file;
    int slot; // -1: not a texture
};

// clang-format off
constexpr Picture pictures[] = {
    {IDB_SWORD,            "sword.bmp",            0},
    {IDB_BARBARIAN_MASK,   "barbarian_mask.bmp",   1},
    {IDB_BARBARIAN,        "barbarian.bmp",        2},
    {IDB_LOGOS,            "logos.bmp",            3},
    {IDB_KNIGHT,           "knight.bmp",           4},
    {IDB_KNIGHT_MASK,      "knight_mask.bmp",      5},
    {IDB_BLOOD_DROP,       "blood_drop.bmp",       6},
    {IDB_CREDITS_NORWYN,   "credits_norwyn.bmp",   -1},
    {IDB_CREDITS_HALVOREN, "credits_halvoren.bmp", -1},
    {IDB_CREDITS_GALDRUNE, "credits_galdrune.bmp", -1},
    {IDB_CREDITS_PELQUIN,  "credits_pelquin.bmp",  -1},
    {IDB_CREDITS_TITLE,    "credits_title.bmp",    -1},
    {IDB_SIGNATURE,        "signature.bmp",        -1},
};
// clang-format on

// The file of a bitmap resource; null for an id the program has no picture of.
constexpr const char* bitmapFileName(int resourceId) {
    for (const Picture& picture : pictures)
        if (picture.resourceId == resourceId)
            return picture.file;
    return nullptr;
}

// The bitmap resource shown in a texture slot; 0 for a slot no picture fills.
constexpr int textureResourceId(int slot) {
    for (const Picture& picture : pictures)
        if (picture.slot == slot)
            return picture.resourceId;
    return 0;
}
