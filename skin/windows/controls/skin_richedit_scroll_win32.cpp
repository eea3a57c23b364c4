// The rich-edit scroll-bar layer: switching it on and off, its answers to
// the scroll-bar functions, and drawing its bars.
#include "skin/windows/controls/skin_richedit_scroll_win32.h"

#include <cwchar>
#include <memory>
#include <unordered_map>

#include "skin/picture/skin_draw_image.h"
#include "skin/platform/skin_graphics.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_richedit_scroll_record_win32.h"
#include "skin/windows/hooks/skin_scroll_info_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_messages.h"

namespace {

std::mutex g_lock;
// The records by window, for the hooks: a property lookup would cost a
// trip to the window server on every scroll-bar call.
std::unordered_map<HWND, SkinRichScrollRecord*> g_records;

bool OnWindowThread(HWND window) { return ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId(); }

bool IsRichEditClass(HWND window) {
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, 32);
    return std::wcscmp(name, L"RichEdit20A") == 0 || std::wcscmp(name, L"RichEdit20W") == 0 ||
           std::wcscmp(name, L"RICHEDIT") == 0;
}

void FrameChanged(HWND window) {
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Runs `f(state)` on the window's record with the lock held; false when the
// window has no active layer.
template <class F>
bool WithState(HWND window, F&& f) {
    std::lock_guard<std::mutex> lock(g_lock);
    SkinRichScrollRecord* record = SkinRichScrollRecordOf(window);
    if (!record || record->passThrough) return false;
    f(record->state);
    return true;
}

// The layer's answers to the scroll-bar functions. A window whose layer went
// meanwhile (on its own thread) gets the system's.
class Answers final : public ISkinRichEditScrollBars {
public:
    int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL redraw) noexcept override {
        if (!info || !SkinValidScrollInfoSize(info->cbSize)) return 0;
        const SkinScrollInfoIn in = SkinScrollInfoOf(*info);
        SkinRichScrollEffect effect;
        int result = 0;
        const bool visible = redraw && ::IsWindowVisible(window);
        if (!WithState(window,
                       [&](SkinRichScrollState& s) { result = SkinRichSetScrollInfo(s, bar, in, visible, &effect); }))
            return skin_unhooked::SetScrollInfo(window, bar, info, redraw);
        SkinRichApplyEffect(window, effect);
        return result;
    }

    BOOL GetScrollInfo(HWND window, int bar, SCROLLINFO* info) noexcept override {
        if (!info || !SkinValidScrollInfoSize(info->cbSize)) return FALSE;
        BOOL copied = FALSE;
        if (!WithState(window, [&](SkinRichScrollState& s) {
                if (bar != SB_HORZ && bar != SB_VERT) return;
                copied = SkinFillScrollInfo(s.bar[bar], *info);
            }))
            return skin_unhooked::GetScrollInfo(window, bar, info);
        return copied;
    }

    int SetScrollPos(HWND window, int bar, int position, BOOL redraw) noexcept override {
        SkinRichScrollEffect effect;
        int old = 0;
        const bool visible = redraw && ::IsWindowVisible(window);
        if (!WithState(window,
                       [&](SkinRichScrollState& s) { old = SkinRichSetScrollPos(s, bar, position, visible, &effect); }))
            return skin_unhooked::SetScrollPos(window, bar, position, redraw);
        SkinRichApplyEffect(window, effect);
        return old;
    }

    int GetScrollPos(HWND window, int bar) noexcept override {
        int position = 0;
        if (!WithState(window, [&](SkinRichScrollState& s) {
                if (bar == SB_HORZ || bar == SB_VERT) position = s.bar[bar].position;
            }))
            return skin_unhooked::GetScrollPos(window, bar);
        return position;
    }

    BOOL SetScrollRange(HWND window, int bar, int minimum, int maximum, BOOL redraw) noexcept override {
        SkinRichScrollEffect effect;
        bool done = false;
        const bool visible = redraw && ::IsWindowVisible(window);
        if (!WithState(window, [&](SkinRichScrollState& s) {
                done = SkinRichSetScrollRange(s, bar, minimum, maximum, visible, &effect);
            }))
            return skin_unhooked::SetScrollRange(window, bar, minimum, maximum, redraw);
        SkinRichApplyEffect(window, effect);
        return done;
    }

    BOOL GetScrollRange(HWND window, int bar, int* minimum, int* maximum) noexcept override {
        if (!minimum || !maximum) return FALSE;
        BOOL found = FALSE;
        if (!WithState(window, [&](SkinRichScrollState& s) {
                if (bar != SB_HORZ && bar != SB_VERT) return;
                *minimum = s.bar[bar].minimum;
                *maximum = s.bar[bar].maximum;
                found = TRUE;
            }))
            return skin_unhooked::GetScrollRange(window, bar, minimum, maximum);
        return found;
    }

    BOOL ShowScrollBar(HWND window, int bar, BOOL show) noexcept override {
        if (bar == SB_CTL) {
            ::ShowWindow(window, show ? SW_SHOW : SW_HIDE);
            return TRUE;
        }
        SkinRichScrollEffect effect;
        bool done = false;
        if (!WithState(window,
                       [&](SkinRichScrollState& s) { done = SkinRichShowScrollBar(s, bar, show != FALSE, &effect); }))
            return skin_unhooked::ShowScrollBar(window, bar, show);
        SkinRichApplyEffect(window, effect);
        return done;
    }

    BOOL EnableScrollBar(HWND window, UINT bar, UINT arrows) noexcept override {
        SkinRichScrollEffect effect;
        bool changed = false;
        if (!WithState(window, [&](SkinRichScrollState& s) {
                changed = SkinRichEnableScrollBar(s, static_cast<int>(bar), arrows, &effect);
            }))
            return skin_unhooked::EnableScrollBar(window, bar, arrows);
        SkinRichApplyEffect(window, effect);
        return changed;
    }
};

Answers g_answers;

// Frees a window's record (the window's thread, or its destruction).
void Forget(HWND window) {
    SkinRichScrollRecord* record = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        auto it = g_records.find(window);
        if (it == g_records.end()) return;
        record = it->second;
        g_records.erase(it);
        ::RemovePropW(window, kSkinPropRichEdit);
    }
    delete record;
}

}  // namespace

std::mutex& SkinRichScrollLock() { return g_lock; }

SkinRichScrollRecord* SkinRichScrollRecordOf(HWND window) {
    auto it = g_records.find(window);
    return it == g_records.end() ? nullptr : it->second;
}

ISkinRichEditScrollBars* SkinRichEditScrollLayer(HWND window) {
    std::lock_guard<std::mutex> lock(g_lock);
    SkinRichScrollRecord* record = SkinRichScrollRecordOf(window);
    return record && !record->passThrough ? &g_answers : nullptr;
}

WNDPROC SkinRichEditScrollProc() { return &SkinRichScrollWindowProc; }

int SkinRichEditScrollOn(HWND window, CSkinDrawImage* picture, const SkinScale& scale) {
    if (!window || !::IsWindow(window) || !picture) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    SkinRichScrollRecord* existing = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        existing = SkinRichScrollRecordOf(window);
    }
    if (existing && !existing->passThrough) {
        existing->picture = picture;
        SkinRichDrawBars(*existing, 3, true);
        return 1;
    }
    auto record = std::make_unique<SkinRichScrollRecord>();
    const uint32_t style = skin_unhooked::Style(window);
    record->window = window;
    record->picture = picture;
    record->state.bar[0].shown = (style & WS_HSCROLL) != 0;
    record->state.bar[1].shown = (style & WS_VSCROLL) != 0;
    if (record->state.bar[0].shown) SkinReadSystemBar(window, SB_HORZ, record->state.bar[0]);
    if (record->state.bar[1].shown) SkinReadSystemBar(window, SB_VERT, record->state.bar[1]);
    record->leftScrollBar = (skin_unhooked::ExStyle(window) & WS_EX_LEFTSCROLLBAR) != 0;
    record->richEdit = IsRichEditClass(window);
    record->scale = scale;
    record->metrics = SkinScaledRichScrollMetrics(scale);
    if (existing) {
        // Back on beneath another procedure: the old one stays in the chain
        // and takes the messages again.
        std::lock_guard<std::mutex> lock(g_lock);
        existing->state = record->state;
        existing->picture = picture;
        existing->leftScrollBar = record->leftScrollBar;
        existing->scale = record->scale;
        existing->metrics = record->metrics;
        existing->passThrough = false;
    } else {
        SkinRichScrollRecord* raw = record.get();
        {
            std::lock_guard<std::mutex> lock(g_lock);
            if (!::SetPropW(window, kSkinPropRichEdit, raw)) return 0;
            g_records[window] = record.release();
        }
        raw->previous = reinterpret_cast<WNDPROC>(skin_unhooked::SetWindowLongPtrW(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinRichScrollWindowProc)));
    }
    FrameChanged(window);
    return 1;
}

void SkinRichEditScrollOff(HWND window) {
    SkinRichScrollRecord* record = nullptr;
    SkinRichScrollState state;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        record = SkinRichScrollRecordOf(window);
        if (!record || record->passThrough) return;
        state = record->state;
    }
    ::KillTimer(window, kSkinRichTimerDelay);
    ::KillTimer(window, kSkinRichTimerRepeat);
    if (record->pressed) {
        record->pressed = 0;
        if (::GetCapture() == window) ::ReleaseCapture();
    }
    // Only a procedure that is still on top can be taken out of the chain;
    // beneath another one it stays, passing everything on.
    const auto current = reinterpret_cast<WNDPROC>(skin_unhooked::GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (current == &SkinRichScrollWindowProc) {
        skin_unhooked::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record->previous));
        Forget(window);
    } else {
        std::lock_guard<std::mutex> lock(g_lock);
        record->passThrough = true;
    }
    // The system takes the bars over where the layer leaves them.
    for (int i = 0; i < 2; ++i) {
        const SkinScrollBarCopy& b = state.bar[i];
        if (!b.shown && b.minimum == 0 && b.maximum == 0) continue;
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, b.minimum, b.maximum, b.page, b.position, 0};
        skin_unhooked::SetScrollInfo(window, i == 0 ? SB_HORZ : SB_VERT, &info, TRUE);
        skin_unhooked::EnableScrollBar(window, i == 0 ? SB_HORZ : SB_VERT, (state.disableBits >> (2 * i)) & 3u);
    }
    FrameChanged(window);
}

int SkinRichEditScrollSetPicture(HWND window, CSkinDrawImage* picture) {
    SkinRichScrollRecord* record = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        record = SkinRichScrollRecordOf(window);
    }
    if (!record || record->passThrough) return 0;
    record->picture = picture;
    SkinRichDrawBars(*record, 3, true);
    return 1;
}

void SkinRichEditScrollSetScale(HWND window, const SkinScale& scale) {
    SkinRichScrollRecord* record = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        record = SkinRichScrollRecordOf(window);
    }
    if (!record || record->scale == scale) return;
    record->scale = scale;
    record->metrics = SkinScaledRichScrollMetrics(scale);
    FrameChanged(window);  // the strips take their new width
}

void SkinRichScrollForget(HWND window) { Forget(window); }

SkinRichLayout SkinRichLayoutNow(const SkinRichScrollRecord& record, SkinRichScrollState* out) {
    SkinRichScrollState state;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        state = record.state;
    }
    SkinScrollValues values[2];
    for (int i = 0; i < 2; ++i) {
        const SkinScrollBarCopy& b = state.bar[i];
        values[i] = SkinScrollValues{b.minimum, b.maximum, b.page, b.position};
        // A dragged thumb stands where the drag has taken it.
        if (record.tracking && record.pressed == SkinRichPartCode(SkinRichPart::Thumb, i))
            values[i].position = b.trackPosition;
    }
    if (out) *out = state;
    return SkinRichLayoutBars(SkinClientInWindow(record.window), state.bar[0].shown, state.bar[1].shown,
                              record.leftScrollBar, values, record.metrics);
}

void SkinRichDrawBars(SkinRichScrollRecord& record, unsigned bars, bool sizeBox) {
    HWND window = record.window;
    if (!record.picture || !::IsWindowVisible(window)) return;
    SkinSurface surface = record.picture->GetSurface();
    if (surface.IsEmpty()) return;
    SkinRichScrollState state;
    const SkinRichLayout layout = SkinRichLayoutNow(record, &state);
    win::WindowDc dc = skin_unhooked::WindowDc(window);
    if (!dc.get()) return;
    std::unique_ptr<ISkinCanvas> canvas = SkinGraphics().CreateDcCanvas(dc.get());
    if (!canvas) return;
    canvas->SetScale(record.scale);
    for (int i = 0; i < 2; ++i) {
        const SkinRichBar& bar = layout.bar[i];
        if (!(bars & (1u << i)) || !bar.present) continue;
        auto stateOf = [&](SkinRichPart part) {
            return SkinRichPartState(part, i, state.disableBits, record.hot, record.tracking);
        };
        std::vector<SkinPiece> pieces =
            SkinRichBarPieces(bar, stateOf(SkinRichPart::FirstArrow), stateOf(SkinRichPart::SecondArrow));
        if (!pieces.empty()) canvas->DrawPieces(surface, pieces.data(), static_cast<int>(pieces.size()));
        if (!bar.HasThumb()) continue;
        // The thumb is composed at its own size on white, then copied.
        const int start = bar.trackStart + bar.thumb.offset;
        const SkinRect thumb = bar.Segment(start, start + bar.thumb.length);
        SkinBitmapHandle buffer = SkinGraphics().CreateCompatibleBitmap(thumb.Width(), thumb.Height());
        if (!buffer) continue;
        const SkinSurface composed{buffer.get(), thumb.Width(), thumb.Height()};
        {
            std::unique_ptr<ISkinCanvas> memory = SkinGraphics().CreateBitmapCanvas(composed);
            if (!memory) continue;
            memory->SetScale(record.scale);
            memory->FillSolid(SkinRect{0, 0, thumb.Width(), thumb.Height()}, SkinRgb(255, 255, 255));
            std::vector<SkinPiece> parts =
                SkinRichThumbPieces(bar.vertical, bar.thumb.length, bar.vertical ? thumb.Width() : thumb.Height(),
                                    stateOf(SkinRichPart::Thumb), record.metrics);
            if (!parts.empty()) memory->DrawPieces(surface, parts.data(), static_cast<int>(parts.size()));
        }
        SkinPiece copy{SkinBlit::Copy, SkinBox{thumb.left, thumb.top, thumb.Width(), thumb.Height()},
                       SkinBox{0, 0, thumb.Width(), thumb.Height()}};
        canvas->DrawPieces(composed, &copy, 1);
    }
    if (sizeBox && !layout.sizeBox.IsEmpty()) {
        SkinPiece box = SkinRichSizeBoxPiece(layout.sizeBox, record.leftScrollBar);
        canvas->DrawPieces(surface, &box, 1);
    }
}

void SkinRichApplyEffect(HWND window, const SkinRichScrollEffect& effect) {
    if (effect.frameChanged) {
        bool shown[2] = {false, false};
        if (!WithState(window, [&](SkinRichScrollState& s) {
                shown[0] = s.bar[0].shown;
                shown[1] = s.bar[1].shown;
            }))
            return;
        // The style bits follow the record; the new frame repaints the bars.
        const uint32_t style = skin_unhooked::Style(window);
        const uint32_t wanted =
            (style & ~(WS_HSCROLL | WS_VSCROLL)) | (shown[0] ? WS_HSCROLL : 0) | (shown[1] ? WS_VSCROLL : 0);
        if (wanted != style) skin_unhooked::SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(wanted));
        FrameChanged(window);
        return;
    }
    if (!effect.redraw) return;
    if (!OnWindowThread(window)) {
        SkinInvalidateNonClient(window);  // the window's thread paints them
        return;
    }
    SkinRichScrollRecord* record = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        record = SkinRichScrollRecordOf(window);
    }
    if (record) SkinRichDrawBars(*record, effect.redraw, false);
}
