#pragma once
// The four configuration dialogs' procedures, and the ids of the controls
// they address. resources/dialogs.rc includes this header for the ids, so
// everything but the #defines stays out of the resource compiler's sight.

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

#ifndef RC_INVOKED

#include <windows.h>

INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK creditsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK effectsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK characterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
