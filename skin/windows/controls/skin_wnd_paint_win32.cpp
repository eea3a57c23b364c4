// The frame's pictures: first size adjustment, frame bitmap, non-client
// painting, the composed client background and the window region.
#include <algorithm>
#include <cstddef>

#include "common/win_dpi_win32.h"
#include "skin/picture/skin_bitmap.h"
#include "skin/platform/skin_gdi_canvas_win32.h"
#include "skin/platform/skin_graphics.h"
#include "skin/windows/controls/skin_menu_bar_win32.h"
#include "skin/windows/controls/skin_wnd_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"
#include "skin/windows/skin_api_win32.h"

namespace {

// Copies `from` of the source to `to` of the canvas (the same size).
void CopyBand(ISkinCanvas& canvas, const SkinSurface& source, const SkinRect& from, const SkinRect& to) {
    SkinPieces pieces;
    pieces.Add(SkinBlit::Copy, SkinBox{to.left, to.top, to.Width(), to.Height()},
               SkinBox{from.left, from.top, from.Width(), from.Height()}, source.width, source.height);
    canvas.DrawPieces(source, pieces);
}

// Pixels of a picture for the region walk: a keyed bitmap's own rows when
// it holds them (a picture resized for the display), else as GDI reads
// them; or the decoded picture's own.
bool PicturePixels(CSkinDrawImage& image, SkinBitmapPixels* storage, SkinPixelRows* rows) {
    if (CSkinBitmap* keyed = image.GetKeyedBitmap()) {
        if (const uint8_t* bits = keyed->Bits()) {
            const int stride = keyed->Width() * 4;  // bottom-up: the top row is the last
            *rows = SkinPixelRows{bits + static_cast<ptrdiff_t>(keyed->Height() - 1) * stride, keyed->Width(),
                                  keyed->Height(), -stride, 4};
            return true;
        }
        if (!SkinGraphics().ReadBitmapPixels(keyed->Handle(), storage)) return false;
        if (storage->info.bitsPerPixel != 24 && storage->info.bitsPerPixel != 32) return false;
        *rows = SkinPixelRows{storage->bytes.data(), storage->info.width, storage->info.height, storage->stride,
                              storage->info.bitsPerPixel / 8};
        return true;
    }
    const tovane::Picture& picture = image.GetPicture();
    if (picture.Empty()) return false;
    *rows = SkinPixelRows{picture.pixels.data(), picture.width, picture.height, picture.width * 4, 4};
    return true;
}

}  // namespace

void CSkinWndSB::FirstSizeAdjustment() {
    if (!adjustPending_ || ::IsIconic(window_)) return;  // minimise and restore never shrink it again
    adjustPending_ = false;                              // SetWindowPos comes back here
    SkinFrameInfo info = CurrentInfo();
    UpdateFrameKind(info);
    if (frameKind_ != kSkinFrameCaption && frameKind_ != kSkinFrameToolCaption) return;
    if (info.exStyle & WS_EX_MDICHILD) return;
    SkinSize size{info.width, info.height};
    if (size == lastSetSize_) return;
    // The system's border and caption for this style, not what the window
    // reports now that the skin computes its client area. The caption bits
    // stay in: WS_CAPTION holds WS_DLGFRAME and WS_BORDER, which make the
    // system's border of a captioned frame.
    RECT frame{0, 0, 0, 0};
    const auto dpi = static_cast<UINT>(scale_.Dpi());
    win::AdjustWindowRectForDpi(&frame, info.style, info.exStyle, dpi);
    int border = -frame.left;
    int caption = win::SystemMetricForDpi(frameKind_ == kSkinFrameToolCaption ? SM_CYSMCAPTION : SM_CYCAPTION, dpi);
    SkinSize adjusted = SkinFirstSizeAdjustment(size, metrics_, border, caption);
    lastSetSize_ = adjusted;
    ::SetWindowPos(window_, nullptr, 0, 0, adjusted.width, adjusted.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER | SWP_DEFERERASE);
}

void CSkinWndSB::RecomputeGeometry() {
    int W = geometry_.width, H = geometry_.height;
    bands_ = SkinFrameBandRects(W, H, metrics_);
    RECT window = win::WindowRect(window_), client = win::ClientRect(window_);
    ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    clientInWindow_ = SkinRect{client.left - window.left, client.top - window.top, client.right - window.left,
                               client.bottom - window.top};
    LayoutCaptionButtons(W);
    if (menuBar_) {
        int top = std::max(0, metrics_.borderWidth.top) +
                  (SkinHasCaption(geometry_.style) ? std::max(0, metrics_.captionHeight) : 0);
        menuBar_->SetRect(SkinRect{std::max(0, metrics_.borderWidth.left), top,
                                   W - std::max(0, metrics_.borderWidth.right), top + metrics_.menuRowHeight});
    }
}

void CSkinWndSB::RebuildFrameBitmap() {
    int W = geometry_.width, H = geometry_.height;
    if (!backgroundImage_ || W <= 0 || H <= 0) {
        for (FrameBandBitmap& band : frameBands_) band = FrameBandBitmap{};
        return;
    }
    // The picture at the window's scale, cut by the scaled metrics.
    CSkinDrawImage* scaled = backgroundImage_->ForScale(scale_);
    SkinSurface picture = scaled->GetPlainSurface();  // plain copies only
    std::vector<SkinPiece> pieces = SkinFrameBitmapPieces(W, H, scaled->GetWidth(), scaled->GetHeight(), metrics_);
    const SkinRect rects[4] = {bands_.top, bands_.left, bands_.right, bands_.bottom};
    for (int b = 0; b < 4; ++b) {
        FrameBandBitmap& band = frameBands_[b];
        const SkinRect& rect = rects[b];
        if (rect.IsEmpty()) {
            band = FrameBandBitmap{};
            continue;
        }
        if (!band.bitmap || band.rect.Width() != rect.Width() || band.rect.Height() != rect.Height())
            band.bitmap = SkinGraphics().CreateCompatibleBitmap(rect.Width(), rect.Height());
        band.rect = band.bitmap ? rect : SkinRect{};
        if (!band.bitmap) continue;
        std::unique_ptr<ISkinCanvas> canvas = SkinGraphics().CreateBitmapCanvas(band.Surface());
        if (!canvas) continue;
        canvas->FillSolid(SkinRect{0, 0, rect.Width(), rect.Height()}, backgroundColor_);
        std::vector<SkinPiece> inBand = SkinPiecesInBand(pieces, rect);
        if (!inBand.empty()) canvas->DrawPieces(picture, inBand.data(), static_cast<int>(inBand.size()));
    }
}

// The frame bands' pixels put together as one W x H picture of 32-bit
// rows (what lies under the client area stays black): for the edge walk.
bool CSkinWndSB::FrameBandPixels(std::vector<uint8_t>* pixels, SkinPixelRows* rows) {
    const int W = geometry_.width, H = geometry_.height;
    if (W <= 0 || H <= 0) return false;
    pixels->assign(static_cast<size_t>(W) * static_cast<size_t>(H) * 4, 0);
    for (const FrameBandBitmap& band : frameBands_) {
        if (!band.bitmap) continue;
        SkinBitmapPixels storage;
        if (!SkinGraphics().ReadBitmapPixels(band.bitmap.get(), &storage)) return false;
        const int bytes = storage.info.bitsPerPixel / 8;
        if (bytes != 3 && bytes != 4) return false;
        const SkinPixelRows from{storage.bytes.data(), storage.info.width, storage.info.height, storage.stride, bytes};
        for (int y = 0; y < from.height; ++y) {
            for (int x = 0; x < from.width; ++x) {
                const int wx = band.rect.left + x, wy = band.rect.top + y;
                uint32_t color = 0;
                if (wx < 0 || wy < 0 || wx >= W || wy >= H || !from.ColorAt(x, y, &color)) continue;
                uint8_t* to = pixels->data() + (static_cast<size_t>(wy) * W + wx) * 4;
                to[0] = static_cast<uint8_t>(color >> 16), to[1] = static_cast<uint8_t>(color >> 8);
                to[2] = static_cast<uint8_t>(color);
            }
        }
    }
    *rows = SkinPixelRows{pixels->data(), W, H, W * 4, 4};
    return true;
}

bool CSkinWndSB::ApplyRegion() {
    int W = geometry_.width, H = geometry_.height;
    bool mdiChild = (geometry_.exStyle & WS_EX_MDICHILD) != 0;
    if (frameKind_ == kSkinFrameNone) {
        if (!mdiChild) return false;
        skin_unhooked::SetWindowRgn(window_, nullptr, TRUE);
        return true;
    }
    if (frameStyle_ == SkinFrameStyle::Png && backgroundImage_) {
        UpdateLayered();
        return false;
    }
    std::vector<SkinRect> cuts;
    if (backgroundImage_ && !(mdiChild && ::IsZoomed(window_))) {
        if (frameStyle_ == SkinFrameStyle::BitmapRound) {
            SkinBitmapPixels storage;
            SkinPixelRows rows;
            // The corners are cut where the picture at the window's scale has its key.
            CSkinDrawImage* scaled = backgroundImage_->ForScale(scale_);
            if (PicturePixels(*scaled, &storage, &rows))
                cuts = SkinRoundCornerCuts(rows, scaled->GetColorKey(), W, H, metrics_.borderOffset);
        } else if (frameStyle_ == SkinFrameStyle::BitmapRgn && HasFrameBands()) {
            std::vector<uint8_t> pixels;
            SkinPixelRows rows;
            if (FrameBandPixels(&pixels, &rows))
                cuts = SkinEdgeKeyCuts(rows, backgroundImage_->GetColorKey(), metrics_.borderWidth);
        }
    }
    std::vector<SkinRect> rects = SkinWindowRegionRects(W, H, std::move(cuts));
    SkinRegion region = SkinGraphics().CreateRegion(rects.data(), rects.size());
    if (!region) return false;
    // The system owns the region once the call succeeds (and deletes the
    // one it replaces): it no longer counts as one of the layer's objects.
    if (!skin_unhooked::SetWindowRgn(window_, region.get(), TRUE)) return false;
    region.release();
    SkinTrackGdiObject(-1);
    return true;
}

void CSkinWndSB::PaintNonClient() {
    if (Suppressed() || !::IsWindowVisible(window_)) return;
    win::WindowDc dc = skin_unhooked::WindowDc(window_);
    if (!dc.get()) return;
    if (frameKind_ != kSkinFrameNone) PaintFrameBands(dc.get());
    // Every bar, whether or not it changed: one that was uncovered is blank.
    DrawScrollBars(dc.get(), true);
}

void CSkinWndSB::PaintFrameBands(HDC dc) {
    std::unique_ptr<ISkinCanvas> canvas = SkinGraphics().CreateDcCanvas(dc);
    if (!canvas) return;
    canvas->SetScale(scale_);
    int W = geometry_.width;
    const FrameBandBitmap& topBand = frameBands_[0];
    const bool caption = SkinHasCaption(geometry_.style) && metrics_.captionHeight > 0;
    if (topBand.bitmap && caption && W > 0) {
        // The top band is composed off-screen with the caption parts, in
        // window coordinates: the band starts at the window's corner.
        const int h = topBand.rect.Height();
        SkinBitmapHandle band = SkinGraphics().CreateCompatibleBitmap(W, h);
        if (band) {
            {
                std::unique_ptr<ISkinCanvas> top = SkinGraphics().CreateBitmapCanvas(SkinSurface{band.get(), W, h});
                if (top) {
                    top->SetScale(scale_);
                    CopyBand(*top, topBand.Surface(), SkinRect{0, 0, topBand.rect.Width(), h}, topBand.rect);
                    DrawCaption(*top, W);
                }
            }
            CopyBand(*canvas, SkinSurface{band.get(), W, h}, SkinRect{0, 0, W, h}, topBand.rect);
        }
    } else if (topBand.bitmap) {
        CopyBand(*canvas, topBand.Surface(), SkinRect{0, 0, topBand.rect.Width(), topBand.rect.Height()}, topBand.rect);
    }
    for (int b = 1; b < 4; ++b) {
        const FrameBandBitmap& band = frameBands_[b];
        if (band.bitmap)
            CopyBand(*canvas, band.Surface(), SkinRect{0, 0, band.rect.Width(), band.rect.Height()}, band.rect);
    }
    if (menuBar_) menuBar_->Paint(*canvas, font_);
}

void CSkinWndSB::DrawCaption(ISkinCanvas& canvas, int width) {
    // Caption buttons by the hot index and the window's state.
    bool iconic = ::IsIconic(window_) != FALSE, zoomed = ::IsZoomed(window_) != FALSE;
    HMENU system = ::GetSystemMenu(window_, FALSE);
    bool closeEnabled = system && ::GetMenuState(system, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1) &&
                        !(::GetMenuState(system, SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
    for (int b = 0; b < kButtonCount; ++b) {
        if (buttonRects_[b].IsEmpty()) continue;
        int image = b;
        if (b == kMax && zoomed) image = kRestore;
        if (b == kMin && iconic) image = kRestore;
        int state = 0;
        int hotBase = b == kMin ? 1 : b == kMax ? 3 : b == kClose ? 5 : b == kHelp ? 7 : -1;
        if (hotBase > 0 && hotButton_ == hotBase) state = 1;
        if (hotBase > 0 && hotButton_ == hotBase + 1) state = 2;
        if (b == kClose && !closeEnabled) state = 3;
        CSkinDrawImage* picture = buttonImages_[image][state] ? buttonImages_[image][state] : buttonImages_[image][0];
        if (picture) picture->DrawTransparent(canvas, buttonRects_[b].left, buttonRects_[b].top);
    }
    // The window icon: small, then big, then the class's.
    auto icon = reinterpret_cast<HICON>(::SendMessageW(window_, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(window_, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(window_, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(window_, GCLP_HICON));
    int textLeft = std::max(0, metrics_.borderWidth.left) + scale_.Scale(5);
    if (icon && (geometry_.style & WS_SYSMENU)) {
        int size = win::SystemMetricForDpi(SM_CXSMICON, static_cast<UINT>(scale_.Dpi()));
        canvas.DrawIcon(iconRect_.left, iconRect_.top, icon, size, size);
        textLeft = iconRect_.right + scale_.Scale(4);
    }
    wchar_t title[256] = {};
    int length = ::InternalGetWindowText(window_, title, 256);
    if (length <= 0) return;
    int right = width - std::max(0, metrics_.borderWidth.right);
    for (const SkinRect& r : buttonRects_)
        if (!r.IsEmpty()) right = std::min(right, r.left);
    SkinRect text{textLeft, std::max(0, metrics_.borderWidth.top), right - scale_.Scale(4),
                  std::max(0, metrics_.borderWidth.top) + std::max(0, metrics_.captionHeight)};
    const SkinWindowDesc* desc = WindowDescription();
    canvas.DrawText(text, std::wstring(title, static_cast<size_t>(length)),
                    kSkinDtSingleLine | kSkinDtVCenter | kSkinDtEndEllipsis | kSkinDtNoPrefix,
                    desc ? desc->textColor : 0, font_);
}

void CSkinWndSB::RedrawCaption() {
    if (SkinHasCaption(geometry_.style) && metrics_.captionHeight > 0) PaintNonClient();
}

void CSkinWndSB::ComposeBackground(const SkinRect& client) {
    int w = client.Width(), h = client.Height();
    if (w <= 0 || h <= 0 || composing_) return;
    composing_ = true;
    childBrush_.reset();  // children's brush is of the old picture
    // One cache bitmap, made again only when the client size changes.
    if (!cache_ || cacheW_ != w || cacheH_ != h) {
        cache_ = SkinGraphics().CreateCompatibleBitmap(w, h);
        cacheW_ = cache_ ? w : 0;
        cacheH_ = cache_ ? h : 0;
    }
    if (cache_) {
        std::unique_ptr<ISkinCanvas> canvas = SkinGraphics().CreateBitmapCanvas(SkinSurface{cache_.get(), w, h});
        if (canvas) {
            canvas->SetScale(scale_);
            cacheScale_ = scale_;
            SkinRect all{0, 0, w, h};
            canvas->FillSolid(all, backgroundColor_);
            const SkinWindowDesc* desc = WindowDescription();
            // The picture's own numbers, at 96 DPI: the canvas draws it at the window's scale.
            int IW = backgroundImage_ ? backgroundImage_->GetWidth() : 0;
            int IH = backgroundImage_ ? backgroundImage_->GetHeight() : 0;
            const SkinQuad& bw = metrics96_.borderWidth;
            const SkinQuad& bo = metrics96_.borderOffset;
            int ch = std::max(0, metrics96_.captionHeight);
            if (backgroundImage_ && desc) {
                if (drawStyle_ == SkinDrawStyle::Draw9Grid) {
                    backgroundImage_->Draw9GridPart(*canvas, all, desc->background.border9grid,
                                                    SkinRect{bw.left, ch + bw.top, IW - bw.right, IH - bw.bottom},
                                                    SkinGridOrder::CentreFirst);
                } else if (drawStyle_ == SkinDrawStyle::StretchBlt) {
                    backgroundImage_->StretchDraw(*canvas, 0, 0, w, h, bo.left, ch + bo.top, IW - bo.left - bo.right,
                                                  IH - bo.top - bo.bottom - ch);
                }
            }
            if (drawStyle_ == SkinDrawStyle::TransparentBlt)
                PaintParentBackground(window_, canvas->Dc(), 0, 0, w, h, 255);
            clientRect_ = all;
            stateMask_ = ::IsWindowEnabled(window_) ? kSkinStateNormal : kSkinStateDisable;
            DrawItems(*canvas);
            if (HDC memory = canvas->Dc()) {
                ::SendMessageW(window_, WM_SKIN_BKDRAWN, reinterpret_cast<WPARAM>(memory), 0);
                DrawOverlay(memory);
            }
        }
    }
    composing_ = false;
}

SkinSurface CSkinWndSB::FrameBackground() {
    RECT rect = win::ClientRect(window_);
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    // A child may paint before the frame has: compose on demand, so it
    // never shows the bare fill colour.
    if (!cache_ || cacheW_ != w || cacheH_ != h || cacheScale_ != scale_) ComposeBackground(SkinRect{0, 0, w, h});
    return cache_ ? SkinSurface{cache_.get(), cacheW_, cacheH_} : SkinSurface{};
}

void CSkinWndSB::UpdateLayered() {
    CSkinWndManager* manager = GetSkinWndManager();
    auto update = manager->UpdateLayeredWindowEntry();
    if (!update || !backgroundImage_ || backgroundImage_->GetKeyedBitmap()) return;
    SkinSurface picture = backgroundImage_->ForScale(scale_)->GetSurface();
    if (picture.IsEmpty()) return;
    auto exStyle = skin_unhooked::ExStyle(window_);
    if (!(exStyle & WS_EX_LAYERED))
        skin_unhooked::SetWindowLongPtrW(window_, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle | WS_EX_LAYERED));
    std::unique_ptr<ISkinCanvas> canvas = SkinGraphics().CreateBitmapCanvas(picture);
    if (!canvas || !canvas->Dc()) return;
    RECT window = win::WindowRect(window_);
    POINT position{window.left, window.top}, origin{0, 0};
    SIZE size{picture.width, picture.height};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    update(window_, manager->ScreenDc(), &position, &size, canvas->Dc(), &origin, 0, &blend, ULW_ALPHA);
}
