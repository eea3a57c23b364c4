// Helpers of the theme tests: a recording platform and theme loading from text.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "skin/package/skin_zip_reader.h"
#include "skin/platform/skin_platform.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/xml/skin_xml_document.h"

namespace theme_test {

// Records what the loader asks of the operating system.
class FakePlatform : public ISkinPlatform {
public:
    int osMajorVersion = 6;
    std::vector<SkinFontSpec> fontsCreated;
    std::vector<int> systemCursorsLoaded;
    std::vector<std::wstring> helpCursorsLoaded;
    int comboClassRegistrations = 0;
    int doubleReleases = 0;
    std::set<uintptr_t> live;

    ~FakePlatform() override = default;

    // Distinct value per index, so a test can tell which system colour it got.
    static uint32_t SysColor(int index) { return 0x00A00000u | static_cast<uint32_t>(index); }

    int OsMajorVersion() const override { return osMajorVersion; }
    uint32_t SystemColor(int index) const override { return SysColor(index); }
    void* CreateFontHandle(const SkinFontSpec& fontSpec) override {
        fontsCreated.push_back(fontSpec);
        return NewHandle();
    }
    void* LoadSystemCursor(int id) override {
        systemCursorsLoaded.push_back(id);
        return NewHandle();
    }
    void* LoadHelpProgramCursor(const std::wstring& name) override {
        helpCursorsLoaded.push_back(name);
        return NewHandle();
    }
    void ReleaseHandle(HandleKind, void* handle) override {
        if (live.erase(reinterpret_cast<uintptr_t>(handle)) == 0) ++doubleReleases;
    }
    void RegisterComboListClass() override { ++comboClassRegistrations; }

private:
    void* NewHandle() {
        uintptr_t h = ++next_ * 16;
        live.insert(h);
        return reinterpret_cast<void*>(h);
    }
    uintptr_t next_ = 0;
};

// An archive with no entries: LoadTheme takes the package reader but the
// theme walk does not read from it.
inline std::unique_ptr<CSkinZipReader> EmptyPackage() {
    static const uint8_t kEmptyZip[22] = {0x50, 0x4B, 0x05, 0x06};
    return CSkinZipReader::OpenMemory(kEmptyZip, sizeof kEmptyZip, nullptr);
}

// A resource manager on a fake platform.
struct ThemeFixture {
    FakePlatform platform;
    CSkinResourceManager manager;

    ThemeFixture() { manager.SetPlatform(&platform); }

    bool Load(const std::wstring& text) {
        CSkinXmlDocument doc;
        doc.LoadText(text);
        auto reader = EmptyPackage();
        return manager.LoadTheme(doc, *reader);
    }
    bool LoadUtf8(const std::string& bytes) {
        CSkinXmlDocument doc;
        doc.LoadUtf8(bytes.data(), bytes.size());
        auto reader = EmptyPackage();
        return manager.LoadTheme(doc, *reader);
    }
    // Loads a theme whose constrol section holds `items`.
    bool LoadControls(const std::wstring& items) { return Load(L"<theme><constrol>" + items + L"</constrol></theme>"); }

    void AddPng(const std::wstring& entryName) {
        manager.AddImage(entryName, CSkinDrawImage::FromPicture(tovane::Picture(), CSkinDrawImage::kTypePng));
    }
    void AddBmp(const std::wstring& entryName) {
        static const uint8_t kBytes[] = {'B', 'M', 0};
        manager.AddImage(entryName, CSkinDrawImage::FromBitmapFile(kBytes, sizeof kBytes));
    }
    template <class T>
    const T* Desc(const std::wstring& id) const {
        return manager.GetDescription<T>(id);
    }
};

}  // namespace theme_test
