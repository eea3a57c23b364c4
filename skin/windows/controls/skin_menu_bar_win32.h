// The menu bar a skinned frame draws for a window with a menu: one row of
// the menu's items in the system menu-bar height, hot item tracking, and
// drop-downs opened with TrackPopupMenu under the item.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "skin/draw/skin_canvas.h"

class CSkinMenuBar {
public:
    CSkinMenuBar(HWND window, HMENU menu);

    // The bar's rectangle in window coordinates.
    void SetRect(const SkinRect& rect) { rect_ = rect; }
    const SkinRect& Rect() const { return rect_; }

    void Paint(ISkinCanvas& canvas, HFONT font);
    // Points in window coordinates.
    void OnMouseMove(POINT p);
    void OnButtonDown(POINT p);
    void OnButtonUp(POINT p);
    // False when the timer has nothing more to do.
    bool OnTimer(UINT_PTR id);
    void SetTracking(bool tracking) { tracking_ = tracking; }

private:
    struct Item {
        std::wstring text;
        SkinRect rect;
        HMENU popup;
        UINT id;
    };
    void Measure(ISkinCanvas& canvas, HFONT font);
    int ItemAt(POINT p) const;
    void Redraw();

    HWND window_;
    HMENU menu_;
    SkinRect rect_;
    std::vector<Item> items_;
    int hot_ = -1;
    int pressed_ = -1;
    bool tracking_ = false;
};
