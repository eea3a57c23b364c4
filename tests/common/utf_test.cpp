// The shared text conversions: well-formed text survives every round trip,
// malformed text becomes U+FFFD unit by unit and never fails.
#include <gtest/gtest.h>

#include "common/utf.h"

namespace {

const std::string kMixed = "Ann \xE7\x9A\x84 iPhone \xE2\x98\x8E \xF0\x9F\x93\xB1";  // 的, ☎, 📱

TEST(Utf, WellFormedTextRoundTrips) {
    const std::u16string utf16 = text::Utf8ToUtf16(kMixed);
    EXPECT_EQ(utf16, u"Ann \u7684 iPhone \u260E \U0001F4F1");
    EXPECT_EQ(text::Utf16ToUtf8(utf16), kMixed);

    const std::wstring wide = text::Utf8ToWide(kMixed);
    EXPECT_EQ(wide, L"Ann \u7684 iPhone \u260E \U0001F4F1");
    EXPECT_EQ(text::WideToUtf8(wide), kMixed);
    EXPECT_EQ(text::Utf16ToWide(utf16), wide);
    EXPECT_EQ(text::WideToUtf16(wide), utf16);

    // Every boundary of the encoding lengths.
    const std::u16string edges = u"\u007F\u0080\u07FF\u0800\uD7FF\uE000\uFFFF\U00010000\U0010FFFF";
    EXPECT_EQ(text::Utf8ToUtf16(text::Utf16ToUtf8(edges)), edges);
    EXPECT_EQ(text::Utf16ToUtf8(u"\u0080\u0800\U00010000"), "\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80");
}

TEST(Utf, MalformedUtf8BecomesReplacementCharacters) {
    struct Case {
        std::string in;
        std::u16string out;
    };
    const Case cases[] = {
        {"\xE7\x94", u"\uFFFD\uFFFD"},                      // truncated sequence
        {"a\x80z", u"a\uFFFDz"},                            // lone continuation byte
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong "/"
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},            // overlong, three bytes
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"\xFF\xFE", u"\uFFFD\uFFFD"},
        {"\xE7\x94x", u"\uFFFD\uFFFDx"},  // a sequence cut by an ASCII byte
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text::Utf8ToUtf16(c.in), c.out) << c.in;
        EXPECT_EQ(text::WideToUtf16(text::Utf8ToWide(c.in)), c.out) << c.in;
    }
}

TEST(Utf, UnpairedSurrogatesBecomeReplacementCharacters) {
    const std::u16string broken = {u'a', 0xD800, u'b', 0xDC00, 0xDBFF};
    EXPECT_EQ(text::Utf16ToUtf8(broken),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD\xEF\xBF\xBD");
    // Reversed halves are two unpaired surrogates, not a pair.
    EXPECT_EQ(text::Utf16ToUtf8(std::u16string{0xDC00, 0xD800}), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
