// Splits a command line the way Windows programs read theirs
// (CommandLineToArgvW): the program up to its closing quote or first blank,
// then arguments with 2n backslashes + quote = n backslashes and a quote
// that toggles quoting, 2n+1 backslashes + quote = a literal quote, and ""
// inside quotes = a literal quote. Lets tests see what a started browser
// would receive.
#pragma once

#include <string>
#include <vector>

namespace test_cmdline {

inline std::vector<std::wstring> Split(const std::wstring& line) {
    std::vector<std::wstring> args;
    std::size_t i = 0;
    std::wstring program;
    if (i < line.size() && line[i] == L'"') {
        ++i;
        while (i < line.size() && line[i] != L'"') program += line[i++];
        if (i < line.size()) ++i;
    } else {
        while (i < line.size() && line[i] != L' ' && line[i] != L'\t') program += line[i++];
    }
    args.push_back(program);

    while (true) {
        while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
        if (i >= line.size()) break;
        std::wstring arg;
        bool quoted = false;
        while (i < line.size()) {
            const wchar_t c = line[i];
            if (!quoted && (c == L' ' || c == L'\t')) break;
            if (c == L'\\') {
                std::size_t n = 0;
                while (i < line.size() && line[i] == L'\\') ++n, ++i;
                if (i < line.size() && line[i] == L'"') {
                    arg.append(n / 2, L'\\');
                    if (n % 2) {
                        arg += L'"';
                        ++i;
                    }
                } else {
                    arg.append(n, L'\\');
                }
                continue;
            }
            if (c == L'"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                    arg += L'"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
                continue;
            }
            arg += c;
            ++i;
        }
        args.push_back(arg);
    }
    return args;
}

}  // namespace test_cmdline
