#include "skin/windows/controls/skin_list_rows.h"

#include <algorithm>

int SkinClampItemHeight(int height) { return std::clamp(height, kSkinListMinItemHeight, kSkinListMaxItemHeight); }

int SkinListPage(int clientHeight, int itemHeight) {
    return clientHeight > 0 ? clientHeight / SkinClampItemHeight(itemHeight) : 0;
}

int SkinListValidRow(int index, int count) { return index >= 0 && index < count ? index : -1; }

std::vector<SkinListRowRecords::Record>::iterator SkinListRowRecords::LowerBound(int row) {
    const int64_t key = int64_t{row} - base_;
    return std::lower_bound(records_.begin(), records_.end(), key,
                            [](const Record& r, int64_t value) { return r.row < value; });
}

std::vector<SkinListRowRecords::Record>::const_iterator SkinListRowRecords::LowerBound(int row) const {
    const int64_t key = int64_t{row} - base_;
    return std::lower_bound(records_.begin(), records_.end(), key,
                            [](const Record& r, int64_t value) { return r.row < value; });
}

bool SkinListRowRecords::Has(int row) const {
    auto it = LowerBound(row);
    return it != records_.end() && it->row + base_ == row;
}

int SkinListRowRecords::HeightOf(int row, int fallback) const {
    auto it = LowerBound(row);
    return it != records_.end() && it->row + base_ == row ? it->height : fallback;
}

void SkinListRowRecords::SetHeight(int row, int height) {
    if (row < 0) return;
    auto it = LowerBound(row);
    if (it == records_.end() || it->row + base_ != row)
        it = records_.insert(it, Record{row - base_, kSkinListRecordHeight});
    it->height = height;
}

void SkinListRowRecords::Inserted(int row) {
    if (row < 0 || records_.empty()) return;
    if (row <= records_.front().row + base_) {
        ++base_;
        return;
    }
    for (auto it = LowerBound(row); it != records_.end(); ++it) ++it->row;
}

void SkinListRowRecords::Deleted(int row) {
    if (row < 0 || records_.empty()) return;
    if (row < records_.front().row + base_) {
        --base_;
        return;
    }
    auto it = LowerBound(row);
    if (it != records_.end() && it->row + base_ == row) it = records_.erase(it);
    for (; it != records_.end(); ++it) --it->row;
}

std::vector<SkinListRowRecords::Record> SkinListRowRecords::Records() const {
    std::vector<Record> out = records_;
    for (Record& r : out) r.row += base_;
    return out;
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
