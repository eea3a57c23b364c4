// The window procedure every skin class installs, and the tables of
// (message, handler) through which each class takes its messages.
//
// A handler receives the message (SkinMessage: message, wParam, lParam), so
// one handler may serve several messages. It returns true when it has
// consumed the message (and set the result); otherwise the message goes to
// the window's previous procedure. No exception leaves the procedure. At
// WM_NCDESTROY the previous procedure runs first, then the window manager
// detaches and deletes the object.
//
// A skin class T offers `LRESULT HandleMessage(const SkinMessage&)`, which
// hands the message to SkinDispatchMessage with the class's table. A table
// may be joined from pieces (SkinJoinTables): the entries a base class
// routes the same way for all its skins stay in one place.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

#include "common/win_dpi_win32.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_messages.h"

template <class T>
struct SkinMessageEntry {
    UINT message;
    bool (T::*handler)(const SkinMessage& message, LRESULT* result);
};

// The previous procedure of the object's window, with the message.
LRESULT SkinCallPrevious(CSkinBase& object, const SkinMessage& message);
LRESULT SkinCallPrevious(CSkinBase& object, UINT message, WPARAM wParam, LPARAM lParam);

// Finds the object of a window: the manager's record, else (while it is
// being attached) its "VELTAR_PROC" property.
CSkinBase* SkinObjectOf(HWND window);

// Takes a destroyed window out of the engine and deletes its object.
void SkinDestroyObject(HWND window, CSkinBase* object);

// What is left for DefWindowProcW when a window has no object any more.
LRESULT SkinWithoutObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the object's scale to the DPI its window reports.
void SkinFollowWindowDpi(CSkinBase& object);

// One table from two: `first`'s entries, then `second`'s. A message names
// one entry of the whole table: the first one would hide a second.
template <class T, size_t N, size_t M>
constexpr std::array<SkinMessageEntry<T>, N + M> SkinJoinTables(const SkinMessageEntry<T> (&first)[N],
                                                                const SkinMessageEntry<T> (&second)[M]) {
    std::array<SkinMessageEntry<T>, N + M> table{};
    for (size_t i = 0; i < N; ++i) table[i] = first[i];
    for (size_t i = 0; i < M; ++i) table[N + i] = second[i];
    return table;
}

// Whether a table names each message once.
template <class Table>
constexpr bool SkinTableIsUnique(const Table& table) {
    for (size_t i = 0; i < std::size(table); ++i)
        for (size_t j = i + 1; j < std::size(table); ++j)
            if (table[i].message == table[j].message) return false;
    return true;
}

// `table`: an array of SkinMessageEntry<T>.
template <class T, class Table>
LRESULT SkinDispatchMessage(T& object, const Table& table, const SkinMessage& message) {
    for (const SkinMessageEntry<T>& entry : table) {
        if (entry.message != message.message) continue;
        LRESULT result = 0;
        if ((object.*entry.handler)(message, &result)) return result;
        break;
    }
    return SkinCallPrevious(object, message);
}

// The class procedure of skin class T.
template <class T>
LRESULT CALLBACK SkinClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CSkinBase* base = SkinObjectOf(window);
    if (!base) return SkinWithoutObject(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        LRESULT result = 0;
        try {
            result = SkinCallPrevious(*base, message, wParam, lParam);
        } catch (...) {
        }
        SkinDestroyObject(window, base);
        return result;
    }
    try {
        // Every skin follows its window to a display of another DPI; a
        // skinned frame has already told its skinned children.
        if (message == win::kWmDpiChangedAfterParent) SkinFollowWindowDpi(*base);
        return static_cast<T*>(base)->HandleMessage(SkinMessage{message, wParam, lParam});
    } catch (...) {
        return 0;  // nothing unwinds into the system's message dispatch
    }
}
