#include "skin/windows/controls/skin_slider_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <vector>

#include "common/win_handles.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_picture_draw.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/skin_api_win32.h"

struct SkinSliderTable {
    using S = CSkinSliderCtrlSB;
    static constexpr SkinMessageEntry<S> kMessages[] = {
        {WM_ENABLE, &S::OnPassAndRepaint},
        {WM_PAINT, &S::OnPaint},
        {WM_ERASEBKGND, &S::OnEraseBackground},
        {WM_MOUSEMOVE, &S::OnMouseMove},
        {WM_TIMER, &S::OnPassAndRepaint},
        {WM_LBUTTONDOWN, &S::OnButtonDown},
        {WM_LBUTTONUP, &S::OnButtonUp},
        {WM_MOUSELEAVE, &S::OnMouseLeave},
        {WM_KEYDOWN, &S::OnPassAndRepaint},
        // The thumb shows the keyboard focus.
        {WM_SETFOCUS, &S::OnPassAndRepaint},
        {WM_KILLFOCUS, &S::OnPassAndRepaint},
    };
};

namespace {

CSkinDrawImage* Picture(const std::wstring& id) {
    return id.empty() ? nullptr : GetSkinResourceManager()->GetImage(id);
}

// The trackbar's own messages from TBM_SETTIC to TBM_SETBUDDY that change
// what it shows; the questions among them pass untouched.
bool ChangesTheSlider(UINT message) {
    if (message < TBM_SETTIC || message > TBM_SETBUDDY) return false;
    switch (message) {
        case TBM_GETPTICS:
        case TBM_GETTICPOS:
        case TBM_GETNUMTICS:
        case TBM_GETSELSTART:
        case TBM_GETSELEND:
        case TBM_GETPAGESIZE:
        case TBM_GETLINESIZE:
        case TBM_GETTHUMBRECT:
        case TBM_GETCHANNELRECT:
        case TBM_GETTHUMBLENGTH:
        case TBM_GETTOOLTIPS:
            return false;
        default:
            return true;
    }
}

}  // namespace

CSkinSliderCtrlSB::CSkinSliderCtrlSB(HWND window) : CSkinBase(window) {}

CSkinSliderCtrlSB::~CSkinSliderCtrlSB() = default;

LRESULT CSkinSliderCtrlSB::HandleMessage(const SkinMessage& message) {
    if (ChangesTheSlider(message.message)) {
        LRESULT result = 0;
        OnPassAndRepaint(message, &result);
        return result;
    }
    return SkinDispatchMessage(*this, SkinSliderTable::kMessages, message);
}

void CSkinSliderCtrlSB::AdjustColors(const SkinColorShift& shift) {
    ItemsAdjustColors(shift);
    const SkinSliderDesc* d = SliderDescription();
    if (!d) return;
    const std::wstring* thumbIds[2][kSkinSliderFaceCount] = {
        {&d->thumbHorizNormal, &d->thumbHorizOver, &d->thumbHorizDown, &d->thumbHorizDisible, &d->thumbHorizFocus},
        {&d->thumbVertNormal, &d->thumbVertOver, &d->thumbVertDown, &d->thumbVertDisible, &d->thumbVertFocus},
    };
    for (int o = 0; o < 2; ++o)
        for (int f = 0; f < kSkinSliderFaceCount; ++f) thumbs_[o][static_cast<size_t>(f)] = Picture(*thumbIds[o][f]);
    channels_[0][0] = Picture(d->channelHorizNormal);
    channels_[0][1] = Picture(d->channelHorizActive);
    channels_[1][0] = Picture(d->channelVertNormal);
    channels_[1][1] = Picture(d->channelVertActive);
}

void CSkinSliderCtrlSB::OnReskinned() { SkinInvalidate(window_); }

SkinRect CSkinSliderCtrlSB::ThumbRect() {
    RECT r{};
    SkinCallPrevious(*this, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    return win::ToSkinRect(r);
}

SkinRect CSkinSliderCtrlSB::ChannelRect(bool vertical) {
    RECT r{};
    SkinCallPrevious(*this, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&r));
    return SkinSliderChannel(win::ToSkinRect(r), vertical);
}

bool CSkinSliderCtrlSB::OnPaint(const SkinMessage& m, LRESULT* result) {
    *result = 0;
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    const SkinSliderDesc* desc = SliderDescription();
    if (!canvas || !desc) return true;
    SkinRect client = paint.Client();
    clientRect_ = client;
    paint.ShowParentBackground();

    auto style = skin_unhooked::Style(window_);
    bool vertical = (style & TBS_VERT) != 0;
    int o = vertical ? 1 : 0;
    SkinRect channel = ChannelRect(vertical);
    SkinRect thumb = ThumbRect();
    int offset = desc->channelOffset;

    if (CSkinDrawImage* normal = channels_[o][0]) {
        SkinSize size = normal->ScaledSize(scale_);
        SkinRect rect = SkinSliderChannelRect(channel, vertical ? size.width : size.height, vertical, client);
        normal->DrawThreePart(*canvas, rect, offset, offset, vertical);
    }
    bool enabled = ::IsWindowEnabled(window_) != FALSE;
    // A disabled slider shows no fill: the whole channel reads as off.
    CSkinDrawImage* active = enabled ? channels_[o][1] : nullptr;
    if (active) {
        SkinSize size = active->ScaledSize(scale_);
        SkinRect rect = SkinSliderChannelRect(channel, vertical ? size.width : size.height, vertical, client);
        // A slider with a selection range shows the selection, not the way
        // to the thumb.
        SkinRect filled = (style & TBS_ENABLESELRANGE) ? SelectionRect(rect, channel, thumb, vertical)
                                                       : SkinSliderActiveRect(rect, thumb, vertical);
        if (!filled.IsEmpty()) active->DrawThreePart(*canvas, filled, offset, offset, vertical);
    }
    DrawTicks(*canvas, style, channel, thumb);

    bool focused = ::GetFocus() == window_;
    if (!(style & TBS_NOTHUMB)) {
        std::array<bool, kSkinSliderFaceCount> present{};
        for (size_t f = 0; f < present.size(); ++f) present[f] = thumbs_[o][f] != nullptr;
        SkinSliderFace face = SkinSliderThumbFace(enabled, pressed_ != 0, hover_ && overThumb_, focused);
        int index = SkinSliderPictureFor(face, present);
        if (index >= 0) {
            CSkinDrawImage* picture = thumbs_[o][static_cast<size_t>(index)];
            SkinSize size = picture->ScaledSize(scale_);
            SkinRect rect = SkinSliderThumbRect(thumb, size.width, size.height, desc->drawSize);
            SkinDrawPictureFitted(*canvas, picture, rect);
        }
    }
    if (focused && desc->drawFocusRect) canvas->DrawFocusRect(client);
    return true;
}

SkinRect CSkinSliderCtrlSB::SelectionRect(const SkinRect& channelRect, const SkinRect& channel, const SkinRect& thumb,
                                          bool vertical) {
    auto minimum = static_cast<int>(SkinCallPrevious(*this, TBM_GETRANGEMIN, 0, 0));
    auto maximum = static_cast<int>(SkinCallPrevious(*this, TBM_GETRANGEMAX, 0, 0));
    auto start = static_cast<int>(SkinCallPrevious(*this, TBM_GETSELSTART, 0, 0));
    auto end = static_cast<int>(SkinCallPrevious(*this, TBM_GETSELEND, 0, 0));
    if (end <= start) return SkinRect{};
    int thumbLength = vertical ? thumb.Height() : thumb.Width();
    return SkinSliderSelectionRect(channelRect,
                                   SkinSliderPixelOf(channel, thumbLength, minimum, maximum, start, vertical),
                                   SkinSliderPixelOf(channel, thumbLength, minimum, maximum, end, vertical), vertical);
}

void CSkinSliderCtrlSB::DrawTicks(ISkinCanvas& canvas, uint32_t style, const SkinRect& channel, const SkinRect& thumb) {
    if (style & TBS_NOTICKS) return;
    bool vertical = (style & TBS_VERT) != 0;
    auto minimum = static_cast<int>(SkinCallPrevious(*this, TBM_GETRANGEMIN, 0, 0));
    auto maximum = static_cast<int>(SkinCallPrevious(*this, TBM_GETRANGEMAX, 0, 0));
    int thumbLength = vertical ? thumb.Height() : thumb.Width();
    auto count = static_cast<int>(SkinCallPrevious(*this, TBM_GETNUMTICS, 0, 0));
    std::vector<int> pixels;
    // The ends, then the ticks between them (the count includes the ends).
    pixels.push_back(SkinSliderPixelOf(channel, thumbLength, minimum, maximum, minimum, vertical));
    pixels.push_back(SkinSliderPixelOf(channel, thumbLength, minimum, maximum, maximum, vertical));
    for (int i = 0; i + 2 < count && i < 4096; ++i) {
        auto tic = static_cast<int>(SkinCallPrevious(*this, TBM_GETTIC, static_cast<WPARAM>(i), 0));
        pixels.push_back(SkinSliderPixelOf(channel, thumbLength, minimum, maximum, tic, vertical));
    }
    SkinColor color = ::GetSysColor(COLOR_BTNSHADOW);
    for (const SkinRect& tick :
         SkinSliderTicks(style, pixels, thumb, clientRect_, SkinScaled(SkinSliderMetrics{}, scale_)))
        canvas.FillSolid(tick, color);
}

bool CSkinSliderCtrlSB::OnEraseBackground(const SkinMessage& m, LRESULT* result) {
    *result = 1;
    return true;
}

bool CSkinSliderCtrlSB::OnPassAndRepaint(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    SkinInvalidate(window_);
    return true;
}

bool CSkinSliderCtrlSB::OnMouseMove(const SkinMessage& m, LRESULT*) {
    bool over = ThumbRect().Contains(GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam));
    if (!hover_) {
        hover_ = 1;
        SkinTrackMouse(window_, TME_LEAVE);
        SkinInvalidate(window_);
    }
    if (over != overThumb_) {
        overThumb_ = over;
        SkinInvalidate(window_);
    }
    return false;  // the control drags its thumb itself
}

bool CSkinSliderCtrlSB::OnButtonDown(const SkinMessage& m, LRESULT* result) {
    // Pressed only on the thumb: a press on the channel pages.
    pressed_ = ThumbRect().Contains(GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)) ? 1 : 0;
    *result = SkinCallPrevious(*this, m);
    SkinInvalidate(window_);
    return true;
}

bool CSkinSliderCtrlSB::OnButtonUp(const SkinMessage& m, LRESULT* result) {
    pressed_ = 0;
    *result = SkinCallPrevious(*this, m);
    // The drag held the mouse: where it rests now is over the slider (and
    // perhaps its thumb) again, without waiting for the next move.
    int x = GET_X_LPARAM(m.lParam), y = GET_Y_LPARAM(m.lParam);
    RECT client{};
    ::GetClientRect(window_, &client);
    if (::PtInRect(&client, POINT{x, y}) && !hover_) {
        hover_ = 1;
        SkinTrackMouse(window_, TME_LEAVE);
    }
    overThumb_ = hover_ && ThumbRect().Contains(x, y);
    SkinInvalidate(window_);
    return true;
}

bool CSkinSliderCtrlSB::OnMouseLeave(const SkinMessage& m, LRESULT*) {
    hover_ = 0;
    overThumb_ = false;
    SkinInvalidate(window_);
    return false;
}
