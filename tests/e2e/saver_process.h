#pragma once
// The shipped norwyn.scr started as its own process, as Windows starts it,
// and the registry it leaves behind.

#include <windows.h>

#include <optional>
#include <string>

// Where the norwyn.scr under test lies.
std::string saverExecutablePath();

class SaverProcess {
public:
    explicit SaverProcess(const std::string& arguments);
    ~SaverProcess();

    // The exit code once the process has ended within the time, else nothing.
    std::optional<DWORD> waitForExit(DWORD milliseconds);
    bool running();

private:
    PROCESS_INFORMATION process = {};
};

// The saver's window once it has appeared, or null after the time.
HWND waitForSaverWindow(DWORD milliseconds, HWND parent = nullptr);
bool saverWindowAppears(SaverProcess& process);

void deleteSettingsKey();
void storeSetting(const char* name, DWORD value);
std::optional<DWORD> storedSetting(const char* name);
int storedValueCount();

// Input as the user gives it: the real keyboard and mouse queues.
void pressKey(WORD virtualKey);
void moveMouseTo(int x, int y);
void click();
