#pragma once
// Dialogs driven through their controls, as a user would drive them: opened
// modeless from a template of this executable's resources, or run modal with
// a script that acts on them from inside their own message loop.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A dialog's control text, a click on one of its buttons.
std::string textOf(HWND dialog, int id);
void click(HWND dialog, int button);
// A dialog's controls in template order, and the pictures (SS_BITMAP) among them.
std::vector<HWND> controlsOf(HWND dialog);
std::vector<HWND> pictureControls(HWND dialog);

// A dialog opened modeless and shown outside the screen, so that a test can
// fill its fields and press its buttons and then look at what they did.
// EndDialog only hides such a dialog, which is how a test sees that a
// button closed it.
class Dialog {
public:
    Dialog(int templateId, DLGPROC procedure);
    ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    HWND window() const { return window_; }
    // The procedure's answer to the command of a pressed button.
    INT_PTR press(int id, WORD notification = BN_CLICKED) const;
    bool isOpen() const;

    std::string text(int id) const;
    void setText(int id, const std::string& text) const;
    // Types the characters one by one, as the keyboard would, after emptying
    // the field.
    void type(int id, const std::string& characters) const;
    unsigned limit(int id) const;
    bool ticked(int id) const;
    void tick(int id, bool on) const;
    bool enabled(int id) const;

    void choose(int combo, int index) const;
    std::vector<std::string> listed(int combo) const;

private:
    DLGPROC procedure_;
    HWND window_ = nullptr;
};

// What happened while a modal dialog ran: the dialog the script found, and
// whether its owner was disabled at the time.
struct ModalRun {
    HWND dialog = nullptr;
    bool ownerDisabled = false;
    bool leftOpen = false;    // the script did not close the dialog
    bool strayDialog = false; // a dialog came up, but not owned by the owner
};

// Calls open, which runs a modal dialog owned by owner, while script drives
// that dialog once it is up; returns open's result. A dialog the script left
// open, or one of another owner, is ended after a second, so that the test
// fails rather than hangs.
INT_PTR whileModal(HWND owner, const std::function<INT_PTR()>& open, const std::function<void(HWND)>& script,
                   ModalRun& run);
// The same for the dialog of this template run with no owner.
INT_PTR runModal(int templateId, DLGPROC procedure, const std::function<void(HWND)>& script, ModalRun& run);
