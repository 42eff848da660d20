// The configuration dialogs: the main one, which picks the background effect,
// the picture and the character's movement and decides whether to save, and
// the three it opens (credits, shadow colour, blood drops).
//
// The main dialog stores only on OK; each sub-dialog writes its own fields
// into the settings on its own OK, and they reach the store with the main
// dialog's OK when "Registro del sisema" is selected. Everything is ANSI, as
// the catalog captions are.

#include "settings/dialogs_win32.h"

#include "gl/gl_window_win32.h"
#include "resources/resource_ids.h"
#include "settings/catalogs.h"
#include "settings/dialog_rules.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

#include <cstdio>

namespace {

constexpr int textBufferSize = 256; // a combo box's text or the frame rate, NUL included

constexpr WPARAM shadowChannelDigits = 3;
constexpr WPARAM dropCountDigits = 4;
constexpr WPARAM dropSizeDigits = 3;

// What the Reset buttons and "Valores por defecto" put into the fields.
constexpr Settings defaults;

int commandId(WPARAM wParam) {
    return LOWORD(wParam);
}

bool isTicked(HWND dialog, int control) {
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

// Appends every caption to the combo box in catalog order and shows the one
// whose id is current.
void fillCatalogCombo(HWND dialog, int combo, const Catalog& catalog, int32_t current) {
    for (int32_t index = 0; index < catalog.count; ++index) {
        const CatalogEntry& entry = catalog.entries[index];
        SendDlgItemMessageA(dialog, combo, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(entry.caption));
        if (current == entry.id)
            SetDlgItemTextA(dialog, combo, entry.caption);
    }
}

// The id whose caption the combo box shows, or current when the text is no
// caption at all (the user may type anything into a drop-down combo).
int32_t catalogIdOfCombo(HWND dialog, int combo, const Catalog& catalog, int32_t current) {
    char text[textBufferSize] = {};
    GetDlgItemTextA(dialog, combo, text, textBufferSize);
    return catalogIdForCaption(catalog, text, current);
}

// Reads an unsigned number field; false when it holds no number (empty, say).
bool readNumber(HWND dialog, int field, UINT* value) {
    BOOL translated = FALSE;
    *value = GetDlgItemInt(dialog, field, &translated, FALSE);
    return translated != FALSE;
}

void setNumber(HWND dialog, int field, UINT value) {
    SetDlgItemInt(dialog, field, value, FALSE);
}

void limitText(HWND dialog, int field, WPARAM characters) {
    SendDlgItemMessageA(dialog, field, EM_LIMITTEXT, characters, 0);
}

void openSubDialog(HWND owner, int templateId, DLGPROC procedure) {
    DialogBoxParamA(moduleHandle, MAKEINTRESOURCEA(templateId), owner, procedure, 0);
}

// ConfigDialog

void initConfigDialog(HWND dialog) {
    ShowCursor(TRUE);
    fillCatalogCombo(dialog, IDC_BACKGROUND, backgroundCatalog, settings.imagenfondo);
    fillCatalogCombo(dialog, IDC_EFFECT, effectCatalog, settings.efecto);
    fillCatalogCombo(dialog, IDC_MOVEMENT, movementCatalog, settings.efectoulmo);
    CheckRadioButton(dialog, IDC_SAVE_REGISTRY, IDC_SAVE_NOTHING,
                     settings.saveToRegistry ? IDC_SAVE_REGISTRY : IDC_SAVE_NOTHING);

    char frames[textBufferSize];
    std::snprintf(frames, sizeof frames, "%5.2f", static_cast<double>(settings.frames));
    SetDlgItemTextA(dialog, IDC_FRAMES, frames);
}

void applyConfigDialog(HWND dialog) {
    settings.imagenfondo = catalogIdOfCombo(dialog, IDC_BACKGROUND, backgroundCatalog, settings.imagenfondo);
    settings.efecto = catalogIdOfCombo(dialog, IDC_EFFECT, effectCatalog, settings.efecto);
    settings.efectoulmo = catalogIdOfCombo(dialog, IDC_MOVEMENT, movementCatalog, settings.efectoulmo);
    if (isTicked(dialog, IDC_SAVE_REGISTRY))
        saveSettings();
    else
        settings.saveToRegistry = 0;
}

void showConfigDefaults(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_BACKGROUND, catalogCaptionForId(backgroundCatalog, defaults.imagenfondo));
    SetDlgItemTextA(dialog, IDC_EFFECT, catalogCaptionForId(effectCatalog, defaults.efecto));
    SetDlgItemTextA(dialog, IDC_MOVEMENT, catalogCaptionForId(movementCatalog, defaults.efectoulmo));
    CheckRadioButton(dialog, IDC_SAVE_REGISTRY, IDC_SAVE_NOTHING, IDC_SAVE_REGISTRY);
}

// The main dialog shows the cursor while it is open and hides it again on
// either way out.
void closeConfigDialog(HWND dialog, INT_PTR result) {
    ShowCursor(FALSE);
    EndDialog(dialog, result);
}

INT_PTR configCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
        applyConfigDialog(dialog);
        closeConfigDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        closeConfigDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_CREDITS:
        openSubDialog(dialog, IDD_CREDITS, creditsDialogProc);
        return TRUE;
    case IDC_CONFIGURE_EFFECT:
        openSubDialog(dialog, IDD_EFFECTS, effectsDialogProc);
        return TRUE;
    case IDC_CONFIGURE_CHARACTER:
        openSubDialog(dialog, IDD_CHARACTER, characterDialogProc);
        return TRUE;
    case IDC_DEFAULTS:
        showConfigDefaults(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

// EffectsDialog

void initEffectsDialog(HWND dialog) {
    ShowCursor(TRUE);
    limitText(dialog, IDC_SHADOW_RED, shadowChannelDigits);
    limitText(dialog, IDC_SHADOW_GREEN, shadowChannelDigits);
    limitText(dialog, IDC_SHADOW_BLUE, shadowChannelDigits);
    setNumber(dialog, IDC_SHADOW_RED, static_cast<UINT>(settings.rojosombra));
    setNumber(dialog, IDC_SHADOW_GREEN, static_cast<UINT>(settings.verdesombra));
    setNumber(dialog, IDC_SHADOW_BLUE, static_cast<UINT>(settings.azulsombra));
    if (settings.sombra)
        CheckDlgButton(dialog, IDC_SHADOW, BST_CHECKED);
}

// A channel whose field holds no number keeps its colour.
void applyChannel(HWND dialog, int field, int32_t& channel) {
    UINT entered = 0;
    if (readNumber(dialog, field, &entered))
        channel = colourFromEntry(entered);
}

void applyEffectsDialog(HWND dialog) {
    settings.sombra = isTicked(dialog, IDC_SHADOW) ? 1 : 0;
    applyChannel(dialog, IDC_SHADOW_RED, settings.rojosombra);
    applyChannel(dialog, IDC_SHADOW_GREEN, settings.verdesombra);
    applyChannel(dialog, IDC_SHADOW_BLUE, settings.azulsombra);
}

void resetEffectsDialog(HWND dialog) {
    setNumber(dialog, IDC_SHADOW_RED, static_cast<UINT>(defaults.rojosombra));
    setNumber(dialog, IDC_SHADOW_GREEN, static_cast<UINT>(defaults.verdesombra));
    setNumber(dialog, IDC_SHADOW_BLUE, static_cast<UINT>(defaults.azulsombra));
    CheckDlgButton(dialog, IDC_SHADOW, defaults.sombra ? BST_CHECKED : BST_UNCHECKED);
}

INT_PTR effectsCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
        applyEffectsDialog(dialog);
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_EFFECTS_RESET:
        resetEffectsDialog(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

// CharacterDialog

void initCharacterDialog(HWND dialog) {
    limitText(dialog, IDC_DROP_COUNT, dropCountDigits);
    limitText(dialog, IDC_DROP_WIDTH, dropSizeDigits);
    limitText(dialog, IDC_DROP_HEIGHT, dropSizeDigits);
    setNumber(dialog, IDC_DROP_COUNT, static_cast<UINT>(settings.numeroparticulas));
    setNumber(dialog, IDC_DROP_HEIGHT, dropSizeEntry(settings.tamayparticulas));
    setNumber(dialog, IDC_DROP_WIDTH, dropSizeEntry(settings.tamaxparticulas));
    if (settings.mascara)
        CheckDlgButton(dialog, IDC_MASK, BST_CHECKED);
    if (settings.sangrante)
        CheckDlgButton(dialog, IDC_BLEEDING, BST_CHECKED);
    ShowCursor(TRUE);
}

// An empty field keeps its setting.
void applyCharacterDialog(HWND dialog) {
    settings.mascara = isTicked(dialog, IDC_MASK) ? 1 : 0;
    settings.sangrante = isTicked(dialog, IDC_BLEEDING) ? 1 : 0;
    UINT entered = 0;
    if (readNumber(dialog, IDC_DROP_COUNT, &entered))
        settings.numeroparticulas = dropCountFromEntry(entered);
    if (readNumber(dialog, IDC_DROP_WIDTH, &entered))
        settings.tamaxparticulas = dropSizeFromEntry(entered);
    if (readNumber(dialog, IDC_DROP_HEIGHT, &entered))
        settings.tamayparticulas = dropSizeFromEntry(entered);
}

void resetCharacterDialog(HWND dialog) {
    setNumber(dialog, IDC_DROP_COUNT, static_cast<UINT>(defaults.numeroparticulas));
    setNumber(dialog, IDC_DROP_HEIGHT, dropSizeEntry(defaults.tamayparticulas));
    setNumber(dialog, IDC_DROP_WIDTH, dropSizeEntry(defaults.tamaxparticulas));
    // Kept as the dialog always had it: Reset ticks the mask, although the mask is off by default.
    CheckDlgButton(dialog, IDC_MASK, BST_CHECKED);
    CheckDlgButton(dialog, IDC_BLEEDING, defaults.sangrante ? BST_CHECKED : BST_UNCHECKED);
}

// Every command counts as handled here, even one the dialog has no use for.
INT_PTR characterCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
        applyCharacterDialog(dialog);
        EndDialog(dialog, IDOK);
        break;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        break;
    case IDC_CHARACTER_RESET:
        resetCharacterDialog(dialog);
        break;
    default:
        break;
    }
    return TRUE;
}

} // namespace

INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        initConfigDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        return configCommand(dialog, commandId(wParam));
    default:
        return FALSE;
    }
}

// The credits close on their OK button alone; Escape does nothing.
INT_PTR CALLBACK creditsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        ShowCursor(TRUE);
        return TRUE;
    case WM_COMMAND:
        if (commandId(wParam) != IDOK)
            return FALSE;
        EndDialog(dialog, IDOK);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK effectsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        initEffectsDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        return effectsCommand(dialog, commandId(wParam));
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK characterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        initCharacterDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        return characterCommand(dialog, commandId(wParam));
    default:
        return FALSE;
    }
}
