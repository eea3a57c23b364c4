// The rows of the list-like skins apart from Win32: the records of rows
// whose height was set, which follow their rows through inserts and
// deletes; the row height and page the list may trust; the selection a
// list may hold; and how a row looks in its state.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/value_types.h"

// Row heights the list box accepts (it refuses anything above 255); a
// theme's 0 would divide the page by zero.
inline constexpr int kSkinListMinItemHeight = 1;
inline constexpr int kSkinListMaxItemHeight = 255;
// The height of a record made before anyone set one.
inline constexpr int kSkinListRecordHeight = 20;

int SkinClampItemHeight(int height);
// Whole rows a client area of `clientHeight` shows (0 for none).
int SkinListPage(int clientHeight, int itemHeight);
// `index` when it names a row of a list of `count` rows, else -1.
int SkinListValidRow(int index, int count);

// The records, kept sorted by row in one flat vector: an insert or delete
// touches only the records after it, so a list whose rows carry no record
// pays nothing, and one that does pays a pass of additions, never a
// rebuild. One before every record (a list filled from the top) moves them
// all at once: the rows are kept relative to a common base.
class SkinListRowRecords {
public:
    struct Record {
        int row = 0;
        int height = kSkinListRecordHeight;
    };

    bool Has(int row) const;
    // The record's height, or `fallback` for a row without one.
    int HeightOf(int row, int fallback) const;
    // Sets the row's height, making its record when it has none.
    void SetHeight(int row, int height);
    // A row was inserted at `row`: records at or after it move one down the list.
    void Inserted(int row);
    // Row `row` was deleted: its record goes, the later ones move up.
    void Deleted(int row);
    void Clear() {
        records_.clear();
        base_ = 0;
    }
    // The records in row order, with their rows as the list has them now.
    std::vector<Record> Records() const;

private:
    std::vector<Record>::iterator LowerBound(int row);
    std::vector<Record>::const_iterator LowerBound(int row) const;
    std::vector<Record> records_;  // rows relative to base_
    int base_ = 0;
};

// What a row is painted with.
struct SkinListRowStyle {
    bool hasCheckedPicture = false;
    bool hasOverPicture = false;
    bool opaque = true;                              // the theme's alpha < 0: rows are filled
    SkinColor color1 = 0xFFFFFF, color2 = 0xFFFFFF;  // odd rows, even rows
    SkinColor overColor = 0xFFFFFF, checkedColor = 0xFFFFFF;
    SkinColor textNormal = 0, textOver = 0, textChecked = 0;
};

// The row colours of a list-like description (list box, list view, tree:
// the same attribute names).
template <class Desc>
SkinListRowStyle SkinListRowStyleOf(const Desc& desc, bool hasCheckedPicture, bool hasOverPicture, bool opaque) {
    SkinListRowStyle style;
    style.hasCheckedPicture = hasCheckedPicture;
    style.hasOverPicture = hasOverPicture;
    style.opaque = opaque;
    style.color1 = desc.itemBackgroundColor1;
    style.color2 = desc.itemBackgroundColor2;
    style.overColor = desc.itemBackgroundOverColor;
    style.checkedColor = desc.itemBackgroundCheckedColor;
    style.textNormal = desc.itemTextNormalColor;
    style.textOver = desc.itemTextOverColor;
    style.textChecked = desc.itemTextCheckedColor;
    return style;
}

enum class SkinListRowPicture : uint8_t { None, Checked, Over };

struct SkinListRowLook {
    SkinListRowPicture picture = SkinListRowPicture::None;
    std::optional<SkinColor> fill;  // under the picture, when there is none
    SkinColor text = 0;
    uint32_t mask = 1;  // the state mask of the drawing items the row shows
};

// The selected row wins over hover; a hover row the theme gives neither a
// picture nor a fill of its own (its stripes differ) keeps its stripe.
SkinListRowLook SkinListRowLookOf(const SkinListRowStyle& style, int row, bool selected, bool hover);
