// The display scale's arithmetic: the rule (value * DPI / 96, halves away
// from zero) at the scales Windows offers, spans that still meet after
// scaling, and 9-grid axes that always fill their destination.
#include "common/dpi_scale.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numeric>
#include <vector>

using dpi::DpiScale;

namespace {

constexpr int kScales[] = {96, 120, 144, 168, 192, 240, 288};

TEST(DpiScale, ScalesTheInstallersSizesAtEveryCommonScale) {
    struct Case {
        int dpi;
        int window, height, margin, one;
    };
    // 509 x 253 window, a 15-pixel 9-grid margin, a 1-pixel line.
    for (const Case& c : {Case{96, 509, 253, 15, 1}, Case{120, 636, 316, 19, 1}, Case{144, 764, 380, 23, 2},
                          Case{168, 891, 443, 26, 2}, Case{192, 1018, 506, 30, 2}}) {
        SCOPED_TRACE(c.dpi);
        const DpiScale s(c.dpi);
        EXPECT_EQ(s.Scale(509), c.window);
        EXPECT_EQ(s.Scale(253), c.height);
        EXPECT_EQ(s.Scale(15), c.margin);
        EXPECT_EQ(s.Scale(1), c.one);
        EXPECT_EQ(s.Scale(0), 0);
    }
    EXPECT_EQ(DpiScale(120).Percent(), 125);
    EXPECT_EQ(DpiScale(168).Percent(), 175);
    EXPECT_TRUE(DpiScale().IsIdentity());
    EXPECT_FALSE(DpiScale(120).IsIdentity());
}

TEST(DpiScale, PositionsFromTheFarEdgeMirrorTheirPositiveTwins) {
    // The caption buttons sit 40 and 77 pixels from the right edge.
    for (int dpi : kScales) {
        const DpiScale s(dpi);
        for (int v = 0; v <= 600; ++v) ASSERT_EQ(s.Scale(-v), -s.Scale(v)) << v << " at " << dpi;
    }
    EXPECT_EQ(DpiScale(144).Scale(-77), -116);  // 115.5 rounds away from zero
    EXPECT_EQ(DpiScale(120).Scale(-40), -50);
}

TEST(DpiScale, UnscaleReturnsEveryValueAtScalesFromOneUp) {
    for (int dpi : kScales) {
        const DpiScale s(dpi);
        for (int v = -300; v <= 3000; ++v) ASSERT_EQ(s.Unscale(s.Scale(v)), v) << v << " at " << dpi;
    }
}

TEST(DpiScale, OutOfRangeDpisAndHugeValuesStayDefined) {
    EXPECT_EQ(DpiScale(0).Dpi(), 96);  // a failed query
    EXPECT_EQ(DpiScale(-144).Dpi(), 96);
    EXPECT_EQ(DpiScale(1).Dpi(), dpi::kMinDpi);
    EXPECT_EQ(DpiScale(1 << 30).Dpi(), dpi::kMaxDpi);
    EXPECT_EQ(DpiScale(1 << 30).Scale(INT_MAX), INT_MAX);
    EXPECT_EQ(DpiScale(1 << 30).Scale(INT_MIN), INT_MIN);
    EXPECT_EQ(DpiScale(dpi::kMinDpi).Scale(1), 1) << "a positive length never vanishes";
    EXPECT_EQ(dpi::MulDivRound(7, 3, 0), 7);
    EXPECT_EQ(dpi::MulDivRound(7, 3, -2), 7);
    EXPECT_EQ(dpi::MulDivRound(5, 1, 2), 3);
    EXPECT_EQ(dpi::MulDivRound(-5, 1, 2), -3);
}

TEST(DpiScale, SpansScaledByTheirEdgesStillMeet) {
    // Rounding each length alone loses a pixel here: 6 + 6 + 6 = 18 while
    // the whole row of 15 is 19 at 125 %.
    const DpiScale s125(120);
    int spans[3] = {5, 5, 5};
    EXPECT_EQ(3 * s125.Scale(5), 18);
    s125.ScaleSpans(spans, 3, spans);  // in place
    EXPECT_EQ(spans[0] + spans[1] + spans[2], 19);
    EXPECT_EQ(spans[0], 6);
    EXPECT_EQ(spans[1], 7);
    EXPECT_EQ(spans[2], 6);

    // Every row of lengths, at every scale: the scaled pieces add up to the
    // scaled whole, and each is its exact size rounded down or up.
    std::vector<int> row;
    for (int i = 0; i < 40; ++i) row.push_back((i * 7919) % 23);  // 0..22, zeros included
    for (int dpi = dpi::kMinDpi; dpi <= 400; ++dpi) {
        const DpiScale s(dpi);
        std::vector<int> out(row.size());
        s.ScaleSpans(row.data(), static_cast<int>(row.size()), out.data());
        int edge = 0, sum = 0;
        for (size_t i = 0; i < row.size(); ++i) {
            const double exact = row[i] * dpi / 96.0;
            ASSERT_LE(std::abs(out[i] - exact), 1.0) << "span " << i << " at " << dpi;
            ASSERT_GE(out[i], 0);
            sum += row[i];
            edge += out[i];
            ASSERT_EQ(edge, s.Scale(sum)) << "edge after span " << i << " at " << dpi;
        }
    }
}

TEST(DpiScale, GridAxesFillTheirDestinationWithoutAGap) {
    // The window background's 15-pixel margins at 125 % and 175 %.
    const dpi::GridSpans a = dpi::ScaleGridSpans(DpiScale(120), 15, 15, 632);
    EXPECT_EQ(a.start, 19);
    EXPECT_EQ(a.middle, 594);
    EXPECT_EQ(a.end, 19);
    const dpi::GridSpans b = dpi::ScaleGridSpans(DpiScale(168), 15, 4, 100);
    EXPECT_EQ(b.start, 26);
    EXPECT_EQ(b.end, 7);
    EXPECT_EQ(b.middle, 67);

    for (int dpi : {96, 120, 144, 168, 192}) {
        const DpiScale s(dpi);
        for (int length = -3; length <= 120; ++length) {
            for (int m1 : {0, 2, 15, 40}) {
                for (int m2 : {0, 3, 15}) {
                    const dpi::GridSpans g = dpi::ScaleGridSpans(s, m1, m2, length);
                    ASSERT_EQ(g.start + g.middle + g.end, std::max(0, length)) << length << " at " << dpi;
                    ASSERT_GE(g.start, 0);
                    ASSERT_GE(g.middle, 0);
                    ASSERT_GE(g.end, 0);
                    if (s.Scale(m1) + s.Scale(m2) <= length) {
                        ASSERT_EQ(g.start, s.Scale(m1));
                        ASSERT_EQ(g.end, s.Scale(m2));
                    } else {
                        ASSERT_EQ(g.middle, 0) << "margins that do not fit leave no middle";
                    }
                }
            }
        }
    }
    // Margins too large for the length share it in proportion.
    const dpi::GridSpans tight = dpi::ScaleGridSpans(DpiScale(96), 10, 30, 8);
    EXPECT_EQ(tight.start, 2);
    EXPECT_EQ(tight.end, 6);
    // Negative margins count as none.
    const dpi::GridSpans negative = dpi::ScaleGridSpans(DpiScale(144), -5, -1, 10);
    EXPECT_EQ(negative.middle, 10);
}

}  // namespace
