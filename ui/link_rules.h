// The hyperlink label's decisions that need no window: which colour the text
// takes, where the control goes when it fits its text, and the browser
// command line built from a registry association. Free of Win32, so they are
// tested natively under the sanitizers and fuzzed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/value_types.h"
#include "common/win_constants.h"

namespace link_rules {

constexpr SkinColor kLinkColor = SkinRgb(0, 0, 238);
constexpr SkinColor kVisitedColor = SkinRgb(85, 26, 139);
constexpr SkinColor kHoverColor = SkinRgb(255, 0, 0);
// "No colour": the background is left to the parent.
constexpr SkinColor kNoColor = 0xFFFFFFFFu;

struct LinkColors {
    SkinColor link = kLinkColor;
    SkinColor visited = kVisitedColor;
    SkinColor hover = kHoverColor;
};

// Hover wins over visited, visited over the plain link colour.
SkinColor TextColor(const LinkColors& colors, bool hovered, bool visited);

// The control's new window rectangle (parent coordinates) when it is sized
// to text of textWidth x textHeight: the border (window minus client size)
// is kept, and the text's alignment decides which edge or centre stays.
// The new size is always exactly text plus border, so growing never clips.
SkinRect FitRectToText(const SkinRect& window, int clientWidth, int clientHeight, int textWidth, int textHeight,
                       std::uint32_t style);

// Longest target the fallback hands to a browser (the common URL limit).
constexpr std::size_t kMaxWebTarget = 2048;
// Longest command line CreateProcess takes, without its terminator.
constexpr std::size_t kMaxCommandLine = 32766;

// True for an http or https address that can be passed as one quoted
// argument: no quotes, no control characters, not too long.
bool IsSafeWebTarget(const std::wstring& target);

// The command line that opens `target` with the program of `registered`
// (a shell\open\command value). The program path comes first, quoted. The
// arguments are read as the program would read them, the target takes the
// place of each %1 or %L inside its argument (or is appended as an argument
// of its own when there is none), %* and %2..%9 stand for nothing, and every
// argument is written anew with safe quoting: blanks in the target never
// split it. Nothing when the target is not a safe web target, the program
// is missing, an unquoted program path holds blanks (it could start another
// program), the text holds control characters, or the result is too long.
std::optional<std::wstring> BuildBrowserCommand(const std::wstring& registered, const std::wstring& target);

}  // namespace link_rules
