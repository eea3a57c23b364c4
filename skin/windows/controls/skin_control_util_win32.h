// What the control skins share on the Win32 side: invalidation, the
// redraw-suppressed pass-through, mouse-leave tracking, the tool tip and
// the off-screen paint.
#pragma once

#include <windows.h>

#include <string>

#include <memory>
#include <vector>

#include "skin/draw/skin_canvas.h"
#include "skin/platform/skin_graphics.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_messages.h"

class CSkinDrawImage;

// InvalidateRect of the whole client area when the window is visible.
void SkinInvalidate(HWND window, bool erase = false);
// The frame and the client area marked for repainting (no erase) when the
// window is visible.
void SkinRedrawWhole(HWND window);

// Passes the message on with redrawing switched off, so the system's own
// drawing of the control never reaches the screen, then invalidates. A
// hidden control gets the message as it is.
LRESULT SkinPassWithoutRedraw(CSkinBase& object, const SkinMessage& message);

// Asks for WM_MOUSELEAVE (and WM_MOUSEHOVER with TME_HOVER).
bool SkinTrackMouse(HWND window, DWORD flags);

// The hover of a control whose own windows (a combo box's edit, an IP
// address's fields) can take the mouse from it without it hearing of the
// leave: the leave is tracked (`trackFlags`) and the `timer` polls the
// cursor meanwhile; the control ends the hover when its timer routine finds
// the cursor gone (SkinCursorWithin). Each returns true when `hover`
// changed, for the caller to redraw.
bool SkinStartPolledHover(HWND window, bool& hover, UINT_PTR timer, DWORD trackFlags);
bool SkinEndPolledHover(HWND window, bool& hover, UINT_PTR timer);

// The tool tip of a control, made on the first mouse move (WM_MOUSEMOVE,
// relayed to it) with the button up and closed by a press.
void SkinToolTipOnMouseMove(HWND owner, HWND& tip, const std::wstring& text, bool pressed, const SkinMessage& move);
void SkinToolTipClose(HWND& tip);

// The cursor position in the window's client coordinates.
POINT SkinCursorInClient(HWND window);

// WM_SETCURSOR of a skinned control: the cursor of the item under the
// mouse, else `themeCursor`; false when neither applies (the control's own
// cursor then).
bool SkinSetControlCursor(CSkinBase& object, HCURSOR themeCursor);

// The engine's default font, for controls without a font of their own.
HFONT SkinDefaultFont();
// A control's font: the theme font `fontId`, else the control's own
// (WM_GETFONT), else the engine's default.
HFONT SkinControlFont(HWND window, const std::wstring& fontId);
// The same at a display scale: the theme font made for the scale; a font
// the window has of its own is already made for its display.
HFONT SkinControlFont(HWND window, const std::wstring& fontId, const SkinScale& scale);
// The theme font `fontId` for the scale, or null.
HFONT SkinThemeFont(const std::wstring& fontId, const SkinScale& scale);
// The theme picture `imageId`, ready to draw, or none.
CSkinDrawImage* SkinThemePicture(const std::wstring& imageId);
// The theme cursor `cursorId`, or none.
HCURSOR SkinThemeCursor(const std::wstring& cursorId);

// Marks the window's non-client area (all of the window but its client
// area) for repainting by the window's own thread; safe on any thread.
void SkinInvalidateNonClient(HWND window);

// Draws `picture` as a 9-grid over the whole window at the window's scale,
// seen only outside `inner` (window coordinates): the frame of a control.
void SkinDrawFramePicture(HWND window, HDC dc, CSkinDrawImage& picture, const SkinRect& inner, const SkinScale& scale);

// While the mouse is over a control whose frame shows it, a timer of this
// id asks where the cursor is (a leave message is not always sent when the
// mouse leaves through the non-client area).
inline constexpr UINT_PTR kSkinTimerHoverPoll = 26153;
// True while the cursor is over the window (its whole rectangle).
bool SkinCursorOverWindow(HWND window);

// The client area's place in the window (window coordinates).
SkinRect SkinClientInWindow(HWND window);
// The icon or bitmap a button shows (BM_GETIMAGE), with its size; it stays
// the control's. Empty when the control has none.
struct SkinButtonImage {
    HANDLE handle = nullptr;
    bool icon = false;
    int width = 0;
    int height = 0;
};
SkinButtonImage SkinButtonImageOf(HWND button, bool icon);
void SkinDrawButtonImage(ISkinCanvas& canvas, const SkinButtonImage& image, int x, int y);

struct SkinPaintBuffer;

// One off-screen paint of a skinned window: BeginPaint (unhooked), a
// buffer of at least the client size to draw on at the object's scale, and
// at the end the client area copied to the screen and EndPaint. The buffer
// is the thread's, kept from one paint to the next (see the source).
class SkinBufferedPaint {
public:
    explicit SkinBufferedPaint(const CSkinBase& object);
    ~SkinBufferedPaint();
    SkinBufferedPaint(const SkinBufferedPaint&) = delete;
    SkinBufferedPaint& operator=(const SkinBufferedPaint&) = delete;

    // Null when there is nothing to paint (empty client area, no buffer).
    ISkinCanvas* Canvas() { return canvas_.get(); }
    const SkinRect& Client() const { return client_; }
    // Lays the parent's skinned background over the whole buffer, for the
    // skins whose pictures let it show.
    void ShowParentBackground();
    // Leaves a part of the client area as the screen has it when the
    // buffer is copied (a sibling window lying over the control).
    void KeepOnScreen(const SkinRect& rect) { kept_.push_back(rect); }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
    SkinRect client_;
    SkinPaintBuffer* shared_ = nullptr;  // the thread's buffer, while this paint has it
    int savedState_ = 0;
    SkinBitmapHandle buffer_;  // a buffer of its own otherwise
    std::unique_ptr<ISkinCanvas> canvas_;
    std::vector<SkinRect> kept_;
};
