// List rows apart from Win32: records that follow their rows, the heights
// and pages a list may trust, the selection a list may hold, and the look
// of a row by state.
#include <gtest/gtest.h>

#include <vector>

#include "skin/windows/controls/skin_list_rows.h"

namespace {

std::vector<int> RowsOf(const SkinListRowRecords& records) {
    std::vector<int> rows;
    for (const auto& r : records.Records()) rows.push_back(r.row);
    return rows;
}

TEST(ListRowRecords, FollowTheirRowsThroughInsertsAndDeletes) {
    SkinListRowRecords records;
    for (int row = 0; row < 5; ++row) records.SetHeight(row, 10 + row);
    records.Deleted(1);
    EXPECT_EQ(RowsOf(records), (std::vector<int>{0, 1, 2, 3}));
    // Rows 2 to 4 kept their heights at 1 to 3.
    EXPECT_EQ(records.HeightOf(1, 0), 12);
    EXPECT_EQ(records.HeightOf(3, 0), 14);

    records.Inserted(0);
    EXPECT_EQ(RowsOf(records), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_FALSE(records.Has(0)) << "a new row starts without a record";
    EXPECT_EQ(records.HeightOf(0, 25), 25);
    EXPECT_EQ(records.HeightOf(1, 25), 10);

    // Deleting a row without a record still moves the later ones.
    records.Deleted(0);
    EXPECT_EQ(RowsOf(records), (std::vector<int>{0, 1, 2, 3}));
    // Past the end, and negative rows, move nothing.
    records.Inserted(9);
    records.Deleted(9);
    records.Inserted(-1);
    records.Deleted(-1);
    EXPECT_EQ(RowsOf(records), (std::vector<int>{0, 1, 2, 3}));
    records.Clear();
    EXPECT_TRUE(records.Records().empty());
}

TEST(ListRowRecords, MovesBeforeEveryRecordAndAmongThemAgree) {
    SkinListRowRecords records;
    records.SetHeight(3, 30);
    records.SetHeight(6, 60);
    records.Inserted(0);  // before every record: all move at once
    records.Inserted(2);
    EXPECT_EQ(RowsOf(records), (std::vector<int>{5, 8}));
    records.SetHeight(1, 10);  // a new first record after they moved
    records.Inserted(6);       // between two: only the later one moves
    records.Deleted(0);        // before every record again
    EXPECT_EQ(RowsOf(records), (std::vector<int>{0, 4, 8}));
    EXPECT_EQ(records.HeightOf(0, 0), 10);
    EXPECT_EQ(records.HeightOf(4, 0), 30);
    EXPECT_EQ(records.HeightOf(8, 0), 60);
    records.Deleted(4);
    EXPECT_EQ(RowsOf(records), (std::vector<int>{0, 7}));
    EXPECT_FALSE(records.Has(4));
    records.Clear();
    records.SetHeight(2, 20);
    EXPECT_EQ(RowsOf(records), (std::vector<int>{2})) << "a cleared list starts again from row 0";
}

TEST(ListRowRecords, SettingAHeightMakesTheRecordInOrder) {
    SkinListRowRecords records;
    records.SetHeight(7, 30);
    records.SetHeight(2, 40);
    records.SetHeight(7, 31);
    records.SetHeight(-3, 50);
    EXPECT_EQ(RowsOf(records), (std::vector<int>{2, 7}));
    EXPECT_EQ(records.HeightOf(7, 0), 31);
    EXPECT_TRUE(records.Has(2));
}

TEST(ListRowRecords, InsertsAtTheTopStayLinearWithManyRecords) {
    // 5000 records and 5000 inserts at the top: a rebuild of a map per
    // insert takes many seconds under the sanitizers; a pass of additions
    // a fraction of one.
    SkinListRowRecords records;
    for (int row = 0; row < 5000; ++row) records.SetHeight(row, 20);
    for (int i = 0; i < 5000; ++i) records.Inserted(0);
    ASSERT_EQ(records.Records().size(), 5000u);
    EXPECT_EQ(records.Records().front().row, 5000);
    EXPECT_EQ(records.Records().back().row, 9999);
}

TEST(ListRowHeights, ClampedToWhatTheListBoxKeepsAndThePageNeverDividesByZero) {
    EXPECT_EQ(SkinClampItemHeight(0), 1);
    EXPECT_EQ(SkinClampItemHeight(-5), 1);
    EXPECT_EQ(SkinClampItemHeight(25), 25);
    EXPECT_EQ(SkinClampItemHeight(300), 255);
    EXPECT_EQ(SkinListPage(100, 0), 100);
    EXPECT_EQ(SkinListPage(100, 25), 4);
    EXPECT_EQ(SkinListPage(99, 25), 3);
    EXPECT_EQ(SkinListPage(0, 25), 0);
    EXPECT_EQ(SkinListPage(-4, 25), 0);
    EXPECT_EQ(SkinListPage(600, 1000), 2);
}

TEST(ListSelection, OnlyMinusOneOrARowThatExists) {
    EXPECT_EQ(SkinListValidRow(0, 0), -1) << "an empty list has no row 0";
    EXPECT_EQ(SkinListValidRow(0xFFFF, 10), -1);
    EXPECT_EQ(SkinListValidRow(9, 10), 9);
    EXPECT_EQ(SkinListValidRow(10, 10), -1);
    EXPECT_EQ(SkinListValidRow(-2, 10), -1);
}

constexpr SkinColor kGrey = SkinRgb(240, 240, 240), kWhite = SkinRgb(255, 255, 255);

SkinListRowStyle Striped() {
    SkinListRowStyle s;
    s.color1 = kGrey;
    s.color2 = kWhite;
    s.overColor = SkinRgb(0, 0, 200);
    s.checkedColor = SkinRgb(0, 120, 0);
    s.textNormal = 1;
    s.textOver = 2;
    s.textChecked = 3;
    return s;
}

TEST(ListRowLook, StripesAlternateAndTheHoverRowKeepsItsStripe) {
    SkinListRowStyle s = Striped();
    for (int row = 0; row < 6; ++row) {
        SkinListRowLook look = SkinListRowLookOf(s, row, false, false);
        EXPECT_EQ(look.fill, row % 2 ? kGrey : kWhite) << row;
        EXPECT_EQ(look.mask, 1u);
        EXPECT_EQ(look.text, 1u);
    }
    SkinListRowLook hover = SkinListRowLookOf(s, 3, false, true);
    EXPECT_EQ(hover.fill, kGrey) << "the colours differ: the stripe stays";
    EXPECT_EQ(hover.mask, 2u);
    EXPECT_EQ(hover.text, 2u);
    // Equal stripes: the hover fill shows.
    s.color1 = s.color2 = kWhite;
    EXPECT_EQ(SkinListRowLookOf(s, 3, false, true).fill, SkinRgb(0, 0, 200));
}

TEST(ListRowLook, PicturesWinOverFillsAndSelectionOverHover) {
    SkinListRowStyle s = Striped();
    SkinListRowLook selected = SkinListRowLookOf(s, 2, true, true);
    EXPECT_EQ(selected.fill, SkinRgb(0, 120, 0));
    EXPECT_EQ(selected.picture, SkinListRowPicture::None);
    EXPECT_EQ(selected.mask, 32u);
    EXPECT_EQ(selected.text, 3u);

    s.hasOverPicture = true;
    EXPECT_EQ(SkinListRowLookOf(s, 2, true, true).picture, SkinListRowPicture::Over);
    EXPECT_FALSE(SkinListRowLookOf(s, 2, true, true).fill.has_value());
    EXPECT_EQ(SkinListRowLookOf(s, 2, true, false).fill, SkinRgb(0, 120, 0)) << "not hovered: the checked fill";
    EXPECT_EQ(SkinListRowLookOf(s, 2, false, true).picture, SkinListRowPicture::Over);
    s.hasCheckedPicture = true;
    EXPECT_EQ(SkinListRowLookOf(s, 2, true, true).picture, SkinListRowPicture::Checked);

    // Over the parent's picture: no fill anywhere, pictures still drawn.
    s.opaque = false;
    s.hasCheckedPicture = s.hasOverPicture = false;
    for (bool sel : {false, true})
        for (bool hov : {false, true}) EXPECT_FALSE(SkinListRowLookOf(s, 1, sel, hov).fill.has_value());
}

}  // namespace
