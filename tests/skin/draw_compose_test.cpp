// The plan of a composed replay and the cache that keeps composed results,
// apart from GDI.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "skin/draw/skin_canvas.h"
#include "skin/draw/skin_compose_cache.h"
#include "skin/draw/skin_compose_plan.h"

namespace {

using Px = SkinComposedPixel;

SkinComposeOp Op(bool special, int x, int y, int w, int h) { return SkinComposeOp{special, SkinBox{x, y, w, h}}; }

std::vector<SkinComposeOp> Plan(const std::vector<Px>& px, int w, int h, bool skipMayBeSpecial) {
    std::vector<SkinComposeOp> ops;
    EXPECT_TRUE(SkinPlanComposedCopy(px, w, h, skipMayBeSpecial, &ops));
    return ops;
}

TEST(ComposePlan, AButtonFaceWithSoftCornersIsThreeCopiesAndFourBlends) {
    // 399 x 42 with 3 x 3 corners of partial alpha and a transparent corner pixel.
    const int w = 399, h = 42;
    std::vector<Px> px(static_cast<size_t>(w) * h, Px::Copy);
    for (int y : {0, 1, 2, 39, 40, 41})
        for (int x : {0, 1, 2, 396, 397, 398})
            if ((x + y) % 4 != 0) px[static_cast<size_t>(y) * w + x] = Px::Special;
    px[0] = Px::Skip;
    EXPECT_EQ(Plan(px, w, h, true),
              (std::vector<SkinComposeOp>{Op(true, 0, 0, 3, 3), Op(false, 3, 0, 393, 3), Op(true, 396, 0, 3, 3),
                                          Op(false, 0, 3, 399, 36), Op(true, 0, 39, 3, 3), Op(false, 3, 39, 393, 3),
                                          Op(true, 396, 39, 3, 3)}));
}

TEST(ComposePlan, KeptPixelsAreNeverDrawnUnlessABlendMayTakeThem) {
    // Keyed corners over a gap: the middle rows keep every pixel.
    const int w = 20, h = 9;
    std::vector<Px> px(static_cast<size_t>(w) * h, Px::Skip);
    auto at = [&](int x, int y) -> Px& { return px[static_cast<size_t>(y) * w + x]; };
    for (int y : {0, 1, 2, 6, 7, 8})
        for (int x = 0; x < w; ++x)
            if (x < 4 || x >= 16) at(x, y) = (x + y) % 3 ? Px::Copy : Px::Special;
    EXPECT_EQ(Plan(px, w, h, false), (std::vector<SkinComposeOp>{Op(true, 0, 0, 4, 3), Op(true, 16, 0, 4, 3),
                                                                 Op(true, 0, 6, 4, 3), Op(true, 16, 6, 4, 3)}));
    // A kept pixel in a keyed corner splits its band rather than join a part.
    at(1, 1) = Px::Skip;
    std::vector<SkinComposeOp> ops = Plan(px, w, h, false);
    for (const SkinComposeOp& op : ops)
        EXPECT_FALSE(op.box.x <= 1 && 1 < op.box.x + op.box.w && op.box.y <= 1 && 1 < op.box.y + op.box.h);
    // Blends may take kept pixels: one band, the wide gap between the
    // corners still left out.
    EXPECT_EQ(Plan(px, w, h, true), (std::vector<SkinComposeOp>{Op(true, 0, 0, 4, 9), Op(true, 16, 0, 4, 9)}));
}

TEST(ComposePlan, NarrowCopiesJoinTheirSpecialNeighbours) {
    const int w = 30;
    std::vector<Px> px(w, Px::Copy);
    px[0] = px[1] = px[5] = px[6] = Px::Special;  // 3 copies between: joined
    px[20] = Px::Special;                         // 13 copies before, 9 after: kept apart
    EXPECT_EQ(Plan(px, w, 1, false), (std::vector<SkinComposeOp>{Op(true, 0, 0, 7, 1), Op(false, 7, 0, 13, 1),
                                                                 Op(true, 20, 0, 1, 1), Op(false, 21, 0, 9, 1)}));
}

TEST(ComposePlan, RandomPicturesArePlannedExactlyOrRefused) {
    uint32_t seed = 1;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    int planned = 0, refused = 0;
    for (int round = 0; round < 400; ++round) {
        int w = 1 + static_cast<int>(next() >> 26), h = 1 + static_cast<int>(next() >> 27);
        bool skipMayBeSpecial = round % 2 == 0;
        // Mostly copies, with clustered or scattered others.
        int rare = 2 + static_cast<int>(next() >> 29);
        std::vector<Px> px(static_cast<size_t>(w) * h);
        for (Px& p : px) {
            uint32_t r = next() >> 24;
            p = r % rare ? Px::Copy : (r / rare) % 2 ? Px::Special : Px::Skip;
        }
        if (round % 5 == 0)  // a whole band of kept pixels
            for (int x = 0; x < w; ++x) px[static_cast<size_t>(h / 2) * w + x] = Px::Skip;
        std::vector<SkinComposeOp> ops;
        if (!SkinPlanComposedCopy(px, w, h, skipMayBeSpecial, &ops)) {
            EXPECT_TRUE(ops.empty());
            ++refused;
            continue;
        }
        ++planned;
        ASSERT_LE(static_cast<int>(ops.size()), kSkinMaxComposeOps);
        std::vector<int> covered(px.size(), -1);
        for (size_t i = 0; i < ops.size(); ++i) {
            const SkinBox& b = ops[i].box;
            ASSERT_TRUE(b.w > 0 && b.h > 0 && b.x >= 0 && b.y >= 0 && b.x + b.w <= w && b.y + b.h <= h);
            for (int y = b.y; y < b.y + b.h; ++y)
                for (int x = b.x; x < b.x + b.w; ++x) {
                    int& c = covered[static_cast<size_t>(y) * w + x];
                    ASSERT_EQ(c, -1) << "ops overlap";
                    c = ops[i].special ? 1 : 0;
                }
        }
        for (size_t i = 0; i < px.size(); ++i) {
            switch (px[i]) {
                case Px::Copy:
                    ASSERT_NE(covered[i], -1);
                    break;
                case Px::Special:
                    ASSERT_EQ(covered[i], 1);
                    break;
                case Px::Skip:
                    ASSERT_TRUE(covered[i] == -1 || (skipMayBeSpecial && covered[i] == 1));
                    break;
            }
        }
    }
    EXPECT_GT(planned, 200);
    EXPECT_GT(refused, 0);
    std::vector<SkinComposeOp> ops{Op(false, 0, 0, 1, 1)};
    EXPECT_FALSE(SkinPlanComposedCopy({}, 0, 0, true, &ops));
    EXPECT_TRUE(ops.empty());
    EXPECT_FALSE(SkinPlanComposedCopy(std::vector<Px>(5), 2, 3, true, &ops));
}

// A result that says when it goes.
struct FakeResult : SkinComposedResult {
    explicit FakeResult(int* alive) : alive_(alive) { ++*alive_; }
    ~FakeResult() override { --*alive_; }
    int* alive_;
};

SkinComposeKey KeyOf(int width, int x = 0, int mode = 0) {
    SkinPiece pieces[2] = {{SkinBlit::Stretch, SkinBox{x, 5, width, 10}, SkinBox{0, 0, 4, 4}},
                           {SkinBlit::Keyed, SkinBox{x + width, 5, 3, 3}, SkinBox{4, 0, 3, 3}}};
    return SkinMakeComposeKey(nullptr, pieces, 2, SkinComposeBounds(pieces, 2), kSkinDefaultKey, 255, mode);
}

TEST(ComposeCache, KeysAreRelativeToTheBoxOfThePieces) {
    SkinPiece pieces[2] = {{SkinBlit::Copy, SkinBox{-4, 7, 10, 2}, SkinBox{}},
                           {SkinBlit::Copy, SkinBox{3, -2, 2, 3}, SkinBox{}}};
    EXPECT_EQ(SkinComposeBounds(pieces, 2), (SkinBox{-4, -2, 10, 11}));
    EXPECT_EQ(SkinComposeBounds(pieces, 0), SkinBox{});
    EXPECT_EQ(KeyOf(20, 0), KeyOf(20, 300));
    EXPECT_NE(KeyOf(20), KeyOf(21));
    EXPECT_NE(KeyOf(20, 0, 3), KeyOf(20, 0, 4));
    SkinComposeKey other = KeyOf(20);
    other.source = &other;
    EXPECT_NE(other, KeyOf(20));
}

TEST(ComposeCache, ListsAreComposedTheSecondTimeAndAFewAreKept) {
    int alive = 0;
    const size_t before = SkinComposeCache::BytesInUse();
    {
        SkinComposeCache cache;
        std::lock_guard<std::mutex> lock(cache.Mutex());
        EXPECT_FALSE(cache.SeenBefore(KeyOf(10)));
        EXPECT_TRUE(cache.SeenBefore(KeyOf(10)));
        // Sightings are few: enough other lists push one out.
        for (int i = 0; i < SkinComposeCache::kSightings; ++i) cache.SeenBefore(KeyOf(100 + i));
        EXPECT_FALSE(cache.SeenBefore(KeyOf(10)));

        for (int i = 0; i < SkinComposeCache::kEntries; ++i)
            ASSERT_TRUE(cache.Store(KeyOf(i), std::make_unique<FakeResult>(&alive), 1000));
        EXPECT_EQ(SkinComposeCache::BytesInUse(), before + 1000 * SkinComposeCache::kEntries);
        SkinComposedResult* first = cache.Find(KeyOf(0));  // now the most recent
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(cache.Find(KeyOf(99)), nullptr);
        ASSERT_TRUE(cache.Store(KeyOf(50), std::make_unique<FakeResult>(&alive), 1000));
        EXPECT_EQ(cache.Entries(), SkinComposeCache::kEntries);
        EXPECT_EQ(alive, SkinComposeCache::kEntries);
        EXPECT_EQ(cache.Find(KeyOf(1)), nullptr) << "the least recently used went";
        EXPECT_EQ(cache.Find(KeyOf(0)), first);
        // The same key again replaces its result.
        ASSERT_TRUE(cache.Store(KeyOf(0), std::make_unique<FakeResult>(&alive), 500));
        EXPECT_EQ(alive, SkinComposeCache::kEntries);
        EXPECT_EQ(SkinComposeCache::BytesInUse(), before + 1000 * (SkinComposeCache::kEntries - 1) + 500);
        // Past the process budget nothing is kept.
        EXPECT_FALSE(cache.Store(KeyOf(77), std::make_unique<FakeResult>(&alive), SkinComposeCache::kProcessBudget));
        EXPECT_EQ(cache.Find(KeyOf(77)), nullptr);
        EXPECT_LE(alive, SkinComposeCache::kEntries);
    }
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(SkinComposeCache::BytesInUse(), before);
}

}  // namespace
