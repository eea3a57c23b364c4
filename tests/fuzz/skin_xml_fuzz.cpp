// Fuzz target: the skin XML reader. Loads the bytes as UTF-8, then walks
// every element depth first (without recursion) reading its name and
// attributes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/xml/skin_xml_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CSkinXmlDocument doc;
    doc.SetIgnoreCase(size > 0 && data[size - 1] == 'I');
    doc.LoadUtf8(reinterpret_cast<const char*>(data), size);
    (void)doc.IsWellFormed();
    (void)doc.Message();
    static const wchar_t* const kNames[] = {L"id", L"value", L"x", L"class", L"a b", L"", L"captionHeight"};
    size_t visited = 0;
    for (;;) {
        if (doc.FindElement()) {
            ++visited;
            std::wstring name = doc.GetTagName();
            for (const wchar_t* n : kNames) (void)doc.GetAttribute(n);
            (void)doc.GetAttribute(name);
            doc.Descend();
            continue;
        }
        if (!doc.Ascend()) break;
    }
    if (visited != doc.ElementCount()) __builtin_trap();
    // Named searches from the top.
    doc.ResetPosition();
    while (doc.Ascend()) {
    }
    doc.ResetPosition();
    doc.FindElement(L"theme");
    return 0;
}
