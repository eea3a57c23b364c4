// LoadTheme: fills the theme tables of the resource manager from the
// theme document (skin.xml) of a skin package.
#include <cwctype>

#include "skin/package/skin_zip_reader.h"
#include "skin/theme/skin_description_reader.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/xml/skin_xml_document.h"

namespace {

using ItemReader = void (*)(CSkinResourceManager& manager, const SkinAttributeReader& reader);

// "微软雅黑" is missing on systems of major version 5; "宋体" stands in.
const wchar_t kYaHeiFace[] = L"\u5FAE\u8F6F\u96C5\u9ED1";
const wchar_t kSongTiFace[] = L"\u5B8B\u4F53";

void ReadFontItem(CSkinResourceManager& manager, const SkinAttributeReader& reader) {
    const CSkinXmlDocument& doc = reader.Document();
    std::wstring id = doc.GetAttribute(L"id");
    SkinFontSpec fontSpec;
    fontSpec.face = doc.GetAttribute(L"fontface");
    fontSpec.height = ParseInteger(doc.GetAttribute(L"fontsize"));
    if (id.empty() || fontSpec.face.empty() || fontSpec.height == 0) return;
    ISkinPlatform& platform = manager.Platform();
    if (fontSpec.face == kYaHeiFace && platform.OsMajorVersion() == 5) fontSpec.face = kSongTiFace;
    fontSpec.bold = ParseTrueFlag(doc.GetAttribute(L"bold"));
    fontSpec.underline = ParseTrueFlag(doc.GetAttribute(L"underline"));

    // A redefinition keeps the font object (windows may hold it) and
    // replaces its handle.
    auto& fonts = manager.ThemeTables().fonts;
    CSkinFont* font = nullptr;
    for (const auto& f : fonts) {
        if (f->Id() == id) {
            font = f.get();
            break;
        }
    }
    if (!font) {
        fonts.push_back(std::make_unique<CSkinFont>(id));
        font = fonts.back().get();
    }
    font->SetHandle(SkinPlatformHandle());
    font->SetSpec(fontSpec, &platform);
    if (fontSpec.height > 0) {
        font->SetHandle(
            SkinPlatformHandle(&platform, ISkinPlatform::HandleKind::Font, platform.CreateFontHandle(fontSpec)));
    }
}

void ReadColorItem(CSkinResourceManager& manager, const SkinAttributeReader& reader) {
    const CSkinXmlDocument& doc = reader.Document();
    std::wstring id = doc.GetAttribute(L"id");
    if (id.empty()) return;
    auto& colors = manager.ThemeTables().colors;
    for (auto it = colors.begin(); it != colors.end(); ++it) {
        if (it->first == id) {
            colors.erase(it);
            break;
        }
    }
    colors.emplace_back(id, ParseRgb(doc.GetAttribute(L"value")));
}

void ReadCursorItem(CSkinResourceManager& manager, const SkinAttributeReader& reader) {
    const CSkinXmlDocument& doc = reader.Document();
    std::wstring id = doc.GetAttribute(L"id");
    std::wstring value = doc.GetAttribute(L"value");
    if (id.empty() || value.empty()) return;
    auto& cursors = manager.ThemeTables().cursors;
    CSkinCursorHolder* holder = nullptr;
    for (const auto& c : cursors) {
        if (c->Id() == id) {
            holder = c.get();
            break;
        }
    }
    if (holder) {
        holder->SetHandle(SkinPlatformHandle());
    } else {
        cursors.push_back(std::make_unique<CSkinCursorHolder>(id));
        holder = cursors.back().get();
    }
    ISkinPlatform& platform = manager.Platform();
    void* handle = value[0] == L'#' ? platform.LoadSystemCursor(ParseInteger(value.substr(1)))
                                    : platform.LoadHelpProgramCursor(value);
    holder->SetHandle(SkinPlatformHandle(&platform, ISkinPlatform::HandleKind::Cursor, handle));
}

bool EndsWithBmp(const std::wstring& name) {
    if (name.size() < 3) return false;
    const wchar_t* bmp = L"BMP";
    for (size_t i = 0; i < 3; ++i) {
        wchar_t c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(name[name.size() - 3 + i])));
        if (c != bmp[i]) return false;
    }
    return true;
}

// Binds a package picture, stored under its entry name, to an image id.
void ReadImageItem(CSkinResourceManager& manager, const SkinAttributeReader& reader) {
    const CSkinXmlDocument& doc = reader.Document();
    std::wstring id = doc.GetAttribute(L"id");
    std::wstring value = doc.GetAttribute(L"value");
    if (id.empty() || value.empty()) return;
    for (wchar_t& c : value) {
        if (c == L'\\') c = L'/';
    }
    std::unique_ptr<CSkinDrawImage> image = manager.Images().Take(value);
    if (!image) return;
    if (EndsWithBmp(value)) {
        image->SetAdjustColors(doc.GetAttribute(L"adjusthsb") != L"false");
        std::wstring clip = doc.GetAttribute(L"clipcolor");
        if (!clip.empty()) image->SetTransparentColor(ParseRgb(clip));
    }
    if (manager.Images().Contains(id)) {
        // The id is taken: the first definition stays.
        manager.ThemeTables().unboundImages.push_back(std::move(image));
        return;
    }
    manager.Images().InsertFront(id, std::move(image));
}

void ReadCommandItem(CSkinResourceManager& manager, const SkinAttributeReader& reader) {
    const CSkinXmlDocument& doc = reader.Document();
    std::wstring id = doc.GetAttribute(L"id");
    std::wstring imageId = doc.GetAttribute(L"image");
    if (id.empty() || imageId.empty()) return;
    if (CSkinDrawImage* image = manager.GetImage(imageId)) manager.ThemeTables().commands.emplace_back(id, image);
}

void ReadControlItem(CSkinResourceManager& manager, const SkinAttributeReader& reader) {
    const CSkinXmlDocument& doc = reader.Document();
    std::wstring cls = doc.GetAttribute(L"class");
    if (cls == L"comwnd") {
        CSkinThemeTables& tables = manager.ThemeTables();
        tables.sharedWindow = ReadSkinSharedWindowSettings(reader);
        tables.sharedWindowDefined = true;
        return;
    }
    const SkinClassInfo* info = FindSkinClass(cls);
    if (!info) return;
    SkinLayout layout = ReadSkinLayout(reader);
    std::wstring id = doc.GetAttribute(L"id");
    manager.ThemeTables().descriptions[static_cast<int>(info->cls)].Put(ReadSkinControl(reader, *info, layout, id));
}

struct ThemeSection {
    const wchar_t* element;
    ItemReader read;
};

// The sections in the order they must appear; the last is spelled so in the format.
const ThemeSection kSections[] = {
    {L"font", &ReadFontItem},   {L"color", &ReadColorItem},     {L"cursor", &ReadCursorItem},
    {L"image", &ReadImageItem}, {L"command", &ReadCommandItem}, {L"constrol", &ReadControlItem},
};
constexpr int kSectionCount = static_cast<int>(sizeof(kSections) / sizeof(kSections[0]));

int SectionIndex(const std::wstring& tag) {
    for (int i = 0; i < kSectionCount; ++i) {
        if (tag == kSections[i].element) return i;
    }
    return -1;
}

}  // namespace

bool CSkinResourceManager::LoadTheme(CSkinXmlDocument& document, CSkinZipReader&) {
    CSkinThemeTables& tables = ThemeTables();
    if (!tables.comboListClassRegistered) {
        Platform().RegisterComboListClass();
        tables.comboListClassRegistered = true;
    }

    while (document.Ascend()) {
    }
    document.ResetPosition();
    if (!document.FindElement(L"theme") || !document.Descend()) return false;

    SkinAttributeReader reader(
        document, [this](const std::wstring& id) { return GetColor(id); }, Platform());

    // The children of theme are walked in document order. A section is read
    // only when it comes later in the fixed section order than the last
    // section read, so a section standing after a later kind, and a second
    // section of a kind, are skipped; other elements (manifest) are ignored.
    int lastRead = -1;
    while (document.FindElement()) {
        int section = SectionIndex(document.GetTagName());
        if (section <= lastRead) continue;
        lastRead = section;
        if (!document.Descend()) continue;
        while (document.FindElement(L"item")) kSections[section].read(*this, reader);
        document.Ascend();
    }
    return document.Ascend();
}
