// What Windows reads from the installer's file, read back from outside the
// program the way the system does it: the manifest through an activation
// context made from the file, the version through the version API, and the
// icon through the resource and shell calls Explorer uses.
#include <windows.h>

#include <gtest/gtest.h>

#include <objbase.h>
#include <shellapi.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "app/installer_ids.h"
#include "app/screen_check.h"
#include "common/win_bitmap_info.h"
#include "common/win_handles.h"
#include "support/win_test_support.h"

namespace ts = testing_support;

namespace {

const std::wstring kExe = ts::ToWindowsPath(TOVANE_EXE);
const std::string kSkinDir = TOVANE_SKIN_DIR;

// ---- the manifest -------------------------------------------------------------

class ActivationContext {
public:
    explicit ActivationContext(const std::wstring& file) {
        ACTCTXW request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = file.c_str();
        request.lpResourceName = MAKEINTRESOURCEW(1);  // the manifest a program's start reads
        handle_ = ::CreateActCtxW(&request);
    }
    ~ActivationContext() {
        if (handle_ != INVALID_HANDLE_VALUE) ::ReleaseActCtx(handle_);
    }
    ActivationContext(const ActivationContext&) = delete;
    ActivationContext& operator=(const ActivationContext&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

    std::wstring Setting(const wchar_t* nameSpace, const wchar_t* name) const {
        wchar_t value[256] = {};
        SIZE_T written = 0;
        if (!::QueryActCtxSettingsW(0, handle_, nameSpace, name, value, 256, &written)) return L"<none>";
        return value;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// One entry of the compatibility section as the system reports it: newer
// systems append the tested version to each element, older ones do not.
struct CompatibilityEntry {
    GUID id;
    DWORD type;
};

std::vector<CompatibilityEntry> CompatibilityEntries(HANDLE context) {
    SIZE_T needed = 0;
    ::QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, nullptr, 0, &needed);
    std::vector<std::uint8_t> buffer(needed);
    if (needed < sizeof(DWORD) || !::QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext,
                                                  buffer.data(), needed, &needed)) {
        return {};
    }
    DWORD count = 0;
    std::memcpy(&count, buffer.data(), sizeof count);
    size_t offset = 0, stride = 0;
    if (needed == 8 + count * 32u) {
        offset = 8, stride = 32;  // GUID, type, padding, the tested version
    } else if (needed == 4 + count * 20u) {
        offset = 4, stride = 20;
    } else {
        return {};
    }
    std::vector<CompatibilityEntry> out(count);
    for (DWORD i = 0; i < count; ++i) std::memcpy(&out[i], buffer.data() + offset + i * stride, 20);
    return out;
}

std::wstring GuidText(const GUID& id) {
    wchar_t text[64] = {};
    ::StringFromGUID2(id, text, 64);
    return text;
}

std::string ManifestText() {
    win::ScopedModule file(::LoadLibraryExW(kExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!file) return {};
    HRSRC found = ::FindResourceW(file.get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    HGLOBAL loaded = found ? ::LoadResource(file.get(), found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
    return bytes ? std::string(bytes, ::SizeofResource(file.get(), found)) : std::string();
}

TEST(AppIdentity, ManifestRunsAsInvokerOnEverySystemFromVistaWithPerMonitorDpi) {
    ActivationContext context(kExe);
    ASSERT_TRUE(context.valid()) << "the system does not accept the manifest (error " << ::GetLastError() << ")";

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
    SIZE_T size = 0;
    ASSERT_TRUE(
        ::QueryActCtxW(0, context.get(), nullptr, RunlevelInformationInActivationContext, &level, sizeof level, &size));
    EXPECT_EQ(level.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(level.UiAccess, 0u);

    std::set<std::wstring> systems;
    for (const CompatibilityEntry& e : CompatibilityEntries(context.get())) {
        if (e.type == ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS) systems.insert(GuidText(e.id));
    }
    const std::set<std::wstring> expected = {
        L"{E2011457-1546-43C5-A5FE-008DEEE3D3F0}",  // Vista
        L"{35138B9A-5D96-4FBD-8E2D-A2440225F93A}",  // 7
        L"{4A2F28E3-53B9-4441-BA9C-D69D4A4A6E38}",  // 8
        L"{1F676C76-80E1-4239-95BB-83D0F6D0DA78}",  // 8.1
        L"{8E0F7A12-BFB3-4FE8-B9A5-48FD50A15A9A}",  // 10 and 11
    };
    EXPECT_EQ(systems, expected);

    EXPECT_EQ(context.Setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              L"PerMonitorV2, PerMonitor");
    EXPECT_EQ(context.Setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true/pm");

    // The tested version that marks Windows 11, and the name in the
    // manifest's own words.
    const std::string text = ManifestText();
    EXPECT_NE(text.find("<maxversiontested Id=\"10.0.22000.0\"/>"), std::string::npos);
    EXPECT_NE(text.find("<description>Tovane\xE5\x9C\xA8\xE7\xBA\xBF\xE5\xAE\x89\xE8\xA3\x85\xE7\xA8\x8B\xE5\xBA\x8F"
                        "</description>"),
              std::string::npos);
}

// ---- the version --------------------------------------------------------------

class VersionInfo {
public:
    explicit VersionInfo(const std::wstring& file) {
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
        data_.resize(size);
        if (size == 0 || !::GetFileVersionInfoW(file.c_str(), 0, size, data_.data())) data_.clear();
    }
    bool valid() const { return !data_.empty(); }

    const VS_FIXEDFILEINFO* Fixed() const {
        void* value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(data_.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
            return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(value);
    }

    std::vector<std::pair<WORD, WORD>> Translations() const {
        void* value = nullptr;
        UINT length = 0;
        std::vector<std::pair<WORD, WORD>> out;
        if (!::VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &length)) return out;
        const WORD* words = static_cast<const WORD*>(value);
        for (UINT i = 0; i + 1 < length / sizeof(WORD); i += 2) out.emplace_back(words[i], words[i + 1]);
        return out;
    }

    // A string of the block Explorer reads: the first translation's.
    std::wstring String(const wchar_t* name) const {
        const auto translations = Translations();
        if (translations.empty()) return L"<no translation>";
        wchar_t path[128] = {};
        swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translations[0].first, translations[0].second, name);
        void* value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(data_.data(), path, &value, &length) || length == 0) return L"<none>";
        return static_cast<const wchar_t*>(value);
    }

private:
    std::vector<std::uint8_t> data_;
};

TEST(AppIdentity, VersionResourceCarriesTheProjectVersionAndNames) {
    VersionInfo info(kExe);
    ASSERT_TRUE(info.valid()) << "the file has no version resource";
    const VS_FIXEDFILEINFO* fixed = info.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD high = MAKELONG(TOVANE_VERSION_MINOR, TOVANE_VERSION_MAJOR), low = MAKELONG(0, TOVANE_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "a release is neither debug, patched nor private";

    const auto translations = info.Translations();
    ASSERT_EQ(translations.size(), 1u);
    EXPECT_EQ(translations[0].first, 0x0804);  // Chinese (PRC)
    EXPECT_EQ(translations[0].second, 1200);   // UTF-16

    const std::wstring version = ts::Widen(TOVANE_VERSION_TEXT);
    EXPECT_EQ(info.String(L"FileDescription"), L"Tovane在线安装程序");
    EXPECT_EQ(info.String(L"ProductName"), L"Tovane");
    EXPECT_EQ(info.String(L"FileVersion"), version);
    EXPECT_EQ(info.String(L"ProductVersion"), version);
    EXPECT_EQ(info.String(L"OriginalFilename"), L"tovane.exe");
}

// ---- the icon -----------------------------------------------------------------

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

// An icon drawn on white, as 0x00RRGGBB pixels.
ts::Pixels DrawnOnWhite(HICON icon, int size) {
    win::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
    BITMAPINFO format = win::Bgra32Info(size, -size);
    void* bits = nullptr;
    win::ScopedGdiObject bitmap(::CreateDIBSection(dc.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    ts::Pixels out;
    if (!bitmap || !bits) return out;
    win::ScopedSelection selected(dc.get(), bitmap.get());
    RECT all{0, 0, size, size};
    ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::DrawIconEx(dc.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    out.width = out.height = size;
    const auto* px = static_cast<const std::uint32_t*>(bits);
    out.data.assign(px, px + size * size);
    for (auto& p : out.data) p &= 0xFFFFFF;
    return out;
}

TEST(AppIdentity, IconHasEverySizeDrawnInTheSkinsColours) {
    win::ScopedModule file(::LoadLibraryExW(kExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(file);
    HRSRC group = ::FindResourceW(file.get(), MAKEINTRESOURCEW(IDI_TOVANE), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr) << "no icon group " << IDI_TOVANE;
    auto* directory = static_cast<BYTE*>(::LockResource(::LoadResource(file.get(), group)));
    ASSERT_NE(directory, nullptr);
    GroupIconHeader header{};
    std::memcpy(&header, directory, sizeof header);
    ASSERT_EQ(header.type, 1);
    std::set<int> sizes;
    for (int i = 0; i < header.count; ++i) {
        GroupIconEntry entry{};
        std::memcpy(&entry, directory + sizeof header + i * sizeof entry, sizeof entry);
        EXPECT_EQ(entry.bitCount, 32) << "entry " << i;
        EXPECT_EQ(entry.width, entry.height) << "entry " << i;
        sizes.insert(entry.width == 0 ? 256 : entry.width);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 24, 32, 48, 256}));

    // The install face's blue, read from the skin's own picture beside its
    // rounded end, at the top and at the bottom of its gradient.
    const ts::Face face = ts::LoadFace(kSkinDir, "install.png");
    ASSERT_GT(face.picture.height, 10);
    const std::uint32_t faceTop = face.Over(10, 3, 0xFFFFFF);
    const std::uint32_t faceBottom = face.Over(10, face.picture.height - 4, 0xFFFFFF);

    for (int size : sizes) {
        SCOPED_TRACE(size);
        // The entry the system picks for the size, made into an icon as the
        // shell does: the exact size, not a neighbour scaled.
        const int id = ::LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = ::FindResourceW(file.get(), MAKEINTRESOURCEW(id), RT_ICON);
        ASSERT_NE(image, nullptr);
        auto* bits = static_cast<BYTE*>(::LockResource(::LoadResource(file.get(), image)));
        const DWORD length = ::SizeofResource(file.get(), image);
        const bool png = length > 8 && std::memcmp(bits, "\x89PNG", 4) == 0;
        EXPECT_EQ(png, size == 256) << "the large size is PNG, the others are bitmaps";
        if (!png) {
            BITMAPINFOHEADER info{};
            std::memcpy(&info, bits, sizeof info);
            EXPECT_EQ(info.biWidth, size);
            EXPECT_EQ(info.biHeight, 2 * size);
            EXPECT_EQ(info.biBitCount, 32);
        }
        win::ScopedOwnIcon icon(::CreateIconFromResourceEx(bits, length, TRUE, 0x00030000, size, size, 0));
        ASSERT_TRUE(icon) << "the system cannot make an icon of the entry";
        const ts::Pixels drawn = DrawnOnWhite(icon.get(), size);
        ASSERT_EQ(drawn.width, size);

        // The tile's middle rows at its left edge hold the face's gradient;
        // the arrow in the middle is white; the very corner is left clear.
        const int x = size / 8 + 1;
        const std::uint32_t upper = drawn.at(x, size / 4), lower = drawn.at(x, size * 3 / 4);
        EXPECT_LE(ts::Distance(upper, faceTop), 28) << std::hex << upper << " vs " << faceTop;
        EXPECT_LE(ts::Distance(lower, faceBottom), 28) << std::hex << lower << " vs " << faceBottom;
        EXPECT_EQ(drawn.at(size / 2, size * 3 / 10), 0xFFFFFFu) << "no white arrow shaft";
        EXPECT_GT(ts::Distance(drawn.at(size / 2, size / 10), 0xFFFFFF), 100) << "the shaft reaches the top";
        EXPECT_EQ(drawn.at(0, 0), 0xFFFFFFu) << "the rounded corner is not transparent";
    }

    // Explorer's view: one icon in the file, in both shell sizes.
    EXPECT_EQ(::ExtractIconExW(kExe.c_str(), -1, nullptr, nullptr, 0), 1u);
    HICON large = nullptr, small = nullptr;
    EXPECT_EQ(::ExtractIconExW(kExe.c_str(), 0, &large, &small, 1), 2u);
    win::ScopedOwnIcon ownLarge(large), ownSmall(small);
    EXPECT_TRUE(ownLarge);
    EXPECT_TRUE(ownSmall);
}

}  // namespace
