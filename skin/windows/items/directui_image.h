// A picture item: a theme image drawn into the item's rectangle with the
// item's draw style. Its picture id can be changed at run time.
#pragma once

#include <string>

#include "skin/picture/skin_draw_image.h"
#include "skin/windows/items/directui_base.h"

class DirectUI_Image : public DirectUI_Base {
public:
    DirectUI_Image(const SkinItemDesc& desc, CSkinBase* owner);

    void Draw(ISkinCanvas& canvas, CSkinBase* owner, const SkinRect& parent) override;
    // Looks the picture up again by its id.
    void AdjustColors(const SkinColorShift& shift) override;

    // Sets the picture id and looks the picture up (any thread); an id the
    // theme lacks leaves the item without a picture.
    void SetPicture(const std::wstring& id);
    // The same with SkinItemLock() already held.
    void SetPictureLocked(const std::wstring& id);
    std::wstring PictureId() const;
    CSkinDrawImage* Image() const;

private:
    std::wstring pictureId_;           // guarded by SkinItemLock()
    CSkinDrawImage* image_ = nullptr;  // guarded by SkinItemLock(); owned by the theme
    SkinDrawStyle style_;
    SkinStyledDraw params_;
};
