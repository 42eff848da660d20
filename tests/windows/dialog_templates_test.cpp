// The four dialog templates as the executable carries them, read raw from
// its resources: the dialog's own header and every control, in template
// (= tab) order.

#include "resources/resource_ids.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A class, a text or a menu: a name, or the 0xFFFF-marked ordinal of a
// predefined class or a resource. The empty name stands for "none".
struct NameOrOrdinal {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::wstring name;
};

struct Rect {
    short x, y, cx, cy;
    bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rect& rect) {
    return out << rect.x << ", " << rect.y << ", " << rect.cx << ", " << rect.cy;
}

struct ParsedControl {
    DWORD helpId = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    Rect rect{};
    int32_t id = 0;
    NameOrOrdinal windowClass;
    NameOrOrdinal text;
    WORD creationDataSize = 0;
};

struct ParsedDialog {
    bool extended = false;
    WORD version = 0;
    DWORD helpId = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    Rect rect{};
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::wstring title;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring typeface;
    std::vector<ParsedControl> controls;
};

// Reads the template's little-endian fields in order, with the alignment
// rules of dialog templates.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : begin_(data), at_(data), end_(data + size) {}

    bool overrun() const { return overrun_; }

    // A field of this type: WORD, DWORD, BYTE or short.
    template <typename Field>
    Field next() {
        Field value = 0;
        copy(&value, sizeof value);
        return value;
    }
    WORD word() { return next<WORD>(); }
    DWORD dword() { return next<DWORD>(); }
    short signedWord() { return next<short>(); }
    Rect rect() {
        Rect value{};
        value.x = signedWord();
        value.y = signedWord();
        value.cx = signedWord();
        value.cy = signedWord();
        return value;
    }
    std::wstring string() {
        std::wstring value;
        while (!overrun_) {
            const WORD character = word();
            if (character == 0)
                break;
            value.push_back(static_cast<wchar_t>(character));
        }
        return value;
    }
    NameOrOrdinal nameOrOrdinal() {
        NameOrOrdinal value;
        const WORD first = word();
        if (first == 0xFFFF) {
            value.isOrdinal = true;
            value.ordinal = word();
        } else if (first != 0) {
            value.name.push_back(static_cast<wchar_t>(first));
            value.name += string();
        }
        return value;
    }
    void skip(size_t bytes) {
        if (bytes > static_cast<size_t>(end_ - at_)) {
            overrun_ = true;
            at_ = end_;
            return;
        }
        at_ += bytes;
    }
    void alignToDword() {
        while ((at_ - begin_) % 4 != 0 && at_ < end_)
            ++at_;
    }

private:
    void copy(void* to, size_t size) {
        if (size > static_cast<size_t>(end_ - at_)) {
            overrun_ = true;
            at_ = end_;
            return;
        }
        std::memcpy(to, at_, size);
        at_ += size;
    }

    const BYTE* begin_;
    const BYTE* at_;
    const BYTE* end_;
    bool overrun_ = false;
};

// A DLGTEMPLATEEX (dlgVer 1, signature 0xFFFF) or a classic DLGTEMPLATE.
bool parseDialog(const BYTE* data, size_t size, ParsedDialog& dialog) {
    TemplateReader reader(data, size);
    const WORD first = reader.word();
    const WORD second = reader.word();
    dialog.extended = first == 1 && second == 0xFFFF;
    WORD count = 0;
    if (dialog.extended) {
        dialog.version = first;
        dialog.helpId = reader.dword();
        dialog.exStyle = reader.dword();
        dialog.style = reader.dword();
    } else {
        dialog.style = static_cast<DWORD>(first) | static_cast<DWORD>(second) << 16;
        dialog.exStyle = reader.dword();
    }
    count = reader.word();
    dialog.rect = reader.rect();
    dialog.menu = reader.nameOrOrdinal();
    dialog.windowClass = reader.nameOrOrdinal();
    dialog.title = reader.string();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = reader.word();
        if (dialog.extended) {
            dialog.weight = reader.word();
            dialog.italic = reader.next<BYTE>();
            dialog.charset = reader.next<BYTE>();
        }
        dialog.typeface = reader.string();
    }
    for (WORD index = 0; index < count && !reader.overrun(); ++index) {
        reader.alignToDword();
        ParsedControl control;
        if (dialog.extended) {
            control.helpId = reader.dword();
            control.exStyle = reader.dword();
            control.style = reader.dword();
            control.rect = reader.rect();
            control.id = static_cast<int32_t>(reader.dword());
        } else {
            control.style = reader.dword();
            control.exStyle = reader.dword();
            control.rect = reader.rect();
            control.id = reader.signedWord();
        }
        control.windowClass = reader.nameOrOrdinal();
        control.text = reader.nameOrOrdinal();
        control.creationDataSize = reader.word();
        reader.skip(control.creationDataSize);
        dialog.controls.push_back(control);
    }
    return !reader.overrun();
}

// Predefined window classes, by ordinal.
constexpr WORD button = 0x0080;
constexpr WORD edit = 0x0081;
constexpr WORD staticText = 0x0082;
constexpr WORD combo = 0x0085;

// The control kinds: WS_CHILD | WS_VISIBLE plus the styles of each.
constexpr DWORD shown = WS_CHILD | WS_VISIBLE;
constexpr DWORD defaultButton = shown | BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD pushButton = shown | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD comboBox = shown | CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD labelLeft = shown | SS_LEFT | WS_GROUP;
constexpr DWORD labelRight = shown | SS_RIGHT | WS_GROUP;
constexpr DWORD heading = shown | SS_CENTER | WS_GROUP;
constexpr DWORD groupBox = shown | BS_GROUPBOX;
constexpr DWORD radio = shown | BS_AUTORADIOBUTTON;
constexpr DWORD checkBox = shown | BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD numberEdit = shown | ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD readOnlyEdit = numberEdit | ES_READONLY | ES_CENTER;
constexpr DWORD textPanel = shown | SS_CENTER | SS_SUNKEN | WS_BORDER | WS_GROUP;
constexpr DWORD picture = shown | SS_BITMAP | SS_SUNKEN;

constexpr DWORD headingFrame = WS_EX_DLGMODALFRAME;

struct ExpectedControl {
    int32_t id;
    WORD windowClass;
    DWORD style;
    DWORD exStyle;
    std::wstring text; // used when bitmap is 0
    Rect rect;
    WORD bitmap = 0; // a picture's bitmap resource, its text as an ordinal
};

struct ExpectedDialog {
    const char* name;
    int templateId;
    bool extended;
    short width;
    short height;
    std::vector<ExpectedControl> controls;
};

// clang-format off
const ExpectedDialog configDialog = {
    "Config", IDD_CONFIG, true, 186, 171,
    {
        {1, button, defaultButton, 0, L"OK", {7, 150, 50, 14}},
        {2, button, pushButton, 0, L"Cancel", {129, 150, 50, 14}},
        {1000, button, pushButton, 0, L"Creditos", {67, 150, 54, 14}},
        {1001, combo, comboBox, 0, L"", {7, 34, 124, 124}},
        {-1, staticText, heading, headingFrame, L"Configuracion de Norwyn", {7, 7, 172, 13}},
        {-1, staticText, labelLeft, 0, L"Tipo de efecto:", {7, 23, 55, 8}},
        {1004, combo, comboBox, 0, L"", {7, 60, 172, 90}},
        {-1, staticText, labelLeft, 0, L"Imagen de fondo:", {7, 49, 55, 8}},
        {1005, combo, comboBox, 0, L"", {7, 86, 124, 64}},
        {-1, staticText, labelLeft, 0, L"Efecto de Mordekan:", {7, 75, 74, 8}},
        {-1, staticText, labelRight, 0, L"Frames por segundo:", {106, 107, 67, 10}},
        {1008, edit, readOnlyEdit, 0, L"", {118, 117, 48, 12}},
        {1009, button, pushButton, 0, L"Configurar", {133, 34, 46, 13}},
        {1010, button, pushButton, 0, L"Configurar", {133, 86, 46, 13}},
        {-1, button, groupBox, 0, L"Guardar configuracion", {7, 102, 96, 42}},
        {1012, button, radio, 0, L"Registro del sisema", {13, 112, 80, 8}},
        {1013, button, radio | WS_DISABLED, 0, L"En C:\\Norwyn\\Cfg.txt", {13, 122, 87, 8}},
        {1014, button, radio, 0, L"No guardar", {13, 132, 80, 8}},
        {1015, button, pushButton, 0, L"Valores por defecto", {107, 132, 72, 12}},
    },
};

const ExpectedDialog creditsDialog = {
    "Credits", IDD_CREDITS, false, 170, 174,
    {
        {1, button, defaultButton, 0, L"OK", {59, 153, 50, 14}},
        {-1, staticText, textPanel, 0,
         L"Protector de pantalla Norwyn V0.1\nProgramacion:\nAndres Pelayo 'Vorn'\n"
         L"Imagenes cedidas por Galdrune\ny Tomas Ibarra 'Pelquin'",
         {18, 7, 134, 45}},
        {-1, staticText, picture, 0, L"", {7, 56, 68, 26}, 110},
        {-1, staticText, picture, 0, L"", {95, 56, 68, 26}, 127},
        {-1, staticText, picture, 0, L"", {7, 87, 68, 34}, 112},
        {-1, staticText, picture, 0, L"", {28, 127, 115, 17}, 113},
        {-1, staticText, picture, 0, L"", {95, 86, 68, 34}, 116},
        {-1, staticText, picture, 0, L"", {126, 157, 37, 10}, 119},
        {-1, staticText, picture, 0, L"", {7, 157, 37, 10}, 119},
    },
};

const ExpectedDialog effectsDialog = {
    "Effects", IDD_EFFECTS, true, 129, 110,
    {
        {-1, staticText, heading, headingFrame, L"Configuracion de Efectos", {7, 7, 115, 13}},
        {1002, button, checkBox, 0, L"Sombreado en el efecto", {7, 25, 94, 11}},
        {-1, button, groupBox, 0, L"Color de la Sombra", {7, 37, 115, 50}},
        {1011, edit, numberEdit, 0, L"", {13, 46, 20, 12}},
        {1012, edit, numberEdit, 0, L"", {13, 59, 20, 12}},
        {1013, edit, numberEdit, 0, L"", {13, 72, 20, 12}},
        {-1, staticText, labelLeft, 0, L"Rojo (de 0 a 255)", {39, 49, 59, 8}},
        {-1, staticText, labelLeft, 0, L"Verde (de 0 a 255)", {39, 61, 59, 8}},
        {-1, staticText, labelLeft, 0, L"Azul (de 0 a 255)", {40, 74, 59, 8}},
        {1, button, defaultButton, 0, L"OK", {7, 89, 41, 14}},
        {2, button, pushButton, 0, L"Cancel", {80, 89, 43, 14}},
        {1019, button, pushButton, 0, L"Reset", {49, 89, 30, 14}},
    },
};

const ExpectedDialog characterDialog = {
    "Character", IDD_CHARACTER, true, 130, 137,
    {
        {1, button, defaultButton, 0, L"OK", {7, 116, 41, 14}},
        {2, button, pushButton, 0, L"Cancel", {80, 116, 43, 14}},
        {-1, staticText, heading, headingFrame, L"Configuracion de Personaje", {7, 7, 116, 13}},
        {1003, button, checkBox, 0, L"Mascara en el personaje", {7, 23, 94, 11}},
        {-1, button, groupBox, 0, L"Tama\u00F1o de la sangre", {7, 46, 116, 38}},
        {-1, staticText, labelLeft, 0, L"Ancho de la gota (0..100):", {14, 57, 83, 8}},
        {-1, staticText, labelLeft, 0, L"Alto de la gota (0..100):", {15, 70, 79, 9}},
        {1017, edit, numberEdit, 0, L"", {102, 54, 21, 12}},
        {1018, edit, numberEdit, 0, L"", {102, 67, 21, 12}},
        {-1, staticText, labelLeft, 0, L"Numero (1..1000):", {15, 97, 84, 10}},
        {1016, edit, numberEdit, 0, L"", {100, 94, 23, 12}},
        {-1, button, groupBox, 0, L"Gotas de sangre", {7, 86, 116, 26}},
        {1019, button, pushButton, 0, L"Reset", {49, 116, 30, 14}},
        {1020, button, checkBox, 0, L"Sangre en la cabeza de Ulmo", {7, 35, 116, 8}},
    },
};
// clang-format on

std::string narrow(const std::wstring& text) {
    std::string result;
    for (wchar_t character : text)
        if (character == L'\n')
            result += "\\n";
        else if (character < 0x80)
            result.push_back(static_cast<char>(character));
        else
            result += "\\u" + std::to_string(static_cast<unsigned>(character));
    return result;
}

// The template of this id in Spanish (Spain), as the executable holds it.
bool loadTemplate(int id, ParsedDialog& dialog) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC resource = FindResourceExA(module, MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(id),
                                           MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN));
    if (!resource)
        return false;
    const HGLOBAL loaded = LoadResource(module, resource);
    if (!loaded)
        return false;
    const auto* data = static_cast<const BYTE*>(LockResource(loaded));
    return data && parseDialog(data, SizeofResource(module, resource), dialog);
}

void expectDialog(const ExpectedDialog& expected) {
    ParsedDialog dialog;
    ASSERT_TRUE(loadTemplate(expected.templateId, dialog)) << "no Spanish template " << expected.templateId;

    // A thin border, no caption, title or system menu; centred; its own font.
    EXPECT_EQ(dialog.extended, expected.extended);
    EXPECT_EQ(dialog.style, static_cast<DWORD>(WS_POPUP | WS_BORDER | DS_CENTER | DS_SETFONT));
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.helpId, 0u);
    EXPECT_EQ(dialog.rect, (Rect{0, 0, expected.width, expected.height}));
    EXPECT_FALSE(dialog.menu.isOrdinal);
    EXPECT_EQ(dialog.menu.name, L"");
    EXPECT_FALSE(dialog.windowClass.isOrdinal);
    EXPECT_EQ(dialog.windowClass.name, L"");
    EXPECT_EQ(dialog.title, L"");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.typeface, L"MS Sans Serif");
    if (expected.extended) {
        EXPECT_EQ(dialog.weight, 0) << "FW_DONTCARE";
        EXPECT_EQ(dialog.italic, 0);
        EXPECT_EQ(dialog.charset, DEFAULT_CHARSET);
    }

    ASSERT_EQ(dialog.controls.size(), expected.controls.size());
    for (size_t index = 0; index < expected.controls.size(); ++index) {
        const ExpectedControl& want = expected.controls[index];
        const ParsedControl& have = dialog.controls[index];
        SCOPED_TRACE("control " + std::to_string(index) + ", id " + std::to_string(want.id) + " \"" +
                     narrow(want.text) + "\"");
        EXPECT_EQ(have.id, want.id);
        EXPECT_TRUE(have.windowClass.isOrdinal);
        EXPECT_EQ(have.windowClass.ordinal, want.windowClass);
        EXPECT_EQ(have.style, want.style) << std::hex << "0x" << have.style << " instead of 0x" << want.style;
        EXPECT_EQ(have.exStyle, want.exStyle);
        EXPECT_EQ(have.helpId, 0u);
        EXPECT_EQ(have.rect, want.rect);
        if (want.bitmap) {
            EXPECT_TRUE(have.text.isOrdinal);
            EXPECT_EQ(have.text.ordinal, want.bitmap);
        } else {
            EXPECT_FALSE(have.text.isOrdinal);
            EXPECT_EQ(have.text.name, want.text);
        }
        EXPECT_EQ(have.creationDataSize, 0);
    }
}

void PrintTo(const ExpectedDialog* dialog, std::ostream* out) {
    *out << dialog->name;
}

class DialogTemplate : public testing::TestWithParam<const ExpectedDialog*> {};

TEST_P(DialogTemplate, HoldsItsHeaderAndEveryControlInTabOrder) {
    expectDialog(*GetParam());
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogTemplate,
                         testing::Values(&configDialog, &creditsDialog, &effectsDialog, &characterDialog),
                         [](const testing::TestParamInfo<const ExpectedDialog*>& info) {
                             return std::string(info.param->name);
                         });

// Every bitmap a credits picture names is in the executable too, so the
// dialog shows a picture rather than an empty frame.
TEST(DialogTemplates, CreditsPicturesNameBitmapsOfTheExecutable) {
    for (const ExpectedControl& control : creditsDialog.controls) {
        if (!control.bitmap)
            continue;
        EXPECT_NE(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(control.bitmap),
                                MAKEINTRESOURCEA(2) /* RT_BITMAP */),
                  nullptr)
            << "bitmap " << control.bitmap;
    }
}

} // namespace
