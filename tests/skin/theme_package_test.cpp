// The installer's theme through the whole package pass: pictures stored
// under entry names, then bound to image ids by the theme.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/theme/skin_descriptions.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/zip_builder.h"

namespace {

const unsigned char kTheme[] = {
#include "installer_theme.inc"
};

}  // namespace

TEST(ThemePackage, InstallerPackageBindsEveryPictureToItsId) {
    std::vector<ziptest::Entry> entries;
    ziptest::Entry xml;
    xml.name = "skin.xml";
    xml.data.assign(kTheme, kTheme + sizeof kTheme);
    entries.push_back(xml);
    ziptest::Entry folder;
    folder.name = "skin/";
    folder.method = 0;
    entries.push_back(folder);
    for (const char* name : {"btn_close_down.png", "btn_close_hit.png", "btn_close_nor.png", "btn_min_down.png",
                             "btn_min_hit.png", "btn_min_nor.png", "done.png", "done_s.png", "install.png",
                             "install_s.png", "PromptBk.bmp", "warning.png", "warning_s.png"}) {
        ziptest::Entry e;
        e.name = std::string("skin/") + name;
        e.data = ziptest::Bytes(name);  // the pixels do not matter here
        entries.push_back(e);
    }
    std::vector<uint8_t> zip = ziptest::Build(entries).bytes;

    CSkinResourceManager manager;
    ASSERT_EQ(manager.LoadFromMemory(zip.data(), zip.size(), nullptr), 1);
    EXPECT_EQ(manager.Images().Size(), 13u);
    size_t entryKeys = 0;
    manager.Images().ForEach([&](const std::wstring& key, const CSkinDrawImage&) {
        if (key.find(L'/') != std::wstring::npos || key.find(L'\\') != std::wstring::npos) ++entryKeys;
    });
    EXPECT_EQ(entryKeys, 0u);
    ASSERT_NE(manager.FindImage(L"standard.Prompt.Background"), nullptr);
    EXPECT_TRUE(manager.FindImage(L"standard.Prompt.Background")->IsBitmapFile());
    EXPECT_NE(manager.FindImage(L"btn_warning_s"), nullptr);
    EXPECT_NE(manager.GetFontHandle(L"default_title_bold"), nullptr);
    EXPECT_EQ(manager.GetColor(L"standard.color"), 0xFFFFFFu);
    EXPECT_NE(manager.GetDescription<SkinButtonDesc>(L"standard.buttton"), nullptr);
    EXPECT_NE(manager.GetDescription<SkinWindowDesc>(L"PromptDialog"), nullptr);
}
