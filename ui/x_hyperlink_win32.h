// CXHyperLink: a static text control made into a clickable link. It shows
// its text in link colours, underlines it while the mouse is over it, shows
// a hand cursor and a tool tip with the target, sizes itself to its text,
// and on a click opens the target through the shell (or, failing that, the
// browser registered for ".htm").
//
// The control is subclassed in place. Its parent's dialog layer reflects the
// control-colour message and the click notification to it
// (common/reflected_messages.h).
#pragma once

#include <windows.h>

#include <string>

#include "common/win_handles.h"
#include "ui/link_rules.h"

// Sent to the parent after a click when the notify-parent flag is set:
// wParam is the control's id, lParam 0. Registered once for the process.
extern const UINT WM_XHYPERLINK_CLICKED;

class CXHyperLink {
public:
    CXHyperLink();
    virtual ~CXHyperLink();
    CXHyperLink(const CXHyperLink&) = delete;
    CXHyperLink& operator=(const CXHyperLink&) = delete;

    // Subclasses the dialog's static control `id`, or the window itself;
    // false when there is no such window or it is already subclassed.
    bool SubclassDlgItem(int id, HWND parent);
    bool Subclass(HWND control);
    HWND hwnd() const { return window_; }

    // Stores the target; with a window, fits it to its text and gives the
    // tool tip the new target. The caption stays.
    void SetLinkTarget(const std::wstring& target);
    const std::wstring& GetLinkTarget() const { return target_; }

    // Opens `target` with the shell ("new" or "open"), else with the
    // browser registered for ".htm". Above 32 means opened; 36 for an empty
    // target, which opens nothing.
    static INT_PTR OpenLinkTarget(const std::wstring& target, bool newWindow);

    // Resizes the control to its text (with the fit-to-text flag set).
    void FitToText();
    // Takes a new font for the link (the caller keeps owning it), e.g. the
    // dialog's font for a new DPI: the link's plain and underlined fonts are
    // made from it and the control fits its text again.
    void SetLinkFont(HFONT font);
    // Finds the hand cursor, once.
    void LoadLinkCursor();
    // A copy of cursor `resourceId` of the program at `path`, which is
    // mapped as data only; null when either is missing. The caller owns it.
    static HCURSOR CopyCursorFromProgram(const std::wstring& path, int resourceId);

    // Options; each keeps its initial value unless set before or after
    // subclassing.
    void SetOpenOnClick(bool open) { openOnClick_ = open ? 1 : 0; }
    void SetNotifyParent(bool notify) { notifyParent_ = notify ? 1 : 0; }
    void SetNewWindow(bool newWindow) { newWindow_ = newWindow ? 1 : 0; }
    void SetToolTipEnabled(bool enabled) { toolTipEnabled_ = enabled ? 1 : 0; }
    void SetFitToTextEnabled(bool fit) { fitToText_ = fit ? 1 : 0; }
    void SetColors(COLORREF link, COLORREF visited, COLORREF hover);
    // kNoColor leaves the background to the parent.
    void SetBackgroundColor(COLORREF color);
    // -1 underlines while hovered, 1 always.
    void SetUnderlineMode(int mode);

    bool IsHovered() const { return hovered_ != 0; }
    bool IsVisited() const { return visited_ != 0; }
    HWND ToolTip() const { return toolTip_.get(); }
    HCURSOR LinkCursor() const { return linkCursor_; }

protected:
    // A click that did not open the target: the exclamation beep.
    virtual void OnOpenFailed();
    // Opening through the shell; tests replace it.
    virtual INT_PTR Open(const std::wstring& target, bool newWindow) { return OpenLinkTarget(target, newWindow); }

private:
    struct Thunk;
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT CallOriginal(UINT msg, WPARAM wParam, LPARAM lParam);

    void OnSubclassed();
    void CreateFonts();
    void CreateToolTip();
    void UpdateToolRect();
    HBRUSH OnCtlColor(HDC dc);
    void OnClicked();
    void OnMouseMove();
    void OnHoverTimer();
    void EraseBackground(HDC dc);
    void Unhook();
    std::wstring WindowText() const;

    // The link's state with its initial values: only the target and the
    // open-on-click flag differ in the installer.
    COLORREF linkColor_ = link_rules::kLinkColor;
    COLORREF visitedColor_ = link_rules::kVisitedColor;
    COLORREF hoverColor_ = link_rules::kHoverColor;
    COLORREF backgroundColor_ = link_rules::kNoColor;
    win::ScopedGdiObject backgroundBrush_;
    int hovered_ = 0;
    int visited_ = 0;
    int underlineMode_ = -1;
    int fitToText_ = 1;
    std::wstring target_;
    win::ScopedGdiObject underlinedFont_;
    win::ScopedGdiObject normalFont_;
    HCURSOR linkCursor_ = nullptr;
    win::ScopedWindow toolTip_;
    UINT_PTR timerId_ = 100;
    int openOnClick_ = 1;
    int notifyParent_ = 0;
    int toolTipEnabled_ = 1;
    int newWindow_ = 0;

    // Only a cursor copied from a resource is ours; the system hand is shared.
    win::ScopedOwnCursor ownCursor_;
    // The tool record size the tool tip accepted.
    UINT toolInfoSize_ = 0;
    // The font the control had when subclassed, given back when we let go.
    HFONT originalFont_ = nullptr;
    HWND window_ = nullptr;
    Thunk* thunk_ = nullptr;
};
