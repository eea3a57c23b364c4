// The hyperlink label's window-free rules: text colour, sizing to the text,
// and the browser command line built from a registry association. Under
// Wine the command is read back by the system's own CommandLineToArgvW, the
// way the started program reads its arguments.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "ui/link_rules.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace lr = link_rules;

namespace {

using Args = std::vector<std::wstring>;

#ifdef _WIN32
// The arguments a program started with `command` reads.
Args ReadBack(const std::wstring& command) {
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(command.c_str(), &count);
    Args args;
    if (!argv) return args;
    for (int i = 0; i < count; ++i) args.push_back(argv[i]);
    ::LocalFree(argv);
    return args;
}
#endif

TEST(LinkRules, HoverWinsOverVisitedWhichWinsOverTheLinkColour) {
    const lr::LinkColors colors;
    EXPECT_EQ(lr::TextColor(colors, false, false), SkinRgb(0, 0, 238));
    EXPECT_EQ(lr::TextColor(colors, false, true), SkinRgb(85, 26, 139));
    EXPECT_EQ(lr::TextColor(colors, true, false), SkinRgb(255, 0, 0));
    EXPECT_EQ(lr::TextColor(colors, true, true), SkinRgb(255, 0, 0));
}

TEST(LinkRules, FittingKeepsTheEdgeOrCentreTheAlignmentNames) {
    // A 60 x 20 control with a 2-pixel border all round; the text is 40 x 14.
    const SkinRect window{100, 10, 164, 34};
    auto fit = [&](std::uint32_t style) { return lr::FitRectToText(window, 60, 20, 40, 14, style); };

    // Left-aligned (also SS_SIMPLE and SS_LEFTNOWORDWRAP): left and top stay.
    EXPECT_EQ(fit(0x0), (SkinRect{100, 10, 144, 28}));
    EXPECT_EQ(fit(0xB), (SkinRect{100, 10, 144, 28}));
    EXPECT_EQ(fit(0xC), (SkinRect{100, 10, 144, 28}));
    // Right-aligned: the right edge stays.
    EXPECT_EQ(fit(kSkinSsRight), (SkinRect{120, 10, 164, 28}));
    // Centred: shrinks around its old centre.
    const SkinRect centred = fit(kSkinSsCenter);
    EXPECT_EQ(centred.Width(), 44);
    EXPECT_EQ(centred.left + centred.right, window.left + window.right);
    // Vertically centred text keeps its vertical centre.
    const SkinRect middle = fit(kSkinSsCenter | kSkinSsCenterImage);
    EXPECT_EQ(middle.Height(), 18);
    EXPECT_EQ(middle.top + middle.bottom, window.top + window.bottom);
}

TEST(LinkRules, CentredTextWiderThanItsControlGrowsToTheWholeText) {
    // 26 pixels wide, text 45: an odd difference must not cost the last
    // pixel column of the text.
    const SkinRect window{134, 4, 160, 12};
    const SkinRect grown = lr::FitRectToText(window, 26, 8, 45, 14, kSkinSsCenter);
    EXPECT_EQ(grown.Width(), 45);
    EXPECT_EQ(grown.Height(), 14);
    EXPECT_LE(std::abs((grown.left + grown.right) - (window.left + window.right)), 1);
    const SkinRect tall = lr::FitRectToText(window, 26, 8, 45, 13, kSkinSsCenter | kSkinSsCenterImage);
    EXPECT_EQ(tall.Height(), 13);
}

TEST(LinkRules, OnlyPlainWebAddressesAreHandedToABrowser) {
    for (const wchar_t* ok : {L"http://bbs.tovane.com", L"HTTPS://www.tovane.com/a?b=1&c=2",
                              L"http://www.tovane.com/论坛/下载 页面", L"http://x/trailing\\"}) {
        EXPECT_TRUE(lr::IsSafeWebTarget(ok)) << ok;
    }
    for (const wchar_t* bad : {L"", L"http://", L"https://", L"ftp://host/file", L"file:///C:/Windows/notepad.exe",
                               L"javascript:alert(1)", L"C:\\Windows\\notepad.exe", L" http://lead.space",
                               L"http://x/\" --other-switch \"", L"http://x/\r\n", L"http://x/\x7f"}) {
        EXPECT_FALSE(lr::IsSafeWebTarget(bad)) << bad;
    }
    EXPECT_TRUE(lr::IsSafeWebTarget(L"http://x/" + std::wstring(lr::kMaxWebTarget - 9, L'a')));
    EXPECT_FALSE(lr::IsSafeWebTarget(L"http://x/" + std::wstring(lr::kMaxWebTarget - 8, L'a')));
}

#ifdef _WIN32
TEST(LinkRules, TheTargetArrivesAsOneArgumentWhereverThePlaceholderStands) {
    const std::wstring target = L"http://www.tovane.com/下载 页面?a=1&b=2";
    struct Case {
        const wchar_t* registered;
        Args expected;
    };
    const Case cases[] = {
        // Quoted program and placeholder, with arguments after it.
        {L"\"C:\\Program Files\\Browser\\browser.exe\" -osint -url \"%1\" --new",
         {L"C:\\Program Files\\Browser\\browser.exe", L"-osint", L"-url", target, L"--new"}},
        // A bare placeholder gets quotes of its own.
        {L"\"C:\\浏览器\\b.exe\" --single-argument %1", {L"C:\\浏览器\\b.exe", L"--single-argument", target}},
        // %L is the same placeholder; %* and %2 stand for nothing here.
        {L"\"b.exe\" %L %* %2", {L"b.exe", target}},
        // Inside a longer quoted argument the target stays part of it.
        {L"\"b.exe\" \"--url=%1\"", {L"b.exe", L"--url=" + target}},
        // No placeholder: the target is appended.
        {L"\"C:\\b\\b.exe\" -nohome", {L"C:\\b\\b.exe", L"-nohome", target}},
        {L"\"C:\\b\\b.exe\"", {L"C:\\b\\b.exe", target}},
        // An unquoted program without blanks is quoted for the start.
        {L"C:\\PROGRA~1\\IE\\IEXPLORE.EXE %1", {L"C:\\PROGRA~1\\IE\\IEXPLORE.EXE", target}},
        {L"  rundll32.exe url.dll,FileProtocolHandler %1", {L"rundll32.exe", L"url.dll,FileProtocolHandler", target}},
        // An unclosed quote runs to the end, as the program reads it.
        {L"\"b.exe\" \"-url %1", {L"b.exe", L"-url " + target}},
        // Literal quotes the registry writes around the placeholder.
        {L"\"b.exe\" \\\"%1\\\"", {L"b.exe", L"\"" + target + L"\""}},
        {L"\"b.exe\" \"\"%1\"\"", {L"b.exe", target}},
        // The placeholder glued to the closing quote of the program.
        {L"\"b.exe\"%1", {L"b.exe", target}},
    };
    for (const Case& c : cases) {
        const auto command = lr::BuildBrowserCommand(c.registered, target);
        ASSERT_TRUE(command.has_value()) << c.registered;
        EXPECT_EQ(ReadBack(*command), c.expected) << c.registered << L" -> " << *command;
    }
}

TEST(LinkRules, BackslashesNextToTheTargetsQuotesStayBackslashes) {
    // A target ending in a backslash, inside and outside the registry's quotes.
    const std::wstring target = L"http://host/dir\\";
    for (const wchar_t* registered : {L"\"b.exe\" \"%1\"", L"\"b.exe\" %1", L"\"b.exe\""}) {
        const auto command = lr::BuildBrowserCommand(registered, target);
        ASSERT_TRUE(command.has_value()) << registered;
        EXPECT_EQ(ReadBack(*command), (Args{L"b.exe", target})) << *command;
    }
    // A backslash the registry puts right before a bare placeholder.
    const auto glued = lr::BuildBrowserCommand(L"\"b.exe\" \\%1", L"http://a b");
    ASSERT_TRUE(glued.has_value());
    EXPECT_EQ(ReadBack(*glued), (Args{L"b.exe", L"\\http://a b"})) << *glued;
}

// Registry commands put together from pieces that quote, escape and place
// the placeholder in every way, and the fuzz target's seeds: whatever the
// builder accepts, the started program reads the program first and the
// whole target inside one argument, and blanks in the target never add an
// argument.
struct RegistryCommand {
    std::wstring text;
    std::wstring program;  // what the started program reads first
};

std::vector<RegistryCommand> GeneratedRegistryCommands() {
    const wchar_t* pieces[] = {L"%1",      L"\"%1\"", L"\\\"%1\\\"", L"--url=%1",   L"\"--url=%L\"", L"-new",
                               L"\"a b\"", L"\\",     L"\\\\\"",     L"\"\"",       L"%*",           L"%2",
                               L"\"",      L"x\\",    L"\t",         L"\"\"%1\"\"", L"\\%1",         L"%1%1"};
    std::vector<RegistryCommand> commands;
    std::mt19937 random(6);
    for (int i = 0; i < 3000; ++i) {
        // A quoted program may have the arguments glued to it; an unquoted one
        // ends at the first blank.
        bool quoted = random() % 2;
        std::wstring command = quoted ? L"\"C:\\Program Files\\B\\b.exe\"" : L"C:\\B\\b.exe ";
        for (int n = static_cast<int>(random() % 6); n > 0; --n) {
            if (random() % 4) command += L' ';
            command += pieces[random() % std::size(pieces)];
        }
        commands.push_back({command, quoted ? L"C:\\Program Files\\B\\b.exe" : L"C:\\B\\b.exe"});
    }
    // The seeds: the registry command is the first line, the target the second.
    const std::pair<const char*, const wchar_t*> seeds[] = {
        {"backslash_quotes", L"b.exe"},
        {"quoted_placeholder", L"C:\\Program Files\\Browser\\browser.exe"},
        {"rundll", L"rundll32.exe"},
        {"spaced_path", L""},
        {"unquoted_exe", L"C:\\PROGRA~1\\IE\\IEXPLORE.EXE"},
    };
    for (const auto& seed : seeds) {
        std::ifstream file(std::string(TOVANE_BROWSER_CORPUS) + "/" + seed.first, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_FALSE(bytes.empty()) << seed.first;
        bytes.resize(std::min(bytes.find('\n'), bytes.size()));
        commands.push_back({std::wstring(bytes.begin(), bytes.end()), seed.second});
    }
    return commands;
}

TEST(LinkRules, EveryAcceptedCommandReadsBackWithTheTargetWhole) {
    const std::wstring targets[] = {L"http://www.tovane.com/下载 页面?a=1&b=2", L"https://host/dir\\",
                                    L"http://a\tb\\\\c d\\"};
    int accepted = 0;
    for (const RegistryCommand& generated : GeneratedRegistryCommands()) {
        const std::wstring& registered = generated.text;
        for (const std::wstring& target : targets) {
            const auto command = lr::BuildBrowserCommand(registered, target);
            if (!command) continue;
            ++accepted;
            const Args args = ReadBack(*command);
            ASSERT_GE(args.size(), 2u) << registered << L" -> " << *command;
            EXPECT_EQ(args[0], generated.program) << registered << L" -> " << *command;
            bool whole = false;
            for (size_t i = 1; i < args.size(); ++i) whole = whole || args[i].find(target) != std::wstring::npos;
            EXPECT_TRUE(whole) << registered << L" -> " << *command;
            std::wstring solid = target;
            for (wchar_t& c : solid)
                if (c == L' ' || c == L'\t') c = L'x';
            const auto solidCommand = lr::BuildBrowserCommand(registered, solid);
            ASSERT_TRUE(solidCommand.has_value()) << registered;
            EXPECT_EQ(ReadBack(*solidCommand).size(), args.size()) << registered << L" -> " << *command;
        }
    }
    EXPECT_GT(accepted, 3000);
}
#endif

TEST(LinkRules, CommandsThatCouldStartAnotherProgramAreRefused) {
    const std::wstring target = L"http://bbs.tovane.com";
    for (const wchar_t* registered :
         {// Unquoted path with blanks: the system would try C:\Program.exe.
          L"C:\\Program Files\\Browser\\browser.exe %1", L"C:\\Program Files\\Browser\\browser.exe",
          // No program, or an unterminated one.
          L"", L"   ", L"\"\" %1", L"\"C:\\Browser\\b.exe %1",
          // Control characters have no place in a command line.
          L"\"b.exe\" %1\r\ncalc.exe", L"\"b.exe\"\x01%1"}) {
        EXPECT_FALSE(lr::BuildBrowserCommand(registered, target).has_value()) << registered;
    }
    // And so are targets that are not plain web addresses.
    EXPECT_FALSE(lr::BuildBrowserCommand(L"\"b.exe\" \"%1\"", L"http://x/\" --evil \"").has_value());
    EXPECT_FALSE(lr::BuildBrowserCommand(L"\"b.exe\" \"%1\"", L"C:\\Windows\\notepad.exe").has_value());
}

TEST(LinkRules, OverlongCommandsAreRefused) {
    const std::wstring target = L"http://x/" + std::wstring(2000, L'a');
    // Each placeholder adds the whole target.
    std::wstring many = L"\"b.exe\"";
    for (int i = 0; i < 20; ++i) many += L" %1";
    EXPECT_FALSE(lr::BuildBrowserCommand(many, target).has_value());
    EXPECT_FALSE(lr::BuildBrowserCommand(L"\"b.exe\" " + std::wstring(lr::kMaxCommandLine, L'x'), target).has_value());
    EXPECT_TRUE(lr::BuildBrowserCommand(L"\"b.exe\" %1 %1", target).has_value());
}

}  // namespace
