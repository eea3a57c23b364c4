#include "skin/windows/controls/skin_list_rows.h"

#include <algorithm>

int SkinClampItemHeight(int height) { return std::clamp(height, kSkinListMinItemHeight, kSkinListMaxItemHeight); }

int SkinListPage(int clientHeight, int itemHeight) {
    return clientHeight > 0 ? clientHeight / SkinClampItemHeight(itemHeight) : 0;
}

int SkinListValidRow(int index, int count) { return index >= 0 && index < count ? index : -1; }

std::vector<SkinListRowRecords::Record>::iterator SkinListRowRecords::LowerBound(int row) {
    return std::lower_bound(records_.begin(), records_.end(), row,
                            [](const Record& r, int value) { return r.row < value; });
}

std::vector<SkinListRowRecords::Record>::const_iterator SkinListRowRecords::LowerBound(int row) const {
    return std::lower_bound(records_.begin(), records_.end(), row,
                            [](const Record& r, int value) { return r.row < value; });
}

bool SkinListRowRecords::Has(int row) const {
    auto it = LowerBound(row);
    return it != records_.end() && it->row == row;
}

int SkinListRowRecords::HeightOf(int row, int fallback) const {
    auto it = LowerBound(row);
    return it != records_.end() && it->row == row ? it->height : fallback;
}

void SkinListRowRecords::SetHeight(int row, int height) {
    if (row < 0) return;
    auto it = LowerBound(row);
    if (it == records_.end() || it->row != row) it = records_.insert(it, Record{row, kSkinListRecordHeight});
    it->height = height;
}

void SkinListRowRecords::Inserted(int row) {
    if (row < 0) return;
    for (auto it = LowerBound(row); it != records_.end(); ++it) ++it->row;
}

void SkinListRowRecords::Deleted(int row) {
    if (row < 0) return;
    auto it = LowerBound(row);
    if (it != records_.end() && it->row == row) it = records_.erase(it);
    for (; it != records_.end(); ++it) --it->row;
}

SkinListRowLook SkinListRowLookOf(const SkinListRowStyle& style, int row, bool selected, bool hover) {
    SkinListRowLook look;
    SkinColor stripe = row % 2 ? style.color1 : style.color2;
    if (selected) {
        look.mask = 32;
        look.text = style.textChecked;
        if (style.hasCheckedPicture)
            look.picture = SkinListRowPicture::Checked;
        else if (hover && style.hasOverPicture)
            look.picture = SkinListRowPicture::Over;
        else if (style.opaque)
            look.fill = style.checkedColor;
        return look;
    }
    if (hover) {
        look.mask = 2;
        look.text = style.textOver;
        if (style.hasOverPicture) {
            look.picture = SkinListRowPicture::Over;
            return look;
        }
        if (style.color1 == style.color2) {
            look.fill = style.overColor;
            return look;
        }
    } else {
        look.text = style.textNormal;
    }
    if (style.opaque) look.fill = stripe;
    return look;
}
