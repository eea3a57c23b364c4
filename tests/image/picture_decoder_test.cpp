#include <gtest/gtest.h>

#include <cstdlib>

#include "image/picture.h"
#include "image/test_pictures.h"

using pictest::Rgba;
using tovane::DecodePicture;
using tovane::Picture;
using tovane::PictureFormat;

namespace {

// Expected B, G, R, A of a straight pixel after premultiplication.
void ExpectPremultiplied(const Picture& pic, int x, int y, const Rgba& p, int tolerance = 0) {
    const uint8_t* d = pic.Row(y) + x * 4;
    auto pm = [&](uint8_t c) { return (c * p.a + 127) / 255; };
    EXPECT_LE(std::abs(d[0] - pm(p.b)), tolerance) << x << "," << y;
    EXPECT_LE(std::abs(d[1] - pm(p.g)), tolerance) << x << "," << y;
    EXPECT_LE(std::abs(d[2] - pm(p.r)), tolerance) << x << "," << y;
    EXPECT_EQ(d[3], p.a) << x << "," << y;
}

void ExpectAllPixels(const Picture& pic, const std::vector<Rgba>& px, int tolerance = 0) {
    for (int y = 0; y < pic.height; ++y)
        for (int x = 0; x < pic.width; ++x)
            ExpectPremultiplied(pic, x, y, px[static_cast<size_t>(y) * pic.width + x], tolerance);
}

}  // namespace

TEST(PictureDecoder, PngRgbaIsTopDownPremultipliedBgra) {
    auto px = pictest::Pattern(40, 23);
    Picture pic =
        DecodePicture(pictest::MakePng(40, 23, px).data(), pictest::MakePng(40, 23, px).size(), PictureFormat::Png);
    ASSERT_EQ(pic.width, 40);
    ASSERT_EQ(pic.height, 23);
    EXPECT_EQ(pic.BitsPerPixel(), 32);
    EXPECT_TRUE(pic.hasAlpha);
    ExpectAllPixels(pic, px);
}

TEST(PictureDecoder, OpaquePicturesReportNoAlpha) {
    auto px = pictest::Pattern(17, 9, true);
    auto png = pictest::MakePng(17, 9, px, false);
    Picture pic = DecodePicture(png.data(), png.size(), PictureFormat::Png);
    ASSERT_FALSE(pic.Empty());
    EXPECT_FALSE(pic.hasAlpha);
    ExpectAllPixels(pic, px);

    auto jpeg = pictest::MakeJpeg(17, 9, px);
    Picture j = DecodePicture(jpeg.data(), jpeg.size(), PictureFormat::Jpeg);
    ASSERT_EQ(j.width, 17);
    ASSERT_EQ(j.height, 9);
    EXPECT_FALSE(j.hasAlpha);
    EXPECT_EQ(j.Alpha(16, 8), 255);
}

TEST(PictureDecoder, JpegColourAndGrayscale) {
    std::vector<Rgba> flat(32 * 16, Rgba{200, 40, 90, 255});
    auto jpeg = pictest::MakeJpeg(32, 16, flat);
    Picture pic = DecodePicture(jpeg.data(), jpeg.size(), PictureFormat::Jpeg);
    ASSERT_EQ(pic.width, 32);
    ExpectAllPixels(pic, flat, 6);

    std::vector<Rgba> grey(8 * 8, Rgba{0, 120, 0, 255});
    auto g = pictest::MakeJpeg(8, 8, grey, true);
    Picture gp = DecodePicture(g.data(), g.size(), PictureFormat::Jpeg);
    ASSERT_EQ(gp.width, 8);
    ExpectAllPixels(gp, std::vector<Rgba>(64, Rgba{120, 120, 120, 255}), 3);
}

TEST(PictureDecoder, CmykJpegIsConvertedToRgb) {
    // Stored values are 255 - ink: full key (255) leaves the colour as stored.
    auto jpeg = pictest::MakeCmykJpeg(16, 8, 51, 102, 153, 255);
    Picture pic = DecodePicture(jpeg.data(), jpeg.size(), PictureFormat::Jpeg);
    ASSERT_EQ(pic.width, 16);
    ExpectAllPixels(pic, std::vector<Rgba>(16 * 8, Rgba{51, 102, 153, 255}), 4);
    auto dark = pictest::MakeCmykJpeg(8, 8, 255, 255, 255, 0);
    Picture black = DecodePicture(dark.data(), dark.size(), PictureFormat::Jpeg);
    ASSERT_EQ(black.width, 8);
    ExpectAllPixels(black, std::vector<Rgba>(64, Rgba{0, 0, 0, 255}), 4);
}

TEST(PictureDecoder, IconImagesOfEveryKind) {
    auto px = pictest::Pattern(16, 16);
    auto dib32 = pictest::MakeIcoDib32(16, 16, px);
    Picture a = DecodePicture(dib32.data(), dib32.size(), PictureFormat::Icon);
    ASSERT_EQ(a.width, 16);
    ASSERT_EQ(a.height, 16);
    ExpectAllPixels(a, px);

    // Palette image: colours from the palette, transparency from the AND mask.
    auto dib8 = pictest::MakeIcoDib8(16, 16, px);
    Picture b = DecodePicture(dib8.data(), dib8.size(), PictureFormat::Icon);
    ASSERT_EQ(b.width, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const Rgba& p = px[static_cast<size_t>(y) * 16 + x];
            uint8_t index = p.b;
            Rgba expected = p.a == 0 ? Rgba{0, 0, 0, 0} : Rgba{0, static_cast<uint8_t>(255 - index), index, 255};
            ExpectPremultiplied(b, x, y, expected);
        }

    auto png = pictest::MakePng(48, 48, pictest::Pattern(48, 48));
    auto icoPng = pictest::MakeIcoPng(png, 48, 48);
    Picture c = DecodePicture(icoPng.data(), icoPng.size(), PictureFormat::Icon);
    ASSERT_EQ(c.width, 48);
    ExpectAllPixels(c, pictest::Pattern(48, 48));
}

TEST(PictureDecoder, BadBlocksGiveEmptyPictures) {
    auto png = pictest::MakePng(20, 20, pictest::Pattern(20, 20));
    auto jpeg = pictest::MakeJpeg(20, 20, pictest::Pattern(20, 20));
    auto ico = pictest::MakeIcoDib32(20, 20, pictest::Pattern(20, 20));
    struct Case {
        std::vector<uint8_t> bytes;
        PictureFormat format;
    };
    std::vector<Case> cases = {
        {{}, PictureFormat::Png},
        {std::vector<uint8_t>(png.begin(), png.begin() + 40), PictureFormat::Png},  // cut in IDAT
        {jpeg, PictureFormat::Png},                                                 // wrong format stated
        {png, PictureFormat::Jpeg},
        {std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 100), PictureFormat::Jpeg},  // header only
        {std::vector<uint8_t>(ico.begin(), ico.begin() + 30), PictureFormat::Icon},
        {png, PictureFormat::Icon},
    };
    // An icon entry pointing past the end of the file.
    auto badOffset = ico;
    badOffset[18] = 0xFF;
    badOffset[19] = 0xFF;
    cases.push_back({badOffset, PictureFormat::Icon});
    // A PNG claiming 100000 x 100000 pixels must be refused before allocation.
    auto huge = png;
    huge[16] = 0x00;
    huge[17] = 0x01;
    huge[18] = 0x86;
    huge[19] = 0xA0;
    huge[20] = 0x00;
    huge[21] = 0x01;
    huge[22] = 0x86;
    huge[23] = 0xA0;
    cases.push_back({huge, PictureFormat::Png});
    for (size_t i = 0; i < cases.size(); ++i) {
        Picture pic = DecodePicture(cases[i].bytes.data(), cases[i].bytes.size(), cases[i].format);
        EXPECT_TRUE(pic.Empty()) << "case " << i;
        EXPECT_EQ(pic.BitsPerPixel(), 0) << "case " << i;
    }
}
