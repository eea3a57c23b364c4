#include "skin/common_controls_theme.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "skin/bmp_builder.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/zip_builder.h"

namespace common_controls_test {
namespace {

struct PictureSpec {
    const wchar_t* id;
    int width, height;
    uint32_t color;
};

// Colours far apart from each other, from the system's greys, black and
// white, and from magenta (the key).
const PictureSpec kPictures[] = {
    {L"spin.top.normal", 16, 10, 0x10A040},
    {L"spin.top.over", 16, 10, 0x20C060},
    {L"spin.top.down", 16, 10, 0x30E080},
    {L"spin.top.disable", 16, 10, 0x406020},
    {L"spin.bottom.normal", 16, 10, 0xA01040},
    {L"spin.bottom.over", 16, 10, 0xC02060},
    {L"spin.bottom.down", 16, 10, 0xE03080},
    {L"spin.bottom.disable", 16, 10, 0x604020},
    {L"spin.left.normal", 10, 16, 0x1040A0},
    {L"spin.left.over", 10, 16, 0x2060C0},
    {L"spin.left.down", 10, 16, 0x3080E0},
    {L"spin.left.disable", 10, 16, 0x204060},
    {L"spin.right.normal", 10, 16, 0x40A010},
    {L"spin.right.over", 10, 16, 0x60C020},
    {L"spin.right.down", 10, 16, 0x80E030},
    {L"spin.right.disable", 10, 16, 0x406010},
    {L"progress.h.normal", 20, 12, 0x70B0F0},
    {L"progress.h.active", 20, 12, 0xF0B070},
    {L"progress.v.normal", 12, 20, 0x9070D0},
    {L"progress.v.active", 12, 20, 0xD09070},
    {L"slider.thumb.normal", 11, 21, 0x50D0D0},
    {L"slider.thumb.over", 11, 21, 0xD0D050},
    {L"slider.thumb.down", 11, 21, 0xD050D0},
    {L"slider.thumb.disable", 11, 21, 0x7070A0},
    {L"slider.thumb.focus", 11, 21, 0xA07070},
    {L"slider.vthumb.normal", 21, 11, 0x50D090},
    {L"slider.channel.normal", 20, 6, 0x3050F0},
    {L"slider.channel.active", 20, 6, 0xF05030},
    {L"slider.vchannel.normal", 6, 20, 0x30F050},
    {L"slider.vchannel.active", 6, 20, 0x5030F0},
    {L"tab.top.normal", 20, 20, 0x60F0A0},
    {L"tab.top.over", 20, 20, 0xA0F060},
    {L"tab.top.checked", 20, 20, 0xF0A060},
    {L"tab.bottom.normal", 20, 20, 0x60A0F0},
    {L"tab.bottom.checked", 20, 20, 0xF060A0},
    {L"tab.left.normal", 20, 20, 0x90E0B0},
    {L"tab.left.checked", 20, 20, 0xB0E090},
    {L"tab.right.normal", 20, 20, 0xE0B090},
    {L"tab.right.checked", 20, 20, 0xB090E0},
    {L"push.normal", 20, 20, 0x8080F0},
    {L"push.over", 20, 20, 0x80F080},
    {L"push.down", 20, 20, 0xF08080},
};

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

std::string Hex(uint32_t rgb) {
    char text[32];
    std::snprintf(text, sizeof text, "RGB(%u,%u,%u)", rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
    return text;
}

std::string SkinXml() {
    std::string x = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<theme version=\"3.0\">\n<image>\n";
    for (const PictureSpec& p : kPictures)
        x += "<item id=\"" + Narrow(p.id) + "\" value=\"" + Narrow(p.id) + ".bmp\" />\n";
    x += "</image>\n<constrol>\n";
    x += R"x(<item class="spinbutton" id="t.spin"><attribute
        bmpTopNormal="spin.top.normal" bmpTopOver="spin.top.over" bmpTopDown="spin.top.down" bmpTopDisble="spin.top.disable"
        bmpBottomNormal="spin.bottom.normal" bmpBottomOver="spin.bottom.over" bmpBottomDown="spin.bottom.down"
        bmpBottomDisble="spin.bottom.disable"
        bmpLeftNormal="spin.left.normal" bmpLeftOver="spin.left.over" bmpLeftDown="spin.left.down" bmpLeftDisble="spin.left.disable"
        bmpRightNormal="spin.right.normal" bmpRightOver="spin.right.over" bmpRightDown="spin.right.down"
        bmpRightDisable="spin.right.disable" /></item>
<item class="spinbutton" id="t.spin.plain"><attribute bmpTopNormal="spin.top.normal" bmpBottomNormal="spin.bottom.normal" /></item>
)x";
    x += R"x(<item class="progress" id="t.progress.grid"><attribute channelHorizNormal="progress.h.normal"
        channelHorizActive="progress.h.active" channelVertNormal="progress.v.normal" channelVertActive="progress.v.active"
        drawStyle="draw9grid" borderOffset="(2,2,2,2)" showText="true" textColor=")x" +
         Hex(kProgressText) + R"x(" /></item>
<item class="progress" id="t.progress.strip"><attribute channelHorizNormal="progress.h.normal"
        channelHorizActive="progress.h.active" partOffset="3" activeOffset="2" /></item>
)x";
    x += R"x(<item class="slider" id="t.slider"><attribute thumbHorizNormal="slider.thumb.normal"
        thumbHorizOver="slider.thumb.over" thumbHorizDown="slider.thumb.down" thumbHorizDisible="slider.thumb.disable"
        thumbHorizFocus="slider.thumb.focus" thumbVertNormal="slider.vthumb.normal"
        channelHorizNormal="slider.channel.normal" channelHorizActive="slider.channel.active"
        channelVertNormal="slider.vchannel.normal" channelVertActive="slider.vchannel.active" channelOffset="2" /></item>
)x";
    x += R"x(<item class="button" id="t.push"><attribute picNormal="push.normal" picOver="push.over" picDown="push.down"
        border9grid="(2,2,2,2)" /></item>
<item class="tabctrl" id="t.tab"><attribute itemBackgroundTopNormalImage="tab.top.normal"
        itemBackgroundTopOverImage="tab.top.over" itemBackgroundTopCheckedImage="tab.top.checked"
        itemBackgroundBottomNormalImage="tab.bottom.normal" itemBackgroundBottomCheckedImage="tab.bottom.checked"
        itemBackgroundLeftNormalImage="tab.left.normal" itemBackgroundLeftCheckedImage="tab.left.checked"
        itemBackgroundRightNormalImage="tab.right.normal" itemBackgroundRightCheckedImage="tab.right.checked"
        spinbuttonSkinLabel="t.spin" pushbuttonSkinLabel="t.push" borderColor=")x" +
         Hex(kBorderColor) + R"x(" borderRound="4" itemTextNormalColor=")x" + Hex(kTabTextNormal) +
         R"x(" itemTextCheckedColor=")x" + Hex(kTabTextChecked) + R"x(" draw9grid="(2,2,2,2)" /></item>
)x";
    x += "</constrol>\n</theme>\n";
    return x;
}

}  // namespace

bool LoadTheme() {
    static const bool loaded = [] {
        std::vector<ziptest::Entry> entries;
        ziptest::Entry xml;
        xml.name = "skin.xml";
        xml.data = ziptest::Bytes(SkinXml());
        entries.push_back(xml);
        for (const PictureSpec& p : kPictures) {
            bmptest::BmpFormat format;
            format.width = p.width;
            format.height = p.height;
            ziptest::Entry picture;
            picture.name = Narrow(p.id) + ".bmp";
            picture.data = bmptest::MakeBmp(format, bmptest::Solid(p.width, p.height, p.color));
            entries.push_back(picture);
        }
        ziptest::Archive zip = ziptest::Build(entries);
        return GetSkinResourceManager()->LoadFromMemory(zip.bytes.data(), zip.bytes.size(), nullptr) == 1;
    }();
    return loaded;
}

uint32_t ColorOf(const std::wstring& pictureId) {
    for (const PictureSpec& p : kPictures)
        if (pictureId == p.id) return p.color;
    return 0xFFFFFFFF;
}

}  // namespace common_controls_test
