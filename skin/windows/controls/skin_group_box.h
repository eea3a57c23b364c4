// CSkinGroupBtnSB: the skin of a group box (BS_GROUPBOX): the parent's
// background, a rounded frame line in the theme's colour and the caption
// (with its icon, bitmap or the theme's logo) over the line. A group box is
// a sibling of the controls inside it, so it never paints where a sibling
// lies.
#pragma once

#include <windows.h>

#include "skin/resources/skin_descriptions.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc.h"

class CSkinDrawImage;

class CSkinGroupBtnSB : public CSkinBase {
public:
    explicit CSkinGroupBtnSB(HWND window);

    void ApplyDescription() override;
    void AdjustColors(int hue, int saturation, int lightness) override;
    void OnReskinned() override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    const SkinGroupButtonDesc* GroupDescription() const {
        return static_cast<const SkinGroupButtonDesc*>(description_);
    }

private:
    friend struct SkinGroupTable;

    bool OnPaint(WPARAM, LPARAM, LRESULT*);
    bool OnEraseBackground(WPARAM, LPARAM, LRESULT*);
    bool OnQuietPass(WPARAM, LPARAM, LRESULT*);

    void Draw(ISkinCanvas& canvas);
    // The parent's background over `rect`, or the theme's default colour
    // when the parent has no skin.
    void PaintBehind(ISkinCanvas& canvas, const SkinRect& rect);

    UINT currentMessage_ = 0;
    CSkinDrawImage* logo_ = nullptr;
};
