#include "saver_process.h"

#include <vector>

std::string saverExecutablePath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of("\\/"));
    // The tests live in tests/e2e under the build folder that holds norwyn.scr.
    folder.append("\\..\\..\\norwyn.scr");
    return folder;
}

namespace {

struct WindowSearch {
    HWND parent;
    HWND found;
};

BOOL CALLBACK matchSaverWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "OpenGL") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findSaverWindow(HWND parent) {
    WindowSearch search = {parent, nullptr};
    if (parent)
        EnumChildWindows(parent, matchSaverWindow, reinterpret_cast<LPARAM>(&search));
    else
        search.found = FindWindowA("OpenGL", nullptr);
    return search.found;
}

} // namespace

SaverProcess::SaverProcess(const std::string& arguments) {
    std::string commandLine = "\"";
    commandLine.append(saverExecutablePath()).append("\"");
    if (!arguments.empty())
        commandLine.append(" ").append(arguments);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
}

SaverProcess::~SaverProcess() {
    if (!process.hProcess)
        return;
    if (running()) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

std::optional<DWORD> SaverProcess::waitForExit(DWORD milliseconds) {
    if (!process.hProcess || WaitForSingleObject(process.hProcess, milliseconds) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

bool SaverProcess::running() {
    return process.hProcess && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
}

void pumpMessagesFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(20);
    } while (GetTickCount() - start < milliseconds);
}

std::optional<DWORD> waitForExitPumping(SaverProcess& process, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    std::optional<DWORD> code = process.waitForExit(0);
    while (!code && GetTickCount() - start < milliseconds) {
        pumpMessagesFor(100);
        code = process.waitForExit(0);
    }
    return code;
}

HWND waitForSaverWindow(DWORD milliseconds, HWND parent) {
    const DWORD start = GetTickCount();
    do {
        if (HWND window = findSaverWindow(parent))
            return window;
        pumpMessagesFor(50);
    } while (GetTickCount() - start < milliseconds);
    return nullptr;
}

bool frameOnScreen(HWND window, DWORD milliseconds) {
    constexpr int samples = 8; // a grid of points across the window
    const DWORD start = GetTickCount();
    do {
        RECT rect;
        if (!GetWindowRect(window, &rect))
            return false;
        const HDC screen = GetDC(nullptr);
        bool lit = false;
        for (int row = 1; row < samples && !lit; ++row)
            for (int column = 1; column < samples && !lit; ++column) {
                const COLORREF colour = GetPixel(screen, rect.left + (rect.right - rect.left) * column / samples,
                                                 rect.top + (rect.bottom - rect.top) * row / samples);
                lit = colour != CLR_INVALID && colour != RGB(0, 0, 0);
            }
        ReleaseDC(nullptr, screen);
        if (lit)
            return true;
        pumpMessagesFor(50);
    } while (GetTickCount() - start < milliseconds);
    return false;
}

bool loopGoesRound(HWND window, int rounds, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (int round = 0; round < rounds; ++round) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        const DWORD spent = GetTickCount() - start;
        if (spent >= milliseconds)
            return false;
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, milliseconds - spent, &answer))
            return false;
    }
    return true;
}

void pressKey(WORD virtualKey) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = virtualKey;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void moveMouseTo(int x, int y) {
    SetCursorPos(x, y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE; // a zero move that reports where the cursor now is
    SendInput(1, &input, sizeof input);
}

bool placeCursor(int x, int y, DWORD milliseconds) {
    // Wine answers GetCursorPos from its own record of a position set in the
    // last 100 ms, and from the X server's pointer after that.
    constexpr DWORD settled = 200;
    const DWORD start = GetTickCount();
    moveMouseTo(x, y);
    DWORD movedAt = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        if (cursor.x != x || cursor.y != y) {
            moveMouseTo(x, y);
            movedAt = GetTickCount();
        } else if (GetTickCount() - movedAt >= settled) {
            return true;
        }
        Sleep(20);
    }
    return false;
}

void click() {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}
