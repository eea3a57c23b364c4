#include <gtest/gtest.h>

#include <string>

#include "image/test_pictures.h"
#include "skin/hostile_archives.h"
#include "skin/package/skin_zip_reader.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/zip_builder.h"

using ziptest::Build;
using ziptest::Bytes;
using ziptest::Entry;

namespace {

Entry Make(const std::string& name, std::vector<uint8_t> data, uint16_t method = 8) {
    Entry e;
    e.name = name;
    e.data = std::move(data);
    e.method = method;
    return e;
}

std::vector<uint8_t> Png(int w, int h) { return pictest::MakePng(w, h, pictest::Pattern(w, h)); }

// The installer's package layout: the same entries, order and methods.
std::vector<uint8_t> InstallerLikePackage(const std::string& xml) {
    auto bk = pictest::Pattern(509, 233, true);
    return Build({Make("skin.xml", Bytes(xml)), Make("skin/", {}, 0), Make("skin/btn_close_down.png", Png(40, 23), 0),
                  Make("skin/btn_close_hit.png", Png(40, 23), 0), Make("skin/btn_close_nor.png", Png(40, 23), 0),
                  Make("skin/btn_min_down.png", Png(37, 23), 0), Make("skin/btn_min_hit.png", Png(37, 23), 0),
                  Make("skin/btn_min_nor.png", Png(37, 23)), Make("skin/done.png", Png(399, 42), 0),
                  Make("skin/done_s.png", Png(399, 42), 0), Make("skin/install.png", Png(399, 42), 0),
                  Make("skin/install_s.png", Png(399, 42), 0),
                  Make("skin/PromptBk.bmp", pictest::MakeBmp24(509, 233, bk)),
                  Make("skin/warning.png", Png(399, 42), 0), Make("skin/warning_s.png", Png(399, 42), 0)})
        .bytes;
}

}  // namespace

TEST(SkinPackage, LoadsEveryPictureUnderItsEntryName) {
    CSkinResourceManager manager;
    auto zip = InstallerLikePackage("<?xml version=\"1.0\"?>\r\n<doc/>");
    ASSERT_EQ(manager.LoadFromMemory(zip.data(), zip.size(), nullptr), 1);
    EXPECT_EQ(manager.Images().Size(), 13u);
    const CSkinDrawImage* close = manager.FindImage(L"skin/btn_close_nor.png");
    ASSERT_TRUE(close);
    EXPECT_EQ(close->GetType(), CSkinDrawImage::kTypePng);
    EXPECT_EQ(close->GetWidth(), 40);
    EXPECT_EQ(close->GetHeight(), 23);
    EXPECT_TRUE(close->GetPicture().hasAlpha);
    ASSERT_TRUE(manager.FindImage(L"skin/btn_min_nor.png"));  // the deflated one
    EXPECT_EQ(manager.FindImage(L"skin/btn_min_nor.png")->GetWidth(), 37);

    const CSkinDrawImage* bk = manager.FindImage(L"skin/PromptBk.bmp");
    ASSERT_TRUE(bk);
    EXPECT_TRUE(bk->IsBitmapFile());
    EXPECT_EQ(bk->GetWidth(), 509);
    EXPECT_EQ(bk->GetHeight(), 233);
    // The bitmap keeps the file's bytes plus one terminating zero.
    auto bmp = pictest::MakeBmp24(509, 233, pictest::Pattern(509, 233, true));
    ASSERT_EQ(bk->FileBytes().size(), bmp.size() + 1);
    EXPECT_TRUE(std::equal(bmp.begin(), bmp.end(), bk->FileBytes().begin()));
    EXPECT_EQ(bk->FileBytes().back(), 0);
    EXPECT_FALSE(manager.FindImage(L"skin/"));
}

TEST(SkinPackage, DispatchByNameEndingInAnyCase) {
    CSkinResourceManager manager;
    std::vector<uint8_t> gif = Bytes("GIF89a....");
    auto zip = Build({Make("a.PnG", Png(3, 2)), Make("b.Xml", Bytes("<theme/>")), Make("c.gif", gif),
                      Make("d.jpg", pictest::MakeJpeg(5, 4, pictest::Pattern(5, 4, true))),
                      Make("e.ico", pictest::MakeIcoDib32(6, 6, pictest::Pattern(6, 6))), Make("f.txt", Bytes("x")),
                      Make("png", Png(1, 1)), Make("g.jpeg", Bytes("x"))})
                   .bytes;
    ASSERT_EQ(manager.LoadFromMemory(zip.data(), zip.size(), nullptr), 1);
    ASSERT_TRUE(manager.FindImage(L"a.PnG"));
    EXPECT_EQ(manager.FindImage(L"a.PnG")->GetWidth(), 3);
    ASSERT_TRUE(manager.FindImage(L"d.jpg"));
    EXPECT_EQ(manager.FindImage(L"d.jpg")->GetType(), CSkinDrawImage::kTypeJpg);
    EXPECT_EQ(manager.FindImage(L"d.jpg")->GetWidth(), 5);
    ASSERT_TRUE(manager.FindImage(L"e.ico"));
    EXPECT_EQ(manager.FindImage(L"e.ico")->GetHeight(), 6);
    EXPECT_TRUE(manager.FindImage(L"png"));  // a name of exactly three characters
    EXPECT_FALSE(manager.FindImage(L"f.txt"));
    EXPECT_FALSE(manager.FindImage(L"g.jpeg"));
    // A GIF entry becomes a player (this one too short to show anything).
    ASSERT_TRUE(manager.GetGifPlayer(L"c.gif"));
    EXPECT_FALSE(manager.GetGifPlayer(L"c.gif")->Decoder().IsLoaded());
    EXPECT_EQ(manager.Images().Size(), 4u);
}

TEST(SkinPackage, FirstPictureOfANameWinsAndBrokenEntriesAreSkipped) {
    CSkinResourceManager manager;
    auto archive = Build({Make("x/a.png", Png(4, 4)), Make("../x/a.png", Png(8, 8)), Make("bad.png", Png(9, 9)),
                          Make("undecodable.png", Bytes("not a picture"))});
    // Damage bad.png's CRC: it must not be loaded at all.
    for (size_t at : {archive.centralOffsets[2] + ziptest::kCentralCrc, archive.localOffsets[2] + ziptest::kLocalCrc})
        ziptest::Put32(archive.bytes, at, ziptest::Get32(archive.bytes, at) ^ 0x100);
    ASSERT_EQ(manager.LoadFromMemory(archive.bytes.data(), archive.bytes.size(), nullptr), 1);
    ASSERT_TRUE(manager.FindImage(L"x/a.png"));
    EXPECT_EQ(manager.FindImage(L"x/a.png")->GetWidth(), 4);
    EXPECT_FALSE(manager.FindImage(L"bad.png"));
    // A block that does not decode still gives an (empty) image.
    ASSERT_TRUE(manager.FindImage(L"undecodable.png"));
    EXPECT_TRUE(manager.FindImage(L"undecodable.png")->GetPicture().Empty());
}

TEST(SkinPackage, TheLastXmlEntryIsTheTheme) {
    CSkinResourceManager manager;
    std::string first = "<theme><color><item id=\"first\" value=\"RGB(1,2,3)\"/></color></theme>";
    std::string second = "<theme><color><item id=\"second\" value=\"RGB(4,5,6)\"/></color></theme>";
    auto zip = Build({Make("one.xml", Bytes(first)), Make("two.XML", Bytes(second))}).bytes;
    ASSERT_EQ(manager.LoadFromMemory(zip.data(), zip.size(), nullptr), 1);
    EXPECT_EQ(manager.GetColor(L"second"), 0x00060504u);
    EXPECT_NE(manager.GetColor(L"first"), 0x00030201u);
}

TEST(SkinPackage, UnopenableSourcesChangeNothing) {
    CSkinResourceManager manager;
    auto zip = InstallerLikePackage("<doc/>");
    EXPECT_EQ(manager.LoadFromMemory(zip.data(), 0, nullptr), 0);
    EXPECT_EQ(manager.LoadFromMemory(nullptr, 0, nullptr), 0);
    std::vector<uint8_t> junk(3000, 0x50);
    EXPECT_EQ(manager.LoadFromMemory(junk.data(), junk.size(), nullptr), 0);
    EXPECT_EQ(manager.Images().Size(), 0u);
}

TEST(SkinPackage, HostileArchivesLoadWhatIsSound) {
    for (const ziptest::HostileCase& c : ziptest::HostileCases()) {
        SCOPED_TRACE(c.name);
        CSkinResourceManager manager;
        auto bytes = c.make();
        EXPECT_EQ(manager.LoadFromMemory(bytes.data(), bytes.size(), c.password), c.opens ? 1 : 0);
    }
}

TEST(SkinPackage, ThePassStopsAtItsTotalBudget) {
    // Five entries of 60 MiB each (deflated to about 60 KiB): only four fit
    // into the 256 MiB a package pass may read.
    std::vector<uint8_t> zeros(60u << 20, 0);
    auto zip = Build({Make("1.png", zeros), Make("2.png", zeros), Make("3.png", zeros), Make("4.png", zeros),
                      Make("5.png", zeros), Make("small.png", Png(2, 2))})
                   .bytes;
    zeros = std::vector<uint8_t>();
    CSkinResourceManager manager;
    ASSERT_EQ(manager.LoadFromMemory(zip.data(), zip.size(), nullptr), 1);
    for (const wchar_t* name : {L"1.png", L"2.png", L"3.png", L"4.png", L"small.png"})
        EXPECT_TRUE(manager.FindImage(name)) << name;
    EXPECT_FALSE(manager.FindImage(L"5.png"));
}

TEST(SkinPackage, DecodedPixelsCountAgainstTheBudget) {
    // Each picture decodes to 64 MiB: with the entries' own bytes counted,
    // three fit into the pass's 256 MiB and the later ones stay undecoded.
    auto big = pictest::MakeBlankPng(8192, 2048);
    auto zip = Build({Make("p1.png", big), Make("p2.png", big), Make("p3.png", big), Make("p4.png", big),
                      Make("p5.png", big), Make("small.png", Png(3, 3))})
                   .bytes;
    CSkinResourceManager manager;
    ASSERT_EQ(manager.LoadFromMemory(zip.data(), zip.size(), nullptr), 1);
    int decoded = 0;
    for (const wchar_t* name : {L"p1.png", L"p2.png", L"p3.png", L"p4.png", L"p5.png"}) {
        ASSERT_TRUE(manager.FindImage(name));
        decoded += manager.FindImage(name)->GetPicture().Empty() ? 0 : 1;
    }
    EXPECT_EQ(decoded, 3);
    EXPECT_EQ(manager.FindImage(L"p1.png")->GetWidth(), 8192);
    ASSERT_TRUE(manager.FindImage(L"small.png"));
    EXPECT_EQ(manager.FindImage(L"small.png")->GetWidth(), 3);
}

TEST(SkinPackage, SingleManager) {
    EXPECT_EQ(GetSkinResourceManager(), GetSkinResourceManager());
    EXPECT_NE(GetSkinResourceManager(), nullptr);
}
