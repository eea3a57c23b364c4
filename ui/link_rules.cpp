#include "ui/link_rules.h"

#include <cwctype>
#include <vector>

namespace link_rules {

SkinColor TextColor(const LinkColors& colors, bool hovered, bool visited) {
    if (hovered) return colors.hover;
    return visited ? colors.visited : colors.link;
}

SkinRect FitRectToText(const SkinRect& window, int clientWidth, int clientHeight, int textWidth, int textHeight,
                       std::uint32_t style) {
    const int newWidth = textWidth + (window.Width() - clientWidth);
    const int newHeight = textHeight + (window.Height() - clientHeight);
    SkinRect r = window;

    if (style & kSkinSsCenterImage) {
        r.top += (window.Height() - newHeight) / 2;
    }
    r.bottom = r.top + newHeight;

    const std::uint32_t type = style & kSkinSsTypeMask;
    if (type == kSkinSsCenter) {
        r.left += (window.Width() - newWidth) / 2;
        r.right = r.left + newWidth;
    } else if (type == kSkinSsRight) {
        r.left = r.right - newWidth;
    } else {
        r.right = r.left + newWidth;
    }
    return r;
}

namespace {

bool IsControl(wchar_t c) { return c < 0x20 || c == 0x7F; }

// True when `text` holds the lower-case `word` at `pos`, in any case.
bool MatchesNoCase(const std::wstring& text, std::size_t pos, const wchar_t* word) {
    for (std::size_t i = 0; word[i]; ++i) {
        if (pos + i >= text.size() || std::towlower(text[pos + i]) != static_cast<std::wint_t>(word[i])) return false;
    }
    return true;
}

// The arguments after the program as the started program will read them:
// blanks separate, 2n backslashes before a quote are n backslashes and the
// quote opens or closes quoting, 2n+1 are n and a literal quote, and two
// quotes inside quotes are one literal quote.
std::vector<std::wstring> SplitArguments(const std::wstring& text) {
    std::vector<std::wstring> args;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
        if (i >= text.size()) break;
        std::wstring arg;
        bool quoted = false;
        while (i < text.size()) {
            const wchar_t c = text[i];
            if (!quoted && (c == L' ' || c == L'\t')) break;
            if (c == L'\\') {
                std::size_t n = 0;
                while (i < text.size() && text[i] == L'\\') ++n, ++i;
                if (i < text.size() && text[i] == L'"') {
                    arg.append(n / 2, L'\\');
                    if (n % 2) {
                        arg += L'"';
                        ++i;
                    }
                } else {
                    arg.append(n, L'\\');
                }
            } else if (c == L'"') {
                if (quoted && i + 1 < text.size() && text[i + 1] == L'"') {
                    arg += L'"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                arg += c;
                ++i;
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

// Writes one argument so that it reads back unchanged: quoted when it holds
// blanks or quotes (or is empty), with backslashes before quotes doubled.
void AppendArgument(std::wstring& out, const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) {
        out += arg;
        return;
    }
    out += L'"';
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') backslashes = backslashes * 2 + 1;
        out.append(backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    out += L'"';
}

// Puts the target in place of %1 and %L; %* and %2..%9 stand for nothing.
// Counts the targets placed; `onlyEmptyPlaceholders` tells whether the
// argument held nothing but placeholders that stand for nothing.
std::wstring Substitute(const std::wstring& arg, const std::wstring& target, int& placed, bool& onlyEmptyPlaceholders) {
    std::wstring out;
    onlyEmptyPlaceholders = !arg.empty();
    for (std::size_t i = 0; i < arg.size(); ++i) {
        const wchar_t next = i + 1 < arg.size() ? arg[i + 1] : L'\0';
        if (arg[i] == L'%' && (next == L'1' || next == L'L' || next == L'l')) {
            out += target;
            ++placed;
            onlyEmptyPlaceholders = false;
            ++i;
        } else if (arg[i] == L'%' && (next == L'*' || (next >= L'2' && next <= L'9'))) {
            ++i;
        } else {
            out += arg[i];
            onlyEmptyPlaceholders = false;
        }
    }
    return out;
}

// Splits off the program: quoted up to its closing quote, or unquoted up to
// the first blank. False when there is none, it holds a quote, or an
// unquoted path runs on past a blank to its ".exe".
bool SplitProgram(const std::wstring& command, std::wstring& program, std::wstring& rest) {
    std::size_t start = 0;
    while (start < command.size() && (command[start] == L' ' || command[start] == L'\t')) ++start;
    if (start == command.size()) return false;

    if (command[start] == L'"') {
        const std::size_t close = command.find(L'"', start + 1);
        if (close == std::wstring::npos) return false;
        program = command.substr(start + 1, close - start - 1);
        rest = command.substr(close + 1);
    } else {
        std::size_t end = command.find_first_of(L" \t", start);
        if (end == std::wstring::npos) end = command.size();
        // An executable named further on means the path itself has blanks:
        // unquoted, the system would try "C:\Program.exe" first.
        for (std::size_t i = start; i + 4 <= command.size(); ++i) {
            if (MatchesNoCase(command, i, L".exe") &&
                (i + 4 == command.size() || command[i + 4] == L' ' || command[i + 4] == L'\t')) {
                if (i + 4 > end) return false;
                break;
            }
        }
        program = command.substr(start, end - start);
        rest = command.substr(end);
    }
    // A quote inside an unquoted path would end up closing our own quotes.
    return !program.empty() && program.find(L'"') == std::wstring::npos;
}

}  // namespace

bool IsSafeWebTarget(const std::wstring& target) {
    if (target.size() > kMaxWebTarget) return false;
    std::size_t scheme = 0;
    if (MatchesNoCase(target, 0, L"http://"))
        scheme = 7;
    else if (MatchesNoCase(target, 0, L"https://"))
        scheme = 8;
    else
        return false;
    if (target.size() == scheme) return false;
    for (wchar_t c : target) {
        if (c == L'"' || IsControl(c)) return false;
    }
    return true;
}

std::optional<std::wstring> BuildBrowserCommand(const std::wstring& registered, const std::wstring& target) {
    if (!IsSafeWebTarget(target)) return std::nullopt;
    if (registered.size() > kMaxCommandLine) return std::nullopt;
    for (wchar_t c : registered) {
        if (c != L'\t' && IsControl(c)) return std::nullopt;
    }
    std::wstring program, rest;
    if (!SplitProgram(registered, program, rest)) return std::nullopt;

    // Each argument is read as the program would read it and written anew,
    // so the target stays inside the argument its placeholder stood in,
    // whatever quoting the registry text used around it.
    std::wstring out = L"\"" + program + L"\"";
    int placed = 0;
    for (const std::wstring& arg : SplitArguments(rest)) {
        bool onlyEmptyPlaceholders = false;
        const std::wstring value = Substitute(arg, target, placed, onlyEmptyPlaceholders);
        if (onlyEmptyPlaceholders) continue;
        out += L' ';
        AppendArgument(out, value);
        if (out.size() > kMaxCommandLine) return std::nullopt;
    }
    if (placed == 0) {
        out += L' ';
        AppendArgument(out, target);
    }
    if (out.size() > kMaxCommandLine) return std::nullopt;
    return out;
}

}  // namespace link_rules
