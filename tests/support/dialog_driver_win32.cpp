#include "dialog_driver_win32.h"

#include "off_screen_win32.h"

#include <cstring>

std::string textOf(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void click(HWND dialog, int button) {
    SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}

std::vector<HWND> controlsOf(HWND dialog) {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        controls.push_back(child);
    return controls;
}

std::vector<HWND> pictureControls(HWND dialog) {
    std::vector<HWND> pictures;
    for (HWND control : controlsOf(dialog))
        if ((GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
            pictures.push_back(control);
    return pictures;
}

Dialog::Dialog(int templateId, DLGPROC procedure) : procedure_(procedure) {
    window_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), nullptr, procedure, 0);
    if (window_) {
        moveOffScreen(window_);
        ShowWindow(window_, SW_SHOWNOACTIVATE);
    }
}

Dialog::~Dialog() {
    if (window_)
        DestroyWindow(window_);
}

INT_PTR Dialog::press(int id, WORD notification) const {
    return procedure_(window_, WM_COMMAND, MAKEWPARAM(id, notification),
                      reinterpret_cast<LPARAM>(GetDlgItem(window_, id)));
}

bool Dialog::isOpen() const {
    return IsWindowVisible(window_) != FALSE;
}

std::string Dialog::text(int id) const {
    return textOf(window_, id);
}

void Dialog::setText(int id, const std::string& text) const {
    SetDlgItemTextA(window_, id, text.c_str());
}

void Dialog::type(int id, const std::string& characters) const {
    setText(id, "");
    for (char character : characters)
        SendDlgItemMessageA(window_, id, WM_CHAR, static_cast<unsigned char>(character), 1);
}

unsigned Dialog::limit(int id) const {
    return static_cast<unsigned>(SendDlgItemMessageA(window_, id, EM_GETLIMITTEXT, 0, 0));
}

bool Dialog::ticked(int id) const {
    return IsDlgButtonChecked(window_, id) == BST_CHECKED;
}

void Dialog::tick(int id, bool on) const {
    CheckDlgButton(window_, id, on ? BST_CHECKED : BST_UNCHECKED);
}

bool Dialog::enabled(int id) const {
    return IsWindowEnabled(GetDlgItem(window_, id)) != FALSE;
}

void Dialog::choose(int combo, int index) const {
    SendDlgItemMessageA(window_, combo, CB_SETCURSEL, index, 0);
}

std::vector<std::string> Dialog::listed(int combo) const {
    std::vector<std::string> items;
    const LRESULT count = SendDlgItemMessageA(window_, combo, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        char item[256] = {};
        SendDlgItemMessageA(window_, combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item));
        items.push_back(item);
    }
    return items;
}

namespace {

struct ModalScript {
    HWND owner = nullptr;
    std::function<void(HWND)> script;
    ModalRun* run = nullptr;
    int ticks = 0;
    int scriptTick = 0;
};

ModalScript* currentScript = nullptr;

constexpr UINT tickTime = 20;   // milliseconds
constexpr int giveUpTicks = 50; // a second of ticks

struct DialogSearch {
    HWND owner;
    bool anyOwner;
    HWND found;
};

BOOL CALLBACK findShownDialog(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<DialogSearch*>(lParam);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window) || window == search.owner)
        return TRUE;
    if (!search.anyOwner && GetWindow(window, GW_OWNER) != search.owner)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND shownDialog(HWND owner, bool anyOwner) {
    DialogSearch search = {owner, anyOwner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), findShownDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Fires inside the modal loop: runs the script once on the dialog when it is up.
void CALLBACK onModalTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalScript& current = *currentScript;
    ModalRun& run = *current.run;
    ++current.ticks;
    if (run.dialog) {
        if (current.ticks - current.scriptTick == giveUpTicks && IsWindow(run.dialog)) {
            run.leftOpen = true;
            EndDialog(run.dialog, -1);
        }
        return;
    }
    if (const HWND found = shownDialog(current.owner, false)) {
        run.dialog = found;
        run.ownerDisabled = current.owner && !IsWindowEnabled(current.owner);
        current.scriptTick = current.ticks;
        current.script(found);
        return;
    }
    if (current.ticks >= giveUpTicks)
        if (const HWND stray = shownDialog(current.owner, true)) {
            run.strayDialog = true;
            EndDialog(stray, -1);
        }
}

// Moves every dialog outside the screen once its procedure has initialised
// it, before the modal loop shows it.
LRESULT CALLBACK afterInitDialog(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG)
        moveOffScreen(call->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

INT_PTR whileModal(HWND owner, const std::function<INT_PTR()>& open, const std::function<void(HWND)>& script,
                   ModalRun& run) {
    ModalScript current{owner, script, &run};
    currentScript = &current;
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, afterInitDialog, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, tickTime, onModalTimer);
    const INT_PTR result = open();
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    currentScript = nullptr;
    return result;
}

INT_PTR runModal(int templateId, DLGPROC procedure, const std::function<void(HWND)>& script, ModalRun& run) {
    return whileModal(
        nullptr,
        [&] { return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), nullptr, procedure, 0); },
        script, run);
}
