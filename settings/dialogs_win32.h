#pragma once
// The four configuration dialogs' procedures. Their control ids are in
// resources/resource_ids.h, which the dialog templates share.

#include "resources/resource_ids.h"

#include <windows.h>

INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK creditsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK effectsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK characterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
