// What norwyn.scr carries: the thirteen pictures, the icon in its four
// sizes, the saver's name, the dialogs, the version and the manifest, all in
// Spanish.

#include "saver_process.h"

#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

constexpr WORD spanish = MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN);

class ShippedResources : public testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryExA(saverExecutablePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override {
        if (module)
            FreeLibrary(module);
    }

    std::vector<uint8_t> resource(LPCSTR type, int id, WORD language = spanish) {
        HRSRC found = FindResourceExA(module, type, MAKEINTRESOURCEA(id), language);
        if (!found)
            return {};
        const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
        return {data, data + SizeofResource(module, found)};
    }

    HMODULE module = nullptr;
};

TEST_F(ShippedResources, CarriesEveryPictureInSpanish) {
    for (int id : {103, 106, 107, 110, 112, 113, 116, 117, 118, 119, 121, 123, 127}) {
        const std::vector<uint8_t> bitmap = resource(RT_BITMAP, id);
        ASSERT_GE(bitmap.size(), 40u) << id;
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bitmap.data());
        EXPECT_EQ(header->biSize, 40u) << id;
        EXPECT_EQ(header->biPlanes, 1) << id;
        EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB)) << id;
        EXPECT_GT(header->biHeight, 0) << id;
    }
}

TEST_F(ShippedResources, TheDisplaySettingsListItAsNorwyn) {
    char description[64] = {};
    EXPECT_EQ(LoadStringA(module, IDS_DESCRIPTION, description, sizeof description), 6);
    EXPECT_STREQ(description, "Norwyn");
}

TEST_F(ShippedResources, CarriesTheFourDialogs) {
    for (int id : {IDD_CONFIG, IDD_CREDITS, IDD_EFFECTS, IDD_CHARACTER})
        EXPECT_FALSE(resource(RT_DIALOG, id).empty()) << id;
}

TEST_F(ShippedResources, TheIconGroupHoldsFourImages) {
    const std::vector<uint8_t> group = resource(RT_GROUP_ICON, IDI_NORWYN);
    ASSERT_GE(group.size(), 6u + 4 * 14);
    const uint16_t count = group[4] | group[5] << 8;
    ASSERT_EQ(count, 4);
    std::vector<std::pair<int, int>> images; // size, bits per pixel
    for (int entry = 0; entry < count; ++entry) {
        const uint8_t* e = group.data() + 6 + 14 * entry;
        const int size = e[0] ? e[0] : 256;
        const int bits = e[6] | e[7] << 8;
        images.emplace_back(size, bits);
        const int iconId = e[12] | e[13] << 8;
        const std::vector<uint8_t> image = resource(RT_ICON, iconId);
        ASSERT_GE(image.size(), 40u);
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);
        EXPECT_EQ(header->biBitCount, bits);
    }
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{{16, 4}, {32, 4}, {32, 8}, {48, 8}}));
    EXPECT_NE(LoadIconA(module, MAKEINTRESOURCEA(IDI_NORWYN)), nullptr);
}

std::string versionString(const std::vector<uint8_t>& block, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\0c0a04b0\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return "";
    return std::string(value);
}

TEST_F(ShippedResources, TheVersionNamesTheProductAndItsMaker) {
    const std::string path = saverExecutablePath();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<uint8_t> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);
    EXPECT_EQ(versionString(block, "CompanyName"), "Halvoren");
    EXPECT_EQ(versionString(block, "InternalName"), "norwyn");
    EXPECT_EQ(versionString(block, "ProductName"), "norwyn");

    struct Translation {
        WORD language, codePage;
    }* translations = nullptr;
    ASSERT_TRUE(
        VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length));
    ASSERT_EQ(length, sizeof(Translation));
    EXPECT_EQ(translations->language, 0x0c0a);
    EXPECT_EQ(translations->codePage, 1200);
}

TEST_F(ShippedResources, TheManifestDeclaresTheProgramDpiAware) {
    const std::vector<uint8_t> manifest = resource(MAKEINTRESOURCEA(24), 1);
    const std::string text(manifest.begin(), manifest.end());
    EXPECT_NE(text.find("<dpiAware"), std::string::npos);
    EXPECT_NE(text.find(">true</dpiAware>"), std::string::npos);
    EXPECT_NE(text.find("supportedOS"), std::string::npos);
}

// The manifest's dependency resolves: under it, the system hands out the
// side-by-side Common Controls 6, whose controls take the visual style.
TEST_F(ShippedResources, TheManifestBringsCommonControlsSix) {
    const std::string path = saverExecutablePath();
    ACTCTXA request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = MAKEINTRESOURCEA(1);
    const HANDLE context = CreateActCtxA(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE);
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context, &cookie));
    const HMODULE controls = LoadLibraryA("comctl32.dll");
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(context);
    ASSERT_NE(controls, nullptr);
    char loaded[MAX_PATH] = {};
    GetModuleFileNameA(controls, loaded, sizeof loaded);
    FreeLibrary(controls);
    std::string lower(loaded);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_NE(lower.find("microsoft.windows.common-controls_6595b64144ccf1df_6."), std::string::npos) << loaded;
}

} // namespace
