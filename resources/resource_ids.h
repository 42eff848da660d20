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

// Strings: the saver's description, at the id the display settings read
#define IDS_DESCRIPTION 1

// Dialogs
#define IDD_CONFIG 108
#define IDD_CREDITS 109
#define IDD_EFFECTS 124
#define IDD_CHARACTER 125

// Controls the dialog procedures address, by dialog
// ConfigDialog (IDD_CONFIG)
#define IDC_CREDITS 1000
#define IDC_EFFECT 1001
#define IDC_BACKGROUND 1004
#define IDC_MOVEMENT 1005
#define IDC_FRAMES 1008
#define IDC_CONFIGURE_EFFECT 1009
#define IDC_CONFIGURE_CHARACTER 1010
#define IDC_SAVE_REGISTRY 1012
#define IDC_SAVE_FILE 1013 // always disabled, never selected
#define IDC_SAVE_NOTHING 1014
#define IDC_DEFAULTS 1015

// EffectsDialog (IDD_EFFECTS)
#define IDC_SHADOW 1002
#define IDC_SHADOW_RED 1011
#define IDC_SHADOW_GREEN 1012
#define IDC_SHADOW_BLUE 1013
#define IDC_EFFECTS_RESET 1019

// CharacterDialog (IDD_CHARACTER)
#define IDC_MASK 1003
#define IDC_DROP_COUNT 1016
#define IDC_DROP_WIDTH 1017
#define IDC_DROP_HEIGHT 1018
#define IDC_CHARACTER_RESET 1019
#define IDC_BLEEDING 1020
