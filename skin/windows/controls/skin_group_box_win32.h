// CSkinGroupBtnSB: the skin of a group box (BS_GROUPBOX): the parent's
// background, a rounded frame line in the theme's colour and the caption
// (with its icon, bitmap or the theme's logo) over the line. A group box is
// a sibling of the controls inside it, so it never paints where a sibling
// lies.
#pragma once

#include <windows.h>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinGroupBtnSB : public CSkinBase {
public:
    explicit CSkinGroupBtnSB(HWND window);

    void ApplyDescription() override;
    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinGroupButtonDesc* GroupDescription() const {
        return static_cast<const SkinGroupButtonDesc*>(description_);
    }

private:
    friend struct SkinGroupTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnQuietPass(const SkinMessage&, LRESULT*);

    void Draw(ISkinCanvas& canvas);
    // The parent's background over `rect`, or the theme's default colour
    // when the parent has no skin.
    void PaintBehind(ISkinCanvas& canvas, const SkinRect& rect);

    CSkinDrawImage* logo_ = nullptr;
};
