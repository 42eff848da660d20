#pragma once
// The shipped norwyn.scr started as its own process, as Windows starts it,
// and the input a user gives it. What it leaves in the registry is read with
// tests/support/registry_win32.h.

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

// Dispatches this thread's messages for the time. A preview area made by the
// test lives on this thread, and the saver's window in it needs them handled.
void pumpMessagesFor(DWORD milliseconds);
// The exit code once the process has ended within the time, with this
// thread's messages dispatched meanwhile; else nothing.
std::optional<DWORD> waitForExitPumping(SaverProcess& process, DWORD milliseconds);

// The saver's window once it has appeared, or null after the time.
HWND waitForSaverWindow(DWORD milliseconds, HWND parent = nullptr);

// Input as the user gives it: the real keyboard and mouse queues.
void pressKey(WORD virtualKey);
void moveMouseTo(int x, int y);
void click();
