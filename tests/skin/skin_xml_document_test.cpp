#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "skin/xml/skin_xml_document.h"

namespace {

std::wstring Load(CSkinXmlDocument& doc, const std::string& utf8) {
    doc.LoadUtf8(utf8.data(), utf8.size());
    return doc.Message();
}

std::wstring Note(size_t bytes, size_t units) {
    return std::to_wstring(bytes) + L" bytes to " + std::to_wstring(units) + L" wide chars";
}

}  // namespace

TEST(SkinXmlDocument, EmptyByteBlock) {
    CSkinXmlDocument doc;
    EXPECT_FALSE(doc.FindElement());  // nothing parsed yet
    EXPECT_EQ(Load(doc, ""), L"0 bytes to 0 wide chars, Empty document");
    EXPECT_FALSE(doc.IsWellFormed());
    EXPECT_FALSE(doc.FindElement());
    EXPECT_EQ(doc.ElementCount(), 0u);
    doc.LoadText(nullptr);
    EXPECT_EQ(doc.Message(), L"Empty document");
}

TEST(SkinXmlDocument, MismatchedEndTagClosesTheInnerElement) {
    CSkinXmlDocument doc;
    EXPECT_EQ(Load(doc, "<a><b></a>"),
              Note(10, 10) + L", End tag 'a' at offset 7 does not match start tag 'b' at offset 3");
    EXPECT_FALSE(doc.IsWellFormed());
    ASSERT_TRUE(doc.FindElement(L"a"));
    EXPECT_FALSE(doc.FindElement(L"a"));
    // The unclosed b keeps its place; its own children move up beside it.
    Load(doc, "<a><b><c/></a>");
    ASSERT_TRUE(doc.FindElement(L"a"));
    ASSERT_TRUE(doc.Descend());
    ASSERT_TRUE(doc.FindElement(L"b"));
    ASSERT_TRUE(doc.FindElement(L"c"));
    ASSERT_TRUE(doc.Descend());
    EXPECT_FALSE(doc.FindElement());
}

TEST(SkinXmlDocument, ChildrenOfUnclosedElementsKeepDocumentOrder) {
    CSkinXmlDocument doc;
    doc.LoadText(L"<r><a><c></c><b><d/></r>");
    ASSERT_TRUE(doc.FindElement(L"r"));
    ASSERT_TRUE(doc.Descend());
    std::wstring order;
    while (doc.FindElement()) order += doc.GetTagName();
    EXPECT_EQ(order, L"acbd");
    EXPECT_EQ(doc.Message(), L"End tag 'r' at offset 21 does not match start tag 'b' at offset 13");
}

TEST(SkinXmlDocument, StrayEndTagIsIgnored) {
    CSkinXmlDocument doc;
    doc.LoadText(L"<a></b></a>");
    EXPECT_EQ(doc.Message(), L"No start tag for end tag 'b' at offset 3");
    ASSERT_TRUE(doc.FindElement(L"a"));
    EXPECT_FALSE(doc.FindElement(L"a"));
    EXPECT_FALSE(doc.IsWellFormed());
}

TEST(SkinXmlDocument, ProblemMessages) {
    struct Case {
        const wchar_t* text;
        const wchar_t* message;
    } cases[] = {
        {L"<a/>", L""},
        {L"<1>", L"Incorrect tag name character at offset 0"},
        {L" <a><!x></a>", L"Incorrect ! tag at offset 4"},
        {L"<a><!-x></a>", L"Incorrect comment tag at offset 3"},
        {L"<a><![x></a>", L"Incorrect tag at offset 3"},
        {L"<a", L"Element tag at offset 0 unterminated"},
        {L"<a x='>", L"Element tag at offset 0 unterminated"},
        {L"<a></a", L"Element end tag at offset 3 unterminated"},
        {L"<a/><!-- x", L"Comment at offset 4 unterminated"},
        {L"<a/><?pi", L"Processing instruction at offset 4 unterminated"},
        {L"<a><![CDATA[ x", L"CDATA Section at offset 3 unterminated"},
        {L"<!DOCTYPE a [<!ELEMENT a ANY", L"Doctype at offset 0 unterminated"},
        {L"<a/><", L"tag at offset 4 unterminated"},
        {L"<a><b>", L"Element 'b' at offset 3 not ended"},
        {L"<a/><b/>", L"Root element has sibling"},
        {L" \r\n\t", L"No root element"},
        {L"text only", L"No root element"},
    };
    for (const Case& c : cases) {
        CSkinXmlDocument doc;
        doc.LoadText(c.text);
        EXPECT_EQ(doc.Message(), c.message) << c.text;
        EXPECT_EQ(doc.IsWellFormed(), *c.message == 0) << c.text;
    }
}

TEST(SkinXmlDocument, OnlyTheFirstProblemIsKept) {
    CSkinXmlDocument doc;
    doc.LoadText(L"<a></x><1></a><b/>");
    EXPECT_EQ(doc.Message(), L"No start tag for end tag 'x' at offset 3");
    // Every element whose start tag was read is indexed.
    EXPECT_EQ(doc.ElementCount(), 2u);
}

TEST(SkinXmlDocument, MarkupThatIsNotIndexed) {
    CSkinXmlDocument doc;
    doc.LoadText(
        L"<?xml version=\"1.0\"?>\r\n<!DOCTYPE t [<!ELEMENT t ANY><!ATTLIST t a CDATA #IMPLIED>]>"
        L"<t><!-- <x/> --><![CDATA[<y/>]]>text<?pi <z/>?><u/></t>");
    EXPECT_EQ(doc.Message(), L"");
    EXPECT_TRUE(doc.IsWellFormed());
    EXPECT_EQ(doc.ElementCount(), 2u);
    ASSERT_TRUE(doc.FindElement(L"t"));
    ASSERT_TRUE(doc.Descend());
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetTagName(), L"u");
}

TEST(SkinXmlDocument, QuotedGreaterThanDoesNotEndTheTag) {
    CSkinXmlDocument doc;
    doc.LoadText(L"<a x='1>2'/>");
    EXPECT_TRUE(doc.IsWellFormed());
    ASSERT_TRUE(doc.FindElement(L"a"));
    EXPECT_EQ(doc.GetAttribute(L"x"), L"1>2");
    EXPECT_EQ(doc.ElementCount(), 1u);
}

TEST(SkinXmlDocument, QuotesDecideWhereTagsEnd) {
    struct Case {
        const wchar_t* text;
        const wchar_t* attribute;
        const wchar_t* value;
    } cases[] = {
        // Only a quote after '=' opens a value; others are ordinary characters.
        {L"<a x=y\" z=\">\"/>", L"z", L">"},
        {L"<a x = '>' />", L"x", L">"},
        {L"<a x='1' y=\"it's > that\" />", L"y", L"it's > that"},
        // Values longer than one scanning block, '>' deep inside.
        {L"<a long=\"0123456789abcdef>0123456789abcdef\" b='2'/>", L"long", L"0123456789abcdef>0123456789abcdef"},
        {L"<abcdefghijklmnop q=\"'>'\" r=\"x\"/>", L"q", L"'>'"},
        {L"<a b\"c>d\"=\"e\"/>", L"b\"c", L""},
    };
    for (const Case& c : cases) {
        CSkinXmlDocument doc;
        doc.LoadText(c.text);
        ASSERT_TRUE(doc.FindElement()) << c.text;
        EXPECT_EQ(doc.GetAttribute(c.attribute), c.value) << c.text;
    }
    CSkinXmlDocument doc;
    doc.LoadText(L"<a x=y\" z=\">\"/>");
    EXPECT_TRUE(doc.IsWellFormed());
    EXPECT_EQ(doc.ElementCount(), 1u);
}

TEST(SkinXmlDocument, AttributeValues) {
    CSkinXmlDocument doc;
    doc.LoadText(
        L"<a ref=\"&#x41;&amp;&foo;\" dec='&#66;&#x10041;' ents=\"&lt;&gt;&apos;&quot;\" "
        L"open=\"&#67 andx;\" far=\"&#1234567890123;\" captionHeight = \"0\" bare=yes/x empty=\"\" "
        L"Case=\"upper\" case=\"lower\" x = y/>");
    ASSERT_TRUE(doc.FindElement(L"a"));
    EXPECT_EQ(doc.GetAttribute(L"ref"), L"A&&foo;");
    EXPECT_EQ(doc.GetAttribute(L"dec"), L"BA");  // numbers are cut to 16 bits
    EXPECT_EQ(doc.GetAttribute(L"ents"), L"<>'\"");
    EXPECT_EQ(doc.GetAttribute(L"open"), L"&#67 andx;");  // no ';' within eight characters
    EXPECT_EQ(doc.GetAttribute(L"far"), L"&#1234567890123;");
    EXPECT_EQ(doc.GetAttribute(L"captionHeight"), L"0");
    EXPECT_EQ(doc.GetAttribute(L"bare"), L"yes/x");
    EXPECT_EQ(doc.GetAttribute(L"empty"), L"");
    EXPECT_EQ(doc.GetAttribute(L"missing"), L"");
    EXPECT_EQ(doc.GetAttribute(L"case"), L"lower");
    EXPECT_EQ(doc.GetAttribute(L"Case"), L"upper");
    EXPECT_EQ(doc.GetAttribute(L"x"), L"y/");
    EXPECT_EQ(doc.GetAttribute(L"captionHeigh"), L"");
}

TEST(SkinXmlDocument, NamesAreCaseSensitiveUnlessAsked) {
    CSkinXmlDocument doc;
    doc.LoadText(L"<theme><Item/></theme>");
    EXPECT_FALSE(doc.FindElement(L"Theme"));
    EXPECT_FALSE(doc.FindElement(L"them"));
    EXPECT_FALSE(doc.FindElement(L"themes"));
    EXPECT_TRUE(doc.FindElement(L"theme/item"));  // a name followed by a path separator matches
    doc.SetIgnoreCase(true);
    doc.LoadText(L"<theme><Item></ITEM></THEME>");
    EXPECT_TRUE(doc.IsWellFormed());
    EXPECT_TRUE(doc.FindElement(L"Theme"));
}

TEST(SkinXmlDocument, Navigation) {
    CSkinXmlDocument doc;
    doc.LoadText(L"<theme><font><item id='f1'/><item id='f2'/></font><color><item id='c1'/></color></theme>");
    EXPECT_FALSE(doc.Ascend());
    EXPECT_FALSE(doc.Descend());
    EXPECT_EQ(doc.GetAttribute(L"id"), L"");
    ASSERT_TRUE(doc.FindElement(L"theme"));
    ASSERT_TRUE(doc.Descend());
    ASSERT_TRUE(doc.FindElement(L"color"));
    EXPECT_FALSE(doc.FindElement(L"font"));  // searches only after the current element
    doc.ResetPosition();
    ASSERT_TRUE(doc.FindElement(L"font"));
    ASSERT_TRUE(doc.Descend());
    std::wstring ids;
    while (doc.FindElement(L"item")) ids += doc.GetAttribute(L"id");
    EXPECT_EQ(ids, L"f1f2");
    ASSERT_TRUE(doc.Ascend());
    EXPECT_EQ(doc.GetTagName(), L"font");
    ASSERT_TRUE(doc.Descend());  // back to where the walk left off
    EXPECT_FALSE(doc.FindElement(L"item"));
    ASSERT_TRUE(doc.Ascend());
    ASSERT_TRUE(doc.FindElement(L"color"));
    ASSERT_TRUE(doc.Descend());
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetAttribute(L"id"), L"c1");
    ASSERT_TRUE(doc.Ascend());
    ASSERT_TRUE(doc.Ascend());
    EXPECT_EQ(doc.GetTagName(), L"theme");
    EXPECT_FALSE(doc.Ascend());
}

TEST(SkinXmlDocument, Utf8Decoding) {
    CSkinXmlDocument doc;
    // 宋体 (3 bytes each), U+1F600 (4 bytes, a surrogate pair), then bad sequences.
    std::string text = "<a v='\xE5\xAE\x8B\xE4\xBD\x93\xF0\x9F\x98\x80|\xE5\xAEx|\xF8|\x80'/>";
    EXPECT_EQ(Load(doc, text), Note(text.size(), 20));
    ASSERT_TRUE(doc.FindElement(L"a"));
    std::wstring v = doc.GetAttribute(L"v");
    ASSERT_EQ(v.size(), 11u);
    EXPECT_EQ(v[0], wchar_t(0x5B8B));
    EXPECT_EQ(v[1], wchar_t(0x4F53));
    EXPECT_EQ(v[2], wchar_t(0xD83D));
    EXPECT_EQ(v[3], wchar_t(0xDE00));
    EXPECT_EQ(v.substr(4), L"|?x|?|?");

    // A sequence cut by the end of the input, or a NUL, ends the text.
    EXPECT_EQ(Load(doc, "<a/>\xE5\xAE"), Note(6, 4));
    EXPECT_TRUE(doc.IsWellFormed());
    std::string withNul("<a/>\0<b/>", 9);
    EXPECT_EQ(Load(doc, withNul), Note(9, 4));
    EXPECT_TRUE(doc.IsWellFormed());
}

TEST(SkinXmlDocument, DeepNestingIsLinearAndStackSafe) {
    const size_t depth = 100000;
    std::string open, close;
    for (size_t i = 0; i < depth; ++i) open += "<a>";
    for (size_t i = 0; i < depth; ++i) close += "</a>";
    CSkinXmlDocument doc;
    EXPECT_EQ(Load(doc, open + close), Note(7 * depth, 7 * depth));
    EXPECT_TRUE(doc.IsWellFormed());
    size_t levels = 0;
    while (doc.FindElement(L"a") && doc.Descend()) ++levels;
    EXPECT_EQ(levels, depth);

    // Never closed: all of them flatten into one level, in order.
    Load(doc, open);
    EXPECT_EQ(doc.ElementCount(), depth);
    size_t top = 0;
    while (doc.FindElement(L"a")) ++top;
    EXPECT_EQ(top, depth);

    // Many stray end tags inside a deep element cost nothing extra.
    std::string stray;
    for (size_t i = 0; i < depth; ++i) stray += "</b>";
    Load(doc, open + stray + close);
    EXPECT_EQ(doc.ElementCount(), depth);
    EXPECT_NE(doc.Message().find(L"No start tag for end tag 'b'"), std::wstring::npos);

    // Distinct names: each end tag closes a different depth.
    std::string names;
    for (size_t i = 0; i < depth; ++i) names += "<n" + std::to_string(i) + ">";
    for (size_t i = 0; i < depth; i += 2) names += "</n" + std::to_string(depth - 1 - i) + ">";
    Load(doc, names);
    EXPECT_EQ(doc.ElementCount(), depth);
}

TEST(SkinXmlDocument, InstallerTheme) {
    std::string path = TOVANE_SOURCE_DIR "/res/skin/skin.xml";
    std::ifstream in(path, std::ios::binary);
    if (!in) {  // under Wine the source tree is on drive Z:
        std::string windows = "Z:" + path;
        for (char& c : windows)
            if (c == '/') c = '\\';
        in.open(windows, std::ios::binary);
    }
    if (!in) GTEST_SKIP() << "res/skin/skin.xml not present";
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CSkinXmlDocument doc;
    doc.LoadUtf8(bytes.data(), bytes.size());
    EXPECT_TRUE(doc.IsWellFormed()) << std::string(doc.Message().begin(), doc.Message().end());
    EXPECT_EQ(doc.Message(), Note(bytes.size(), doc.Text().size()));
    ASSERT_TRUE(doc.FindElement(L"theme"));
    EXPECT_EQ(doc.GetAttribute(L"version"), L"3.0");
    ASSERT_TRUE(doc.Descend());
    std::wstring sections;
    while (doc.FindElement()) sections += doc.GetTagName() + L" ";
    EXPECT_EQ(sections, L"manifest font color image constrol ");
}
