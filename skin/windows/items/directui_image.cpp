#include "skin/windows/items/directui_image.h"

#include "skin/theme/skin_resource_manager.h"

namespace {

CSkinDrawImage* LookUp(const std::wstring& id) { return id.empty() ? nullptr : GetSkinResourceManager()->GetImage(id); }

}  // namespace

DirectUI_Image::DirectUI_Image(const SkinItemDesc& desc, CSkinBase* owner)
    : DirectUI_Base(desc, owner), pictureId_(desc.picFile), style_(SkinParseDrawStyle(desc.drawStyle)) {
    params_.border9grid = desc.border9grid;
    params_.partOffset = desc.partOffset;
    params_.vertical = desc.vertPaint;
    params_.xSrc = desc.xSrc;
    params_.ySrc = desc.ySrc;
    params_.srcWidth = desc.srcWidth;
    params_.srcHeight = desc.srcHeight;
    image_ = LookUp(pictureId_);
}

void DirectUI_Image::SetPicture(const std::wstring& id) {
    std::lock_guard<std::mutex> lock(SkinItemLock());
    SetPictureLocked(id);
}

void DirectUI_Image::SetPictureLocked(const std::wstring& id) {
    pictureId_ = id;
    image_ = LookUp(id);
}

std::wstring DirectUI_Image::PictureId() const {
    std::lock_guard<std::mutex> lock(SkinItemLock());
    return pictureId_;
}

CSkinDrawImage* DirectUI_Image::Image() const {
    std::lock_guard<std::mutex> lock(SkinItemLock());
    return image_;
}

void DirectUI_Image::Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) {
    Place(owner, parent);
    CSkinDrawImage* image = Image();
    if (image) image->DrawStyled(canvas, style_, rect_, params_);
}

void DirectUI_Image::AdjustColors(const SkinColorShift&) { SetPicture(PictureId()); }
