// Arbitrary theme documents through the whole theme walk: XML reader, value
// parsers, every control class and drawing item, and the table getters;
// then what attaching builds from each description found, natively: the
// skin object's drawing items, drawn, and a push button's spin part. No
// theme may make that walk loop, crash or leak.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/draw/skin_recording_canvas.h"
#include "skin/package/skin_zip_reader.h"
#include "skin/theme/skin_descriptions.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_button_layout.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/xml/skin_xml_document.h"

namespace {

const uint8_t kEmptyZip[22] = {0x50, 0x4B, 0x05, 0x06};

// Walks every description so the sanitizers see each record read back.
size_t TouchItems(const SkinItemList& items) {
    size_t n = 0;
    for (const auto& item : items) n += 1 + item->id.size() + TouchItems(item->children);
    return n;
}

// A skin object of `desc` as the attach makes it, its items drawn in every
// state into a client rectangle.
size_t BuildObject(const SkinControlDesc& desc) {
    CSkinBase object(nullptr);
    object.SetDescription(&desc, desc.id);
    object.AdjustColors(SkinColorShift{40, -20, 10});
    SkinRecordingCanvas canvas;
    object.DrawItems(canvas);
    object.ItemsMouseMove(0, 5, 5);
    object.ItemsButtonDown(0, 5, 5);
    object.ItemsButtonUp(0, 5, 5);
    object.ItemsMouseLeave();
    return object.Items().size() + canvas.Calls().size();
}

// What attaching a window of class `cls` builds from `desc`.
size_t Attach(const CSkinResourceManager& manager, SkinDescClass cls, const SkinControlDesc& desc) {
    size_t n = BuildObject(desc);
    if (cls == SkinDescClass::Button) {
        if (const SkinButtonDesc* spin = SkinSpinPartDescription(manager, static_cast<const SkinButtonDesc&>(desc)))
            n += BuildObject(*spin);
    }
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CSkinXmlDocument doc;
    doc.LoadUtf8(reinterpret_cast<const char*>(data), size);
    CSkinResourceManager manager;
    // Pictures the images section can bind, as the package pass leaves them.
    static const uint8_t kBmp[] = {'B', 'M', 0};
    manager.AddImage(L"skin/a.bmp", CSkinDrawImage::FromBitmapFile(kBmp, sizeof kBmp));
    manager.AddImage(L"skin/b.png", CSkinDrawImage::FromPicture(tovane::Picture(), CSkinDrawImage::kTypePng));
    manager.AddImage(L"c", CSkinDrawImage::FromPicture(tovane::Picture(), CSkinDrawImage::kTypePng));
    std::unique_ptr<CSkinZipReader> reader = CSkinZipReader::OpenMemory(kEmptyZip, sizeof kEmptyZip, nullptr);
    if (!reader) return 0;
    manager.LoadTheme(doc, *reader);
    // A second load merges into the tables by the redefinition rules.
    manager.LoadTheme(doc, *reader);

    volatile size_t sink = 0;
    const CSkinThemeTables& tables = manager.ThemeTables();
    for (int c = 0; c < kSkinDescClassCount; ++c) {
        auto cls = static_cast<SkinDescClass>(c);
        std::vector<std::wstring> ids = tables.descriptions[c].ListOrder();
        for (const wchar_t* id : {L"", L"button", L"window", L"b"}) ids.push_back(id);
        for (const std::wstring& id : ids) {
            if (const SkinControlDesc* desc = manager.GetDescription(cls, id)) {
                sink = sink + TouchItems(desc->items) + desc->id.size();
                sink = sink + Attach(manager, cls, *desc);
            }
        }
        sink = sink + tables.descriptions[c].Size();
    }
    for (const auto& font : tables.fonts) sink = sink + (manager.GetFontHandle(font->Id()) != nullptr);
    for (const auto& color : tables.colors) sink = sink + manager.GetColor(color.first);
    for (const auto& cursor : tables.cursors) sink = sink + (manager.GetCursor(cursor->Id()) != nullptr);
    for (const auto& command : tables.commands) sink = sink + (manager.GetCommandImage(command.first) != nullptr);
    sink = sink + manager.GetSharedWindowSettings().bmpScrollbar.size();
    (void)sink;
    return 0;
}
