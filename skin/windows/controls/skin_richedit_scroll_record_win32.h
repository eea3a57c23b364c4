// The rich-edit scroll-bar layer's record of one window, shared by its
// switch, hook answers and drawing (skin_richedit_scroll.cpp) and its window
// procedure (skin_richedit_scroll_proc.cpp). Not for the rest of the engine.
#pragma once

#include <windows.h>

#include <mutex>

#include "skin/windows/controls/skin_richedit_scroll_geometry.h"
#include "skin/windows/hooks/skin_richedit_scroll_math.h"

class CSkinDrawImage;

// Timers of a held arrow or track: the first delay, then the repeat.
enum : UINT_PTR { kSkinRichTimerDelay = 60000, kSkinRichTimerRepeat = 60001 };

struct SkinRichScrollRecord {
    HWND window = nullptr;
    // The bars' values, visibility and arrow flags: read and changed by the
    // hooks on any thread, so only under SkinRichScrollLock().
    SkinRichScrollState state;

    // The rest belongs to the window's thread.
    WNDPROC previous = nullptr;
    CSkinDrawImage* picture = nullptr;
    SkinScale scale;                // the window's display scale
    SkinRichScrollMetrics metrics;  // the layer's sizes at that scale
    bool leftScrollBar = false;
    bool richEdit = false;     // "RichEdit20A", "RichEdit20W" or "RICHEDIT": drags send SB_THUMBPOSITION
    bool passThrough = false;  // switched off beneath another procedure: passes everything on
    int suppressStyle = 0;     // > 0 while the layer changes the style itself
    bool trackingLeave = false;
    int pressed = 0;  // part code of the pressed part, 0 for none
    int hot = 0;      // part code of the hot part
    bool tracking = false;
    int dragOffset = 0;  // the cursor's distance from the thumb's start at the press
    int dragPosition = 0;
    bool dragPositionSet = false;
    int command = -1;  // the scroll command a held press repeats
};

// Guards every record's `state` and the records' coming and going.
std::mutex& SkinRichScrollLock();

// The window's record (the "PROP_Veltar" property), or null. Other threads
// call it with the lock held only.
SkinRichScrollRecord* SkinRichScrollRecordOf(HWND window);

// The bars of the record's window now (the window's thread).
SkinRichLayout SkinRichLayoutNow(const SkinRichScrollRecord& record, SkinRichScrollState* state = nullptr);

// Draws the bars in `bars` (1 horizontal, 2 vertical) and, with `sizeBox`,
// the size box into the window DC (the window's thread).
void SkinRichDrawBars(SkinRichScrollRecord& record, unsigned bars, bool sizeBox);

// What a change of the record asks of the window: a new frame (the style
// bits follow the record), or bars redrawn; on the window's thread at once,
// from other threads by the window's thread.
void SkinRichApplyEffect(HWND window, const SkinRichScrollEffect& effect);

// Frees the window's record (at its destruction).
void SkinRichScrollForget(HWND window);

LRESULT CALLBACK SkinRichScrollWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
