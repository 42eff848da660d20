// The screen-saver password belongs to the platform: MPR.DLL's dialog, where
// it exists. Current Windows and Wine have neither the export nor the need.

#include "shell/shell_win32.h"

void changeSaverPassword(HWND parent) {
    using PwdChangePassword = DWORD(WINAPI*)(LPCSTR provider, HWND parent, DWORD reserved1, LPVOID reserved2);
    HMODULE library = LoadLibraryA("MPR.DLL");
    if (!library)
        return;
    // GetProcAddress hands back a generic function pointer; going through void*
    // says so without the compiler's warning about the cast.
    const auto change =
        reinterpret_cast<PwdChangePassword>(reinterpret_cast<void*>(GetProcAddress(library, "PwdChangePasswordA")));
    if (change)
        change("SCRSAVE", parent, 0, nullptr);
    FreeLibrary(library);
}
