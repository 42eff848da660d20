#pragma once
// The four configuration dialogs' procedures.

#include <windows.h>

INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK creditsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK effectsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK characterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
