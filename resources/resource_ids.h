#pragma once
// Resource ids, shared by norwyn.rc and the code.

// Texture pictures
#define IDB_BARBARIAN_MASK 103
#define IDB_BARBARIAN 106
#define IDB_SWORD 107
#define IDB_LOGOS 117
#define IDB_KNIGHT 118
#define IDB_KNIGHT_MASK 121
#define IDB_BLOOD_DROP 123

// Credits pictures
#define IDB_CREDITS_NORWYN 110
#define IDB_CREDITS_GALDRUNE 112
#define IDB_CREDITS_TITLE 113
#define IDB_CREDITS_PELQUIN 116
#define IDB_SIGNATURE 119
#define IDB_CREDITS_HALVOREN 127

// Icon
#define IDI_NORWYN 122

// Dialogs
#define IDD_CONFIG 108
#define IDD_CREDITS 109
#define IDD_EFFECTS 124
#define IDD_CHARACTER 125
