// CSkinSliderCtrlSB: the skin of a slider (trackbar). It draws the channel,
// its filled part up to the thumb (or its selection range), the tick marks
// and the thumb by state (normal, over, down, disabled, focus) where the
// control itself places them, so dragging, paging and keys keep the
// control's own behaviour.
#pragma once

#include <windows.h>

#include <array>

#include "skin/theme/skin_descriptions.h"
#include "skin/windows/controls/skin_slider_geometry.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinDrawImage;

class CSkinSliderCtrlSB : public CSkinBase {
public:
    explicit CSkinSliderCtrlSB(HWND window);
    ~CSkinSliderCtrlSB() override;

    void AdjustColors(const SkinColorShift& shift) override;
    void OnReskinned() override;

    LRESULT HandleMessage(const SkinMessage& message);
    const SkinSliderDesc* SliderDescription() const { return static_cast<const SkinSliderDesc*>(description_); }

private:
    friend struct SkinSliderTable;

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnPassAndRepaint(const SkinMessage&, LRESULT*);
    bool OnMouseMove(const SkinMessage&, LRESULT*);
    bool OnButtonDown(const SkinMessage&, LRESULT*);
    bool OnButtonUp(const SkinMessage&, LRESULT*);
    bool OnMouseLeave(const SkinMessage&, LRESULT*);

    // The control's own answers, asked of its procedure directly.
    SkinRect ThumbRect();
    SkinRect ChannelRect(bool vertical);
    // The channel's filled part between the ends of the selection range.
    SkinRect SelectionRect(const SkinRect& channelRect, const SkinRect& channel, const SkinRect& thumb, bool vertical);
    void DrawTicks(ISkinCanvas& canvas, uint32_t style, const SkinRect& channel, const SkinRect& thumb);

    // Thumb faces (normal, over, down, disabled, focus) and channel
    // pictures (normal, active), horizontal first.
    std::array<CSkinDrawImage*, kSkinSliderFaceCount> thumbs_[2] = {};
    CSkinDrawImage* channels_[2][2] = {};
    bool overThumb_ = false;
};
