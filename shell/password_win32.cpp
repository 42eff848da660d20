// The screen-saver password belongs to the platform: MPR.DLL's dialog, where
// it exists. Current Windows and Wine have neither the export nor the need.

#include "shell/shell_win32.h"

void changeSaverPassword(HWND parent) {
    using PwdChangePassword = DWORD(WINAPI*)(LPCSTR provider, HWND parent, DWORD reserved1, LPVOID reserved2);
    HMODULE library = LoadLibraryA("MPR.DLL");
    if (!library)
        return;
    const auto change = reinterpret_cast<PwdChangePassword>(GetProcAddress(library, "PwdChangePasswordA"));
    if (change)
        change("SCRSAVE", parent, 0, nullptr);
    FreeLibrary(library);
}
