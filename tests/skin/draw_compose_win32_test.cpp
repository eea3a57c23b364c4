// Composed results of the GDI canvas under Wine: a picture's piece list
// drawn again (composed, then replayed from what was composed) must give the
// very pixels, all 32 bits of them, that the plain path gives on the same
// target; the results are counted while they live and bounded; threads that
// draw one picture take turns.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/win_bitmap_info.h"
#include "image/picture.h"
#include "image/test_pictures.h"
#include "skin/bmp_builder.h"
#include "skin/draw/skin_compose_cache.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/picture/skin_hbitmap.h"
#include "skin/platform/skin_graphics.h"

namespace {

constexpr int kW = 24, kH = 20;  // the test pictures
constexpr uint32_t kMagenta = 0xFF00FF;

uint32_t Next(uint32_t& seed) {
    seed = seed * 1664525u + 1013904223u;
    return seed;
}

// Random colours with the key in the corners and in about one pixel of six.
std::vector<bmptest::Rgb> KeyedPixels(uint32_t seed) {
    std::vector<bmptest::Rgb> px;
    for (int i = 0; i < kW * kH; ++i) {
        uint32_t r = Next(seed);
        px.push_back((r >> 28) % 6 == 0 ? kMagenta : (r >> 4) & 0xFFFFFF);
    }
    return bmptest::WithCorners(px, kW, kH, kMagenta);
}

std::vector<uint8_t> BmpFile(const std::vector<bmptest::Rgb>& px) {
    bmptest::BmpFormat format;
    format.width = kW, format.height = kH;
    return bmptest::MakeBmp(format, px);
}

// Random colours and alpha: transparent, opaque and in between.
std::vector<uint8_t> PngFile(uint32_t seed) {
    std::vector<pictest::Rgba> px;
    for (int i = 0; i < kW * kH; ++i) {
        uint32_t r = Next(seed);
        int pick = (r >> 29) % 4;
        uint8_t a = pick == 0 ? 0 : pick == 1 ? 255 : uint8_t(1 + (r >> 3) % 254);
        // Opaque rows along the middle, so that the replay has plain copies.
        if (i / kW >= 6 && i / kW < 14) a = 255;
        px.push_back(pictest::Rgba{uint8_t(r >> 8), uint8_t(r >> 16), uint8_t(r >> 24), a});
    }
    return pictest::MakePng(kW, kH, px);
}

std::unique_ptr<CSkinDrawImage> FromBmp(const std::vector<uint8_t>& file) {
    return CSkinDrawImage::FromBitmapFile(file.data(), file.size());
}
std::unique_ptr<CSkinDrawImage> FromPng(const std::vector<uint8_t>& file) {
    return CSkinDrawImage::FromPicture(tovane::DecodePng(file.data(), file.size()), CSkinDrawImage::kTypePng);
}

// A target bitmap whose pixels are set and read while no DC holds it.
struct Target {
    SkinBitmapHandle ddb;
    CHBitmap dib;
    int w, h;

    Target(int width, int height, int bits) : w(width), h(height) {
        if (bits == 0)
            ddb = SkinGraphics().CreateCompatibleBitmap(w, h);  // the screen's kind, as paint buffers are
        else
            EXPECT_TRUE(dib.Create(w, h, bits));
    }
    HBITMAP Handle() const { return ddb ? ddb.get() : dib.Handle(); }
    BITMAPINFO Info() const { return win::Bgra32Info(w, -h); }
    void Set(const std::vector<uint32_t>& px) {
        BITMAPINFO info = Info();
        HDC screen = GetDC(nullptr);
        SetDIBits(screen, Handle(), 0, static_cast<UINT>(h), px.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
    }
    std::vector<uint32_t> Get() const {
        GdiFlush();
        std::vector<uint32_t> px(static_cast<size_t>(w) * h);
        BITMAPINFO info = Info();
        HDC screen = GetDC(nullptr);
        GetDIBits(screen, Handle(), 0, static_cast<UINT>(h), px.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        return px;
    }
    // One draw on a fresh canvas in the given stretch mode; the pixels after it.
    std::vector<uint32_t> Draw(const std::vector<uint32_t>& backdrop, int mode,
                               const std::function<void(ISkinCanvas&)>& draw) {
        Set(backdrop);
        {
            std::unique_ptr<ISkinCanvas> canvas = SkinGraphics().CreateBitmapCanvas(SkinSurface{Handle(), w, h});
            EXPECT_TRUE(canvas);
            if (!canvas) return {};
            SetStretchBltMode(canvas->Dc(), mode);
            draw(*canvas);
        }
        return Get();
    }
};

using DrawCall = std::function<void(ISkinCanvas&, CSkinDrawImage&, SkinComposeCache&)>;

struct Geometry {
    const char* name;
    DrawCall draw;
};

std::vector<Geometry> Geometries() {
    auto grid = [](SkinRect r, SkinQuad m) {
        return [r, m](ISkinCanvas& c, CSkinDrawImage& image, SkinComposeCache&) { image.Draw9Grid(c, r, m); };
    };
    auto part = [](SkinRect r, SkinQuad m, SkinRect src, SkinGridOrder order) {
        return
            [=](ISkinCanvas& c, CSkinDrawImage& image, SkinComposeCache&) { image.Draw9GridPart(c, r, m, src, order); };
    };
    return {
        {"enlarged", grid({3, 4, 60, 44}, {5, 4, 6, 3})},
        {"shrunk", grid({2, 2, 20, 15}, {4, 4, 4, 4})},
        {"own size", grid({5, 5, 5 + kW, 5 + kH}, {3, 3, 3, 3})},
        {"narrower than the margins", grid({1, 1, 9, 40}, {6, 5, 6, 5})},
        {"margins past the picture", grid({0, 0, 60, 40}, {14, 12, 14, 12})},
        {"partly outside the target", grid({-5, -3, 40, 30}, {4, 4, 4, 4})},
        {"part, centre first", part({3, 3, 50, 40}, {3, 3, 3, 3}, {2, 2, 22, 18}, SkinGridOrder::CentreFirst)},
        {"part, edges first", part({6, 1, 30, 44}, {2, 4, 3, 2}, {1, 0, 20, 19}, SkinGridOrder::EdgesFirst)},
        {"three parts",
         [](ISkinCanvas& c, CSkinDrawImage& image, SkinComposeCache&) {
             image.DrawThreePart(c, SkinRect{2, 30, 62, 46}, 5, 6, false);
         }},
        {"scaled keyed pieces over a stretch",
         [](ISkinCanvas& c, CSkinDrawImage& image, SkinComposeCache& cache) {
             SkinSurface s = image.GetSurface();
             const SkinPiece pieces[] = {
                 {SkinBlit::Stretch, SkinBox{0, 0, 50, 30}, SkinBox{3, 3, 10, 10}},
                 {SkinBlit::Keyed, SkinBox{4, 2, 40, 33}, SkinBox{0, 0, kW, kH}},
                 {SkinBlit::Keyed, SkinBox{20, 20, 13, 9}, SkinBox{2, 1, 20, 17}},
                 {SkinBlit::Keyed, SkinBox{30, 5, kW, kH}, SkinBox{0, 0, kW, kH}},
             };
             c.DrawPiecesCached(cache, s, pieces, 4, image.GetColorKey());
         }},
    };
}

// Compares all 32 bits of every pixel; names the first that differs.
::testing::AssertionResult Same(const std::vector<uint32_t>& want, const std::vector<uint32_t>& got, int w) {
    if (want.size() != got.size()) return ::testing::AssertionFailure() << "sizes differ";
    for (size_t i = 0; i < want.size(); ++i)
        if (want[i] != got[i])
            return ::testing::AssertionFailure()
                   << "pixel (" << i % w << "," << i / w << "): " << std::hex << got[i] << " instead of " << want[i];
    return ::testing::AssertionSuccess();
}

TEST(DrawComposed, EveryDrawOfAListGivesThePixelsOfThePlainPath) {
    const std::vector<uint8_t> bmp = BmpFile(KeyedPixels(11)), png = PngFile(23);
    struct Kind {
        const char* name;
        std::function<std::unique_ptr<CSkinDrawImage>()> make;
    };
    const Kind pictures[] = {{"bmp", [&] { return FromBmp(bmp); }}, {"png", [&] { return FromPng(png); }}};
    const int modes[] = {BLACKONWHITE, COLORONCOLOR, WHITEONBLACK, HALFTONE};
    const int targetBits[] = {0, 32, 24};  // a screen-kind bitmap, DIB sections of 32 and 24 bits
    const int tw = 64, th = 48;
    std::vector<uint32_t> backdrop(static_cast<size_t>(tw) * th);
    uint32_t seed = 5;
    for (uint32_t& p : backdrop) p = Next(seed);  // the fourth byte random too

    int composed = 0;
    for (const Kind& picture : pictures)
        for (const Geometry& g : Geometries())
            for (int mode : modes)
                for (int bits : targetBits) {
                    SCOPED_TRACE(std::string(picture.name) + ", " + g.name + ", mode " + std::to_string(mode) +
                                 ", target bits " + std::to_string(bits));
                    Target target(tw, th, bits);
                    // The plain path: a picture that never drew this list.
                    auto fresh = picture.make();
                    SkinComposeCache freshCache;
                    std::vector<uint32_t> want =
                        target.Draw(backdrop, mode, [&](ISkinCanvas& c) { g.draw(c, *fresh, freshCache); });
                    ASSERT_FALSE(want.empty());
                    ASSERT_NE(want, backdrop) << "the list drew nothing";
                    // Seen once, composed, then replayed twice.
                    const long before = SkinGraphics().LiveObjects();
                    auto image = picture.make();
                    SkinComposeCache cache;
                    for (int round = 0; round < 4; ++round) {
                        std::vector<uint32_t> got =
                            target.Draw(backdrop, mode, [&](ISkinCanvas& c) { g.draw(c, *image, cache); });
                        ASSERT_TRUE(Same(want, got, tw)) << "draw " << round + 1;
                    }
                    // Storage and composed results (a bitmap and a DC or two each).
                    // A BMP's key masks exist once a keyed piece was drawn: made
                    // here for lists with none, so the storage counts alike.
                    image->GetSurface();
                    long kept = SkinGraphics().LiveObjects() - before - (picture.name[0] == 'b' ? 3 : 1);
                    if (kept > 0) ++composed;
                    if (bits == 24) EXPECT_EQ(kept, 0) << "such targets are drawn on directly";
                }
    // Every list on the 32-bit targets outside HALFTONE but the BMP's three
    // parts (a HALFTONE middle), the PNG's overlapping blends and the keyed
    // pieces of a PNG (no masks): 2 x 9 lists x 3 modes x 2 targets.
    EXPECT_GE(composed, 108);
}

std::vector<uint8_t> SkinFile(const std::string& name) {
    std::string path = std::string(TOVANE_SOURCE_DIR) + "/res/skin/skin/" + name;
    std::ifstream in(path, std::ios::binary);
    if (!in) in.open("Z:" + path, std::ios::binary);  // the source tree under Wine
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(DrawComposed, TheInstallersBackgroundAndButtonFaceReplayExactly) {
    // The window's background into its client area, a face into its button.
    struct Case {
        const char* file;
        int w, h;
        SkinQuad margins;
    };
    for (const Case& c : {Case{"PromptBk.bmp", 503, 230, SkinQuad{15, 15, 15, 15}},
                          Case{"install.png", 399, 42, SkinQuad{2, 2, 2, 2}}}) {
        SCOPED_TRACE(c.file);
        std::vector<uint8_t> file = SkinFile(c.file);
        ASSERT_FALSE(file.empty());
        bool bmp = std::string(c.file).find(".bmp") != std::string::npos;
        auto make = [&] { return bmp ? FromBmp(file) : FromPng(file); };
        std::vector<uint32_t> backdrop(static_cast<size_t>(c.w) * c.h);
        uint32_t seed = 99;
        for (uint32_t& p : backdrop) p = Next(seed);
        for (int mode : {BLACKONWHITE, COLORONCOLOR}) {
            Target target(c.w, c.h, 0);
            auto draw = [&](CSkinDrawImage& image) {
                return target.Draw(backdrop, mode, [&](ISkinCanvas& canvas) {
                    EXPECT_EQ(image.Draw9Grid(canvas, SkinRect{0, 0, c.w, c.h}, c.margins), 1);
                });
            };
            auto fresh = make();
            std::vector<uint32_t> want = draw(*fresh);
            auto image = make();
            for (int round = 0; round < 3; ++round) ASSERT_TRUE(Same(want, draw(*image), c.w)) << "draw " << round + 1;
        }
    }
}

TEST(DrawComposed, RepeatsAreComposedOnceCountedWhileKeptAndBounded) {
    const std::vector<uint8_t> bmp = BmpFile(KeyedPixels(3)), png = PngFile(4);
    const size_t bytesBefore = SkinComposeCache::BytesInUse();
    for (bool keyed : {true, false}) {
        SCOPED_TRACE(keyed ? "bmp" : "png");
        Target target(80, 60, 32);
        std::unique_ptr<ISkinCanvas> canvas =
            SkinGraphics().CreateBitmapCanvas(SkinSurface{target.Handle(), target.w, target.h});
        ASSERT_TRUE(canvas);
        FromBmp(bmp)->Draw(*canvas, 0, 0);  // a source DC in the pool
        const long none = SkinGraphics().LiveObjects();
        auto image = keyed ? FromBmp(bmp) : FromPng(png);
        SkinQuad m{3, 3, 3, 3};
        image->Draw(*canvas, 0, 0);  // the picture's storage
        image->GetSurface();         // and a BMP's key masks, which its 9-grid's keyed pieces use
        const long base = SkinGraphics().LiveObjects();
        ASSERT_EQ(image->Draw9Grid(*canvas, SkinRect{0, 0, 40, 30}, m), 1);
        EXPECT_EQ(SkinGraphics().LiveObjects(), base) << "a list drawn once keeps nothing";
        ASSERT_EQ(image->Draw9Grid(*canvas, SkinRect{0, 0, 40, 30}, m), 1);
        const long one = SkinGraphics().LiveObjects() - base;
        EXPECT_GE(one, 2) << "the second draw keeps a composed result";
        EXPECT_LE(one, 4);
        EXPECT_GT(SkinComposeCache::BytesInUse(), bytesBefore);
        // Where it lies does not matter; the result is drawn from again.
        for (int i = 0; i < 100; ++i) ASSERT_EQ(image->Draw9Grid(*canvas, SkinRect{i % 7, 5, 40 + i % 7, 35}, m), 1);
        EXPECT_EQ(SkinGraphics().LiveObjects(), base + one);
        // Many sizes, each twice: a few results are kept, no more.
        for (int size = 0; size < 20; ++size)
            for (int again = 0; again < 2; ++again)
                ASSERT_EQ(image->Draw9Grid(*canvas, SkinRect{0, 0, 20 + size, 20 + size}, m), 1);
        EXPECT_LE(SkinGraphics().LiveObjects(), base + SkinComposeCache::kEntries * one);
        image.reset();
        EXPECT_EQ(SkinGraphics().LiveObjects(), none) << "the picture takes its results along";
        EXPECT_EQ(SkinComposeCache::BytesInUse(), bytesBefore);
    }
}

TEST(DrawComposed, ReplaysRestoreTheTargetAndLeaveThePictureFree) {
    auto image = FromBmp(BmpFile(KeyedPixels(9)));
    Target target(64, 48, 0);
    std::unique_ptr<ISkinCanvas> canvas =
        SkinGraphics().CreateBitmapCanvas(SkinSurface{target.Handle(), target.w, target.h});
    ASSERT_TRUE(canvas);
    HDC dc = canvas->Dc();
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    SetStretchBltMode(dc, COLORONCOLOR);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(image->Draw9Grid(*canvas, SkinRect{0, 0, 60, 40}, SkinQuad{4, 4, 4, 4}), 1);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetBkColor(dc), RGB(4, 5, 6));
    EXPECT_EQ(GetStretchBltMode(dc), COLORONCOLOR);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), target.Handle());
    // The picture and its masks sit in no DC between draws.
    SkinSurface s = image->GetSurface();
    HDC other = CreateCompatibleDC(nullptr);
    for (HBITMAP b : {s.bitmap, s.keyMask, s.keyBlack}) {
        HGDIOBJ old = SelectObject(other, b);
        EXPECT_NE(old, nullptr);
        SelectObject(other, old);
    }
    DeleteDC(other);
}

TEST(DrawComposed, ThreadsDrawingOnePictureTakeTurns) {
    // Each thread makes its own canvas; every draw must reach its target,
    // although one bitmap can sit in one DC at a time.
    auto image = FromBmp(BmpFile(KeyedPixels(17)));
    auto reference = FromBmp(BmpFile(KeyedPixels(17)));
    const int tw = 48, th = 40;
    std::vector<uint32_t> backdrop(static_cast<size_t>(tw) * th, 0x00102030);
    auto drawAll = [&](ISkinCanvas& c, CSkinDrawImage& picture, int i) {
        int ok = picture.Draw9Grid(c, SkinRect{0, 0, tw, th}, SkinQuad{5, 5, 5, 5});
        ok &= picture.Draw(c, i % 3, 1);
        ok &= picture.StretchDraw(c, 2, 30, 20, 8, 0, 0, kW, kH);
        return ok;
    };
    std::vector<std::vector<uint32_t>> want(3);
    for (int i = 0; i < 3; ++i) {
        Target t(tw, th, 32);
        want[static_cast<size_t>(i)] =
            t.Draw(backdrop, BLACKONWHITE, [&](ISkinCanvas& c) { drawAll(c, *reference, i); });
    }
    std::atomic<int> failures{0}, wrong{0};
    std::vector<std::thread> threads;
    for (int n = 0; n < 4; ++n)
        threads.emplace_back([&] {
            Target t(tw, th, 32);
            for (int i = 0; i < 150; ++i) {
                int ok = 0;
                std::vector<uint32_t> got =
                    t.Draw(backdrop, BLACKONWHITE, [&](ISkinCanvas& c) { ok = drawAll(c, *image, i); });
                if (ok != 1) ++failures;
                if (got != want[static_cast<size_t>(i % 3)]) ++wrong;
            }
        });
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
