// CSkinXmlDocument: the small, tolerant, non-validating XML reader of the
// skin engine. It keeps the theme text as UTF-16 and an index of its
// elements (no tree of nodes), records the first well-formedness problem as
// a message, and never stops on an error.
//
// Text representation: every string of the interface (names, attribute
// values, the message) is a std::wstring of UTF-16 code units, one unit per
// wchar_t. On Windows wchar_t is 16-bit and the strings go straight to the
// Win32 API; in native builds wchar_t is 32-bit and still holds one UTF-16
// unit per element (characters above U+FFFF stay surrogate pairs). Inside,
// the document text is kept as std::u16string, two bytes per unit on every
// platform. All offsets (element starts, message offsets) count UTF-16
// units from 0.
//
// Cost: loading is linear in the document size and uses no recursion, so
// any nesting depth is fine; navigation steps are constant or linear in the
// number of siblings passed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CSkinXmlDocument {
public:
    CSkinXmlDocument();
    ~CSkinXmlDocument();
    CSkinXmlDocument(const CSkinXmlDocument&) = delete;
    CSkinXmlDocument& operator=(const CSkinXmlDocument&) = delete;

    // Replaces the text with the UTF-8 decoding of `bytes` and parses it.
    // The message starts with the conversion note "N bytes to M wide chars",
    // followed by ", " and the first problem when there is one.
    // Returns IsWellFormed().
    bool LoadUtf8(const char* bytes, size_t length);

    // Replaces the text with UTF-16 `text` (nullptr: empty; it ends at its
    // first NUL), clears the message and parses. Returns IsWellFormed().
    bool LoadText(const wchar_t* text);
    bool LoadText(const std::wstring& text);

    // Searches the children of the parent element, after the current element
    // (or from the first child when none is current), for the next element
    // whose tag name matches `name` (nullptr or empty: any element). On
    // success the element becomes current and the result is true; otherwise
    // the position does not change.
    bool FindElement(const wchar_t* name = nullptr);
    bool FindElement(const std::wstring& name) { return FindElement(name.c_str()); }

    // Makes the current element the parent (its children become searchable).
    bool Descend();
    // Goes back up: the parent becomes current again.
    bool Ascend();
    // Forgets the current element: the next FindElement starts at the first
    // child of the parent.
    void ResetPosition();

    // Decoded value of attribute `name` of the current element; empty when
    // there is no current element or no such attribute.
    std::wstring GetAttribute(const wchar_t* name) const;
    std::wstring GetAttribute(const std::wstring& name) const { return GetAttribute(name.c_str()); }

    // Tag name of the current element (empty when there is none).
    std::wstring GetTagName() const;

    // True when no problem was found and there is exactly one top-level element.
    bool IsWellFormed() const;

    // Conversion note and/or first problem (see LoadUtf8 / LoadText).
    const std::wstring& Message() const { return message_; }
    // The whole document text as UTF-16 units.
    std::wstring Text() const;
    size_t TextLength() const { return textLength_; }
    // Number of indexed elements (the document itself not counted).
    size_t ElementCount() const { return records_.empty() ? 0 : records_.size() - 1; }

    // Makes every name comparison case-insensitive; the engine never sets it.
    void SetIgnoreCase(bool ignore) { ignoreCase_ = ignore; }

    // Problem texts (printf-style; %s is a UTF-16 string, %d an offset).
    static const wchar_t* const kMsgConversion;    // L"%s%d bytes to %d wide chars"
    static const wchar_t* const kMsgIncorrect;     // L"Incorrect %s at offset %d"
    static const wchar_t* const kMsgUnterminated;  // L"%s at offset %d unterminated"
    static const wchar_t* const
        kMsgEndTagMismatch;  // L"End tag '%s' at offset %d does not match start tag '%s' at offset %d"
    static const wchar_t* const kMsgNoStartTag;     // L"No start tag for end tag '%s' at offset %d"
    static const wchar_t* const kMsgNotEnded;       // L"Element '%s' at offset %d not ended"
    static const wchar_t* const kMsgEmptyDocument;  // L"Empty document"
    static const wchar_t* const kMsgNoRoot;         // L"No root element"
    static const wchar_t* const kMsgRootSibling;    // L"Root element has sibling"

    // One indexed element. Record 0 stands for the document itself.
    struct Record {
        uint32_t start = 0;   // offset of the '<' of the start tag
        uint32_t length = 0;  // start to end of end tag (end of start tag when empty/not ended)
        uint32_t startTagLength = 0;
        uint32_t endTagLength = 0;  // 0 for an empty element
        uint32_t nameLength = 0;    // tag name starts at start + 1
        uint32_t level = 0;         // nesting depth as written, top level 0
        uint32_t parent = 0;
        uint32_t firstChild = 0;
        uint32_t nextSibling = 0;
        uint32_t prevSibling = 0;  // first child's is the last child
        bool notEnded = false;
    };

private:
    friend class CSkinXmlParser;

    void Parse();
    bool NameMatches(const wchar_t* search, size_t docOffset, size_t docLength) const;

    // UTF-16 units, not initialised beyond textLength_ (no zero-fill of a
    // buffer that is about to be overwritten).
    std::unique_ptr<char16_t[]> text_;
    size_t textLength_ = 0;
    std::wstring message_;
    std::vector<Record> records_;
    bool illFormed_ = false;
    bool ignoreCase_ = false;
    // Navigation position.
    uint32_t parent_ = 0;
    uint32_t current_ = 0;
    uint32_t child_ = 0;
};
