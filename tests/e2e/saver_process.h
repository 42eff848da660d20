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

// True once the thread of the saver's window has come for its messages that
// many times, one after the other, within the time; false if it stopped
// taking them first (its loop ended, its window went). Input given before
// the first round has been dispatched by the second. These are not frames:
// the thread takes sent messages while it opens its window too. This
// thread's own messages are dispatched meanwhile.
bool loopGoesRound(HWND window, int rounds, DWORD milliseconds);

// True once the screen under the window shows anything but black within the
// time: the saver has drawn a frame and swapped it there. The screen is
// black under the full-screen window until then.
bool frameOnScreen(HWND window, DWORD milliseconds);

// Input as the user gives it: the real keyboard and mouse queues.
void pressKey(WORD virtualKey);
void moveMouseTo(int x, int y);
// Moves the mouse there and waits until the system reports the cursor there
// from the X server's pointer, moving it again while it does not; false if
// it never stayed within the time. A move asked of Wine can be lost, in a
// process that has only just started on a loaded machine, say, and a
// cursor left elsewhere would move the start of a run or the moves in it.
bool placeCursor(int x, int y, DWORD milliseconds);
void click();
