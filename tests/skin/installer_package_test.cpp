// The installer's own skin package, as built from res/skin/.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/package/skin_zip_reader.h"
#include "skin/theme/skin_resource_manager.h"

namespace {

// The build tree's path; under Wine the same file is on drive Z:.
std::vector<uint8_t> ReadPackage() {
    std::string path = TOVANE_SKIN_ZIP;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::string windows = "Z:" + path;
        for (char& c : windows)
            if (c == '/') c = '\\';
        in.open(windows, std::ios::binary);
    }
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Picture {
    const wchar_t* id;
    const wchar_t* entry;
    int width, height;
};
const Picture kPictures[] = {
    {L"standard.Prompt.Background", L"skin/PromptBk.bmp", 509, 233},
    {L"btn_close_nor", L"skin/btn_close_nor.png", 40, 23},
    {L"btn_close_hit", L"skin/btn_close_hit.png", 40, 23},
    {L"btn_close_down", L"skin/btn_close_down.png", 40, 23},
    {L"btn_min_down", L"skin/btn_min_down.png", 37, 23},
    {L"btn_min_nor", L"skin/btn_min_nor.png", 37, 23},
    {L"btn_min_hit", L"skin/btn_min_hit.png", 37, 23},
    {L"btn_done", L"skin/done.png", 399, 42},
    {L"btn_done_s", L"skin/done_s.png", 399, 42},
    {L"btn_install", L"skin/install.png", 399, 42},
    {L"btn_install_s", L"skin/install_s.png", 399, 42},
    {L"btn_warning", L"skin/warning.png", 399, 42},
    {L"btn_warning_s", L"skin/warning_s.png", 399, 42},
};

}  // namespace

TEST(InstallerPackage, EntriesInArchiveOrderWithTheirMethods) {
    std::vector<uint8_t> zip = ReadPackage();
    auto reader = CSkinZipReader::OpenMemory(zip.data(), zip.size(), nullptr);
    ASSERT_TRUE(reader);
    const wchar_t* names[] = {L"skin.xml",
                              L"skin/",
                              L"skin/btn_close_down.png",
                              L"skin/btn_close_hit.png",
                              L"skin/btn_close_nor.png",
                              L"skin/btn_min_down.png",
                              L"skin/btn_min_hit.png",
                              L"skin/btn_min_nor.png",
                              L"skin/done.png",
                              L"skin/done_s.png",
                              L"skin/install.png",
                              L"skin/install_s.png",
                              L"skin/PromptBk.bmp",
                              L"skin/warning.png",
                              L"skin/warning_s.png"};
    const bool deflated[] = {true,  false, false, false, false, false, false, true,
                             false, false, false, false, true,  false, false};
    ASSERT_EQ(reader->EntryCount(), 15);
    for (int i = 0; i < 15; ++i) {
        SkinZipEntry e;
        ASSERT_TRUE(reader->GetEntry(i, &e));
        EXPECT_EQ(std::wstring(e.name), names[i]);
        // Stored entries have equal sizes; deflated ones here shrink.
        EXPECT_EQ(e.compressedSize != e.uncompressedSize, deflated[i]) << i;
        std::vector<uint8_t> data;
        EXPECT_TRUE(reader->ReadWholeEntry(i, data)) << i;
    }
}

TEST(InstallerPackage, LoadsThirteenPicturesUnderTheirIds) {
    std::vector<uint8_t> zip = ReadPackage();
    CSkinResourceManager manager;
    ASSERT_EQ(manager.LoadFromMemory(zip.data(), zip.size(), nullptr), 1);
    EXPECT_EQ(manager.Images().Size(), 13u);
    for (const Picture& p : kPictures) {
        const CSkinDrawImage* image = manager.FindImage(p.id);
        ASSERT_TRUE(image) << std::string(p.id, p.id + wcslen(p.id));
        EXPECT_EQ(image->GetWidth(), p.width);
        EXPECT_EQ(image->GetHeight(), p.height);
        EXPECT_FALSE(manager.FindImage(p.entry));
    }
    const CSkinDrawImage* bk = manager.FindImage(L"standard.Prompt.Background");
    ASSERT_TRUE(bk && bk->IsBitmapFile());
    // 24 bits per pixel, bottom-up, magenta in all four corners.
    const std::vector<uint8_t>& b = bk->FileBytes();
    ASSERT_GE(b.size(), 54u);
    EXPECT_EQ(b[28], 24);
    EXPECT_LT(b[25], 0x80);  // positive height: bottom-up
    size_t offset = b[10] | b[11] << 8;
    size_t stride = (509 * 3 + 3) & ~size_t(3);
    for (size_t row : {size_t(0), size_t(232)})
        for (size_t x : {size_t(0), size_t(508)}) {
            const uint8_t* px = &b[offset + row * stride + x * 3];
            EXPECT_EQ(px[0], 255);
            EXPECT_EQ(px[1], 0);
            EXPECT_EQ(px[2], 255);
        }
    const CSkinDrawImage* face = manager.FindImage(L"btn_install");
    ASSERT_TRUE(face);
    EXPECT_EQ(face->GetType(), CSkinDrawImage::kTypePng);
    EXPECT_TRUE(face->GetPicture().hasAlpha);
}
