#include "skin/windows/controls/skin_group_box_win32.h"

#include "skin/picture/skin_draw_image.h"
#include "skin/platform/skin_graphics.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_group_box_layout.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"
#include "skin/windows/skin_api_win32.h"

struct SkinGroupTable {
    using G = CSkinGroupBtnSB;
    static constexpr SkinMessageEntry<G> kMessages[] = {
        {WM_PAINT, &G::OnPaint},
        {WM_ERASEBKGND, &G::OnEraseBackground},
        // The system clears and redraws the caption itself on these; with
        // drawing off that never shows over the skin.
        {WM_SETTEXT, &G::OnQuietPass},
        {WM_ENABLE, &G::OnQuietPass},
        {WM_UPDATEUISTATE, &G::OnQuietPass},
    };
};

CSkinGroupBtnSB::CSkinGroupBtnSB(HWND window) : CSkinBase(window) {}

LRESULT CSkinGroupBtnSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinGroupTable::kMessages, message);
}

void CSkinGroupBtnSB::ApplyDescription() {
    NotifyLayout();
    if (const SkinGroupButtonDesc* desc = GroupDescription()) font_ = SkinControlFont(window_, desc->font, scale_);
}

void CSkinGroupBtnSB::AdjustColors(const SkinColorShift&) {
    const SkinGroupButtonDesc* desc = GroupDescription();
    logo_ = desc && !desc->imagelogo.empty() ? GetSkinResourceManager()->GetImage(desc->imagelogo) : nullptr;
}

void CSkinGroupBtnSB::OnReskinned() { SkinInvalidate(window_); }

bool CSkinGroupBtnSB::OnPaint(const SkinMessage&, LRESULT* result) {
    *result = 0;
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas) return true;
    clientRect_ = paint.Client();
    // The controls inside are siblings, most of them above the group box in
    // the dialog's order: what they show stays.
    HWND parent = ::GetParent(window_);
    RECT mine{};
    ::GetWindowRect(window_, &mine);
    for (HWND w = parent ? ::GetWindow(parent, GW_CHILD) : nullptr; w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        RECT theirs{}, both{};
        if (w == window_ || !::IsWindowVisible(w) || !::GetWindowRect(w, &theirs)) continue;
        if (!::IntersectRect(&both, &mine, &theirs)) continue;
        ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&both), 2);
        paint.KeepOnScreen(SkinRect{both.left, both.top, both.right, both.bottom});
    }
    Draw(*canvas);
    return true;
}

void CSkinGroupBtnSB::PaintBehind(ISkinCanvas& canvas, const SkinRect& rect) {
    CSkinWndManager* manager = GetSkinWndManager();
    if (manager->Find(::GetParent(window_))) {
        PaintParentBackground(window_, canvas.Dc(), rect.left, rect.top, rect.right, rect.bottom, 255);
        return;
    }
    canvas.FillSolid(rect, manager->DefaultBackgroundColor());
}

void CSkinGroupBtnSB::Draw(ISkinCanvas& canvas) {
    const SkinRect& client = clientRect_;
    PaintBehind(canvas, client);
    const SkinGroupButtonDesc* desc = GroupDescription();
    if (!desc) return;

    wchar_t buffer[513] = {};
    int length = ::InternalGetWindowText(window_, buffer, 513);
    std::wstring text(buffer, static_cast<size_t>(length > 0 ? length : 0));
    // The caption's size; without a caption, a line of the font's height
    // still places the frame's top line.
    SkinRect measured{0, 0, 0, 0};
    canvas.DrawText(measured, text.empty() ? std::wstring(L"Ag") : text, kSkinDtSingleLine | kSkinDtCalcRect,
                    desc->textColor, font_);
    int lineHeight = measured.Height();
    if (text.empty()) measured = SkinRect{};

    auto style = static_cast<uint32_t>(savedStyle_);
    SkinButtonImage image;
    if (style & BS_ICON) image = SkinButtonImageOf(window_, true);
    if (!image.handle && (style & BS_BITMAP)) image = SkinButtonImageOf(window_, false);
    // The theme's logo is drawn at the window's scale; the control's own
    // image is the application's, at its own size.
    const SkinSize logo = logo_ ? logo_->ScaledSize(scale_) : SkinSize{};
    int imageW = image.handle ? image.width : logo.width;
    int imageH = image.handle ? image.height : logo.height;
    SkinGroupBoxLayout layout =
        SkinGroupBoxLayoutOf(style, client, measured.Width(), measured.Height(), lineHeight, imageW, imageH, scale_);

    SkinPen pen = SkinGraphics().CreatePen(PS_SOLID, SkinScaledPenWidth(scale_, 1), desc->borderColor);
    const int round = scale_.Scale(desc->borderRound);
    canvas.RoundRect(layout.frame, round, round, pen.get(), SkinGraphics().NullBrush());
    if (layout.caption.IsEmpty()) return;
    PaintBehind(canvas, layout.caption);  // the frame line does not run through the caption
    if (!layout.image.IsEmpty()) {
        if (image.handle)
            SkinDrawButtonImage(canvas, image, layout.image.left, layout.image.top);
        else
            logo_->Draw(canvas, layout.image.left, layout.image.top);
    }
    if (!layout.text.IsEmpty()) {
        SkinRect rect = layout.text;
        uint32_t format = kSkinDtSingleLine | kSkinDtVCenter;
        if (rect.Width() < measured.Width()) format |= kSkinDtEndEllipsis;
        canvas.DrawText(rect, text, format, desc->textColor, font_);
    }
}

bool CSkinGroupBtnSB::OnEraseBackground(const SkinMessage&, LRESULT* result) {
    *result = 1;
    return true;
}

bool CSkinGroupBtnSB::OnQuietPass(const SkinMessage& m, LRESULT* result) {
    *result = SkinPassWithoutRedraw(*this, m);
    return true;
}
