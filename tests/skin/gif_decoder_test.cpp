// The GIF decoder against giflib on files ImageMagick wrote, and on
// hostile files put together by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/picture.h"
#include "skin/gif_builder.h"
#include "skin/gif_reference.h"
#include "skin/picture/skin_gif_decoder.h"

namespace {

using giftest::Builder;
using giftest::Frame;
using giftest::Rgb;

std::vector<uint8_t> TestGif(const std::string& name) {
    return giftest::ReadFile(std::string(TOVANE_TEST_GIF_DIR) + "/" + name);
}

// Compares the decoder's canvas with a reference canvas; reports the first
// differing pixel.
::testing::AssertionResult SameCanvas(const SkinGifDecoder& d, const gifref::Canvas& ref) {
    if (!d.HasCanvas()) return ::testing::AssertionFailure() << "no canvas";
    if (d.Width() != ref.width || d.Height() != ref.height)
        return ::testing::AssertionFailure() << "size " << d.Width() << "x" << d.Height();
    for (int y = 0; y < ref.height; ++y)
        for (int x = 0; x < ref.width; ++x) {
            size_t i = size_t(y) * ref.width + x;
            if (d.PixelAt(x, y) != ref.pixels[i] || d.Mask()[i] != ref.painted[i])
                return ::testing::AssertionFailure()
                       << "pixel (" << x << "," << y << "): " << std::hex << d.PixelAt(x, y) << "/" << int(d.Mask()[i])
                       << " expected " << ref.pixels[i] << "/" << int(ref.painted[i]);
        }
    return ::testing::AssertionSuccess();
}

std::vector<uint8_t> Fill(int w, int h, uint8_t index) { return std::vector<uint8_t>(size_t(w) * h, index); }

const std::vector<Rgb> kFour = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
constexpr uint32_t kRed = 0x00FF0000, kGreen = 0x0000FF00, kBlue = 0x000000FF, kWhite = 0x00FFFFFF;

struct EncodedFile {
    const char* name;
    int frames;
    int disposals;  // bits that must be present
    bool interlaced, localTables, transparency;
};

// Every generated file, decoded frame by frame, equals giflib's decoding
// composited; after the last frame the animation starts again at frame 1.
TEST(GifDecoder, EveryFrameOfEncodedFilesMatchesGiflib) {
    const EncodedFile files[] = {
        {"leave.gif", 4, 1 << 1, false, true, true},
        {"background.gif", 3, 1 << 2, false, true, true},
        {"previous.gif", 4, 1 << 3, false, true, true},
        {"interlaced.gif", 3, 0, true, true, false},
        {"mixed.gif", 4, (1 << 1) | (1 << 2) | (1 << 3), false, true, true},
        {"single.gif", 1, 0, false, false, false},
        {"gif87.gif", 1, 0, false, false, false},
    };
    for (const EncodedFile& f : files) {
        SCOPED_TRACE(f.name);
        std::vector<uint8_t> bytes = TestGif(f.name);
        ASSERT_FALSE(bytes.empty());
        gifref::Animation ref = gifref::Composite(bytes);
        ASSERT_TRUE(ref.ok) << ref.error;
        // The file has what it is meant to test.
        ASSERT_EQ(ref.frames.size(), size_t(f.frames));
        EXPECT_EQ(ref.disposals & f.disposals, f.disposals);
        EXPECT_EQ(ref.interlaced, f.interlaced);
        EXPECT_EQ(ref.localTables, f.localTables);
        EXPECT_EQ(ref.transparency, f.transparency);

        SkinGifDecoder d;
        ASSERT_TRUE(d.Load(bytes.data(), bytes.size()));
        EXPECT_EQ(d.Version(), ref.version);
        for (int round = 0; round < 2; ++round)
            for (size_t i = 0; i < ref.frames.size(); ++i) {
                SCOPED_TRACE("frame " + std::to_string(i) + " round " + std::to_string(round));
                SkinGifDecoder::Step step = d.Advance();
                EXPECT_TRUE(step.decoded);
                EXPECT_EQ(step.rewound, round > 0 && i == 0);
                ASSERT_TRUE(SameCanvas(d, ref.frames[i]));
            }
    }
}

TEST(GifDecoder, DisposalToBackgroundClearsTheFrameWhileLeaveAccumulates) {
    // Three frames side by side; the second and third do not cover the first.
    auto build = [](int disposal) {
        Builder b(12, 4, kFour);
        for (int i = 0; i < 3; ++i) {
            Frame f;
            f.left = i * 4;
            f.width = 4;
            f.height = 4;
            f.indices = Fill(4, 4, uint8_t(i));
            f.disposal = disposal;
            b.Add(f);
        }
        return b.Finish();
    };
    SkinGifDecoder leave, background;
    ASSERT_TRUE(leave.Load(build(1)));
    ASSERT_TRUE(background.Load(build(2)));
    for (int i = 0; i < 3; ++i) {
        leave.Advance();
        background.Advance();
    }
    EXPECT_EQ(leave.PixelAt(0, 0), kRed);
    EXPECT_EQ(leave.PixelAt(5, 0), kGreen);
    EXPECT_EQ(leave.PixelAt(9, 0), kBlue);
    // Only the frame on display is left; the others went back to the
    // background (entry 0, red) and count as unpainted.
    EXPECT_EQ(background.PixelAt(9, 0), kBlue);
    EXPECT_EQ(background.PixelAt(5, 0), kRed);
    EXPECT_EQ(background.Mask()[5], 0);
    EXPECT_EQ(background.Mask()[0], 0);
}

TEST(GifDecoder, SignatureIsReadWithoutRegardToCase) {
    std::vector<uint8_t> file = TestGif("single.gif");
    for (const char* signature : {"GIF89a", "gif89a", "GiF87A"}) {
        std::vector<uint8_t> copy = file;
        std::copy(signature, signature + 6, copy.begin());
        SkinGifDecoder d;
        EXPECT_TRUE(d.Load(copy.data(), copy.size())) << signature;
        EXPECT_TRUE(d.HasCanvas());
    }
    for (const char* signature : {"GIF88a", "GIF89b", "\x89PNG\r\n"}) {
        std::vector<uint8_t> copy = file;
        std::copy(signature, signature + 6, copy.begin());
        SkinGifDecoder d;
        EXPECT_FALSE(d.Load(copy.data(), copy.size())) << signature;
        EXPECT_FALSE(d.HasCanvas());
        EXPECT_FALSE(d.Advance().decoded);
    }
    SkinGifDecoder empty;
    EXPECT_FALSE(empty.Load(nullptr, 0));
    EXPECT_FALSE(empty.Load(file.data(), 12));  // cut inside the screen descriptor
}

TEST(GifDecoder, TransparentIndexDoesNotLeakIntoEarlierOrLaterFrames) {
    // Frame 1 paints everything with entry 1 (green) as a real colour;
    // frame 2 uses entry 1 as its transparent index; frame 3 paints entry 1
    // again without transparency.
    Builder b(6, 6, kFour, 3);
    Frame f1;
    f1.width = f1.height = 6;
    f1.indices = Fill(6, 6, 1);
    f1.disposal = 1;
    b.Add(f1);
    Frame f2 = f1;
    f2.width = f2.height = 2;
    f2.indices = {1, 2, 2, 1};
    f2.transparent = 1;
    b.Add(f2);
    Frame f3 = f1;
    f3.left = 4;
    f3.width = f3.height = 2;
    f3.indices = Fill(2, 2, 1);
    b.Add(f3);
    SkinGifDecoder d;
    ASSERT_TRUE(d.Load(b.Finish()));
    d.Advance();
    d.Advance();
    EXPECT_EQ(d.PixelAt(0, 0), kGreen);  // not written, keeps frame 1
    EXPECT_EQ(d.PixelAt(1, 0), kBlue);
    EXPECT_EQ(d.PixelAt(5, 5), kGreen);  // outside frame 2: still green, not white
    d.Advance();
    EXPECT_EQ(d.PixelAt(4, 0), kGreen);
    EXPECT_EQ(d.PixelAt(0, 0), kGreen);
}

TEST(GifDecoder, UnpaintedPixelsShowTheBackgroundOrWhiteWhenItIsTransparent) {
    Builder b(4, 1, kFour, 2);
    Frame f;
    f.width = 1;
    f.height = 1;
    f.indices = {0};
    f.disposal = 1;
    b.Add(f);
    f.left = 1;
    f.transparent = 2;  // the background entry
    b.Add(f);
    SkinGifDecoder d;
    ASSERT_TRUE(d.Load(b.Finish()));
    EXPECT_EQ(d.PixelAt(3, 0), kBlue);  // before any frame
    d.Advance();
    EXPECT_EQ(d.PixelAt(3, 0), kBlue);
    d.Advance();
    EXPECT_EQ(d.PixelAt(3, 0), kWhite);
    EXPECT_EQ(d.PixelAt(0, 0), kRed);
    EXPECT_EQ(d.PixelAt(1, 0), kRed);
}

TEST(GifDecoder, LogicalScreenIsCappedByThePictureLimitsAndTheBudget) {
    struct Case {
        int w, h;
        size_t maxPixels;
        bool canvas;
    };
    const Case cases[] = {
        {tovane::kMaxPictureSide, 2, SIZE_MAX, true},
        {tovane::kMaxPictureSide + 1, 2, SIZE_MAX, false},
        {4096, 4097, SIZE_MAX, false},  // more pixels than a picture may have
        {100, 100, 10000, true},
        {100, 100, 9999, false},
        {0, 10, SIZE_MAX, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        std::vector<uint8_t> file = Builder(c.w, c.h, kFour).Finish();
        SkinGifDecoder d;
        EXPECT_TRUE(d.Load(file.data(), file.size(), c.maxPixels));
        EXPECT_EQ(d.HasCanvas(), c.canvas);
        EXPECT_LE(d.MaxMemoryBytes(), c.canvas ? size_t(c.w) * c.h * SkinGifDecoder::kBytesPerPixel : 0);
    }
}

TEST(GifDecoder, FramesAndRestoreAreasAreClippedToTheCanvas) {
    Builder b(8, 8, kFour);
    Frame huge;  // far outside, with a size that would be 16 GiB of pixels
    huge.left = huge.top = 65000;
    huge.width = huge.height = 65535;
    huge.useRaw = true;
    huge.rawLzw = giftest::LiteralLzw(Fill(300, 1, 2), 8);
    huge.disposal = 3;
    b.Add(huge);
    Frame across;  // reaches past the right and bottom edges
    across.left = across.top = 6;
    across.width = across.height = 4;
    across.indices = Fill(4, 4, 2);
    across.disposal = 3;
    b.Add(across);
    Frame last;
    last.width = last.height = 1;
    last.indices = {3};
    b.Add(last);
    SkinGifDecoder d;
    ASSERT_TRUE(d.Load(b.Finish()));
    EXPECT_TRUE(d.Advance().decoded);
    EXPECT_EQ(d.Mask()[63], 0);
    EXPECT_TRUE(d.Advance().decoded);
    EXPECT_EQ(d.PixelAt(7, 7), kBlue);
    EXPECT_EQ(d.PixelAt(5, 5), kRed);
    // Restoring the clipped area brings back the background.
    EXPECT_TRUE(d.Advance().decoded);
    EXPECT_EQ(d.PixelAt(7, 7), kRed);
    EXPECT_EQ(d.Mask()[63], 0);
    EXPECT_EQ(d.PixelAt(0, 0), 0x00FFFF00u);
}

TEST(GifDecoder, LzwCodeSizesAndBadCodes) {
    auto decodeOne = [](const Frame& f, SkinGifDecoder& d) {
        std::vector<uint8_t> file = Builder(4, 1, kFour).Add(f).Finish();
        ASSERT_TRUE(d.Load(file.data(), file.size()));
        ASSERT_TRUE(d.Advance().decoded);
    };
    Frame f;
    f.width = 4;
    f.height = 1;
    f.indices = {1, 2, 3, 1};
    for (int size : {2, 8}) {
        f.minCodeSize = size;
        SkinGifDecoder d;
        decodeOne(f, d);
        EXPECT_EQ(d.PixelAt(3, 0), kGreen) << size;
    }
    for (int size : {0, 1, 9, 12}) {
        f.minCodeSize = size;
        f.useRaw = true;
        f.rawLzw = giftest::LiteralLzw(f.indices, 2);
        SkinGifDecoder d;
        decodeOne(f, d);
        EXPECT_EQ(d.Mask()[0], 0) << size;  // nothing decoded
    }
    // A code past the next free one ends the frame; what came before stays.
    giftest::CodeWriter w;
    w.Put(4, 3);   // clear
    w.Put(2, 3);   // "2"
    w.Put(1, 3);   // "1", defines 6 = "2 1"
    w.Put(7, 3);   // the code being defined: "1 1"; the codes grow to 4 bits
    w.Put(15, 4);  // next free is 8: beyond it
    w.Put(3, 4);
    f = Frame();
    f.width = 8;
    f.height = 1;
    f.minCodeSize = 2;
    f.useRaw = true;
    f.rawLzw = w.Finish();
    SkinGifDecoder d;
    std::vector<uint8_t> file = Builder(8, 1, kFour).Add(f).Finish();
    ASSERT_TRUE(d.Load(file.data(), file.size()));
    ASSERT_TRUE(d.Advance().decoded);
    EXPECT_EQ(d.PixelAt(0, 0), kBlue);
    EXPECT_EQ(d.PixelAt(1, 0), kGreen);
    EXPECT_EQ(d.PixelAt(2, 0), kGreen);
    EXPECT_EQ(d.PixelAt(3, 0), kGreen);
    EXPECT_EQ(d.Mask()[4], 0);
}

TEST(GifDecoder, FullTableKeepsDecodingTwelveBitCodes) {
    // 6000 literals without a clear: the table fills at 4096 entries and
    // stays full; the codes after that are still read at 12 bits.
    std::vector<uint8_t> indices(6000);
    for (size_t i = 0; i < indices.size(); ++i) indices[i] = uint8_t(i * 7 % 4);
    Frame f;
    f.width = 100;
    f.height = 60;
    f.minCodeSize = 2;
    f.useRaw = true;
    f.rawLzw = giftest::LiteralLzw(indices, 2);
    std::vector<uint8_t> file = Builder(100, 60, kFour).Add(f).Finish();
    gifref::Animation ref = gifref::Composite(file);
    ASSERT_TRUE(ref.ok) << ref.error;
    SkinGifDecoder d;
    ASSERT_TRUE(d.Load(file.data(), file.size()));
    ASSERT_TRUE(d.Advance().decoded);
    EXPECT_TRUE(SameCanvas(d, ref.frames[0]));
}

TEST(GifDecoder, TruncatedAndOverlongLengthsStayInsideTheData) {
    std::vector<uint8_t> whole = TestGif("leave.gif");
    // Every prefix loads or fails, and every frame it has decodes, without
    // reading past the end (the sanitizers watch).
    for (size_t n = 0; n < whole.size(); n += 7) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        SkinGifDecoder d;
        if (!d.Load(std::move(cut))) continue;
        for (int i = 0; i < 6; ++i) d.Advance();
    }
    // A sub-block length past the end keeps the pixels that are there.
    Frame f;
    f.width = 4;
    f.height = 1;
    f.indices = {1, 1, 1, 1};
    f.minCodeSize = 2;
    std::vector<uint8_t> file = Builder(4, 1, kFour).Add(f).Finish(false);
    file.resize(file.size() - 1);  // the terminator
    file[file.size() - giftest::LiteralLzw(f.indices, 2, 200).size() - 1] = 200;
    SkinGifDecoder d;
    ASSERT_TRUE(d.Load(file.data(), file.size()));
    EXPECT_TRUE(d.Advance().decoded);
    EXPECT_EQ(d.PixelAt(3, 0), kGreen);
    // A local colour table past the end ends the stream.
    std::vector<uint8_t> table = Builder(4, 1, kFour).Raw({0x2C, 0, 0, 0, 0, 4, 0, 1, 0, 0x87, 1, 2, 3}).Finish(false);
    SkinGifDecoder t;
    ASSERT_TRUE(t.Load(table.data(), table.size()));
    EXPECT_FALSE(t.Advance().decoded);
    // So does a global one: that file does not load.
    std::vector<uint8_t> global = Builder(4, 1, kFour).Finish(false);
    global.resize(20);
    EXPECT_FALSE(SkinGifDecoder().Load(global.data(), global.size()));
}

TEST(GifDecoder, FileWithoutImagesRewindsOncePerStep) {
    std::vector<uint8_t> comment = {0x21, 0xFE, 3, 'a', 'b', 'c', 0};
    for (bool trailer : {true, false}) {
        std::vector<uint8_t> file = Builder(4, 4, kFour).Raw(comment).Finish(trailer);
        SkinGifDecoder d;
        ASSERT_TRUE(d.Load(file.data(), file.size()));
        for (int i = 0; i < 3; ++i) {
            SkinGifDecoder::Step s = d.Advance();
            EXPECT_FALSE(s.decoded);
            EXPECT_TRUE(s.rewound);
        }
    }
}

TEST(GifDecoder, IndicesPastASmallTableAreBlackAndFramesWithoutColoursAreSkipped) {
    Frame f;
    f.width = 2;
    f.height = 1;
    f.indices = {1, 200};
    f.localTable = {{9, 9, 9}, {255, 0, 0}};
    std::vector<uint8_t> file = Builder(2, 1).Add(f).Finish();
    SkinGifDecoder d;
    ASSERT_TRUE(d.Load(file.data(), file.size()));
    EXPECT_FALSE(d.HasCanvas());  // no colours seen yet
    ASSERT_TRUE(d.Advance().decoded);
    ASSERT_TRUE(d.HasCanvas());
    EXPECT_EQ(d.PixelAt(0, 0), kRed);
    EXPECT_EQ(d.PixelAt(1, 0), 0u);

    f.localTable.clear();
    std::vector<uint8_t> none = Builder(2, 1).Add(f).Finish();
    SkinGifDecoder n;
    ASSERT_TRUE(n.Load(none.data(), none.size()));
    EXPECT_TRUE(n.Advance().decoded);
    EXPECT_FALSE(n.HasCanvas());
}

}  // namespace
