#include "skin/xml/skin_xml_document.h"

#include <cwctype>
#include <initializer_list>
#include <limits>

#include "skin/xml/skin_xml_text.h"

const wchar_t* const CSkinXmlDocument::kMsgConversion = L"%s%d bytes to %d wide chars";
const wchar_t* const CSkinXmlDocument::kMsgIncorrect = L"Incorrect %s at offset %d";
const wchar_t* const CSkinXmlDocument::kMsgUnterminated = L"%s at offset %d unterminated";
const wchar_t* const CSkinXmlDocument::kMsgEndTagMismatch =
    L"End tag '%s' at offset %d does not match start tag '%s' at offset %d";
const wchar_t* const CSkinXmlDocument::kMsgNoStartTag = L"No start tag for end tag '%s' at offset %d";
const wchar_t* const CSkinXmlDocument::kMsgNotEnded = L"Element '%s' at offset %d not ended";
const wchar_t* const CSkinXmlDocument::kMsgEmptyDocument = L"Empty document";
const wchar_t* const CSkinXmlDocument::kMsgNoRoot = L"No root element";
const wchar_t* const CSkinXmlDocument::kMsgRootSibling = L"Root element has sibling";

using skinxml::FormatArg;
using skinxml::FormatText;
using skinxml::IsNameEnd;
using skinxml::IsNameStart;
using skinxml::IsXmlSpace;
using skinxml::XmlChar;

namespace {

// Indexes never exceed 32 bits; longer texts are cut (the engine's themes
// are a few kilobytes).
constexpr size_t kMaxTextUnits = std::numeric_limits<uint32_t>::max() / 2;

}  // namespace

// The one-pass indexer. Open elements live on an explicit stack (no
// recursion, any depth). Finding the open element that an end tag closes
// goes through a table of distinct tag names, each knowing its innermost
// open element, so a stray or mismatched end tag costs constant time
// instead of a walk down the stack.
class CSkinXmlParser {
public:
    explicit CSkinXmlParser(CSkinXmlDocument& doc)
        : doc_(doc), t_(doc.text_.get()), n_(doc.textLength_), names_(t_, doc.ignoreCase_) {}

    void Run();
    std::wstring TakeProblem() { return std::move(problem_); }

private:
    using Record = CSkinXmlDocument::Record;
    struct Open {
        uint32_t record;
        uint32_t nameId;
        int32_t prevSameName;  // next-inner open element with the same name, -1 none
    };

    void Problem(std::wstring text) {
        doc_.illFormed_ = true;
        if (!hasProblem_) {
            hasProblem_ = true;
            problem_ = std::move(text);
        }
    }
    void Incorrect(const wchar_t* what, size_t at) {
        Problem(FormatText(CSkinXmlDocument::kMsgIncorrect, {FormatArg(what), FormatArg(at)}));
    }
    void Unterminated(const wchar_t* what, size_t at) {
        Problem(FormatText(CSkinXmlDocument::kMsgUnterminated, {FormatArg(what), FormatArg(at)}));
    }
    std::wstring NameAt(size_t start, size_t length) const { return skinxml::ToWide(t_ + start, length); }
    std::wstring RecordName(uint32_t r) const {
        const Record& rec = doc_.records_[r];
        return NameAt(rec.start + 1, rec.nameLength);
    }

    size_t Find(XmlChar c, size_t from) const {
        size_t at = skinxml::FindChar(t_, from, n_, c);
        return at < n_ ? at : npos;
    }
    size_t FindMarker(const XmlChar* marker, size_t from) const {
        size_t m = std::char_traits<XmlChar>::length(marker);
        for (size_t pos = from; pos + m <= n_; ++pos) {
            pos = skinxml::FindChar(t_, pos, n_ - m + 1, marker[0]);
            if (pos + m > n_) break;
            if (std::char_traits<XmlChar>::compare(t_ + pos, marker, m) == 0) return pos;
        }
        return npos;
    }

    // Returns the position after the node, or npos when the text has ended.
    size_t Markup(size_t p);
    size_t StartTag(size_t p);
    size_t EndTag(size_t p);
    void AppendChild(uint32_t parent, uint32_t child);
    void CloseNotEnded(uint32_t r);
    void PopOpen();

    static constexpr size_t npos = static_cast<size_t>(-1);

    CSkinXmlDocument& doc_;
    const XmlChar* t_;
    size_t n_;
    skinxml::NameTable names_;
    std::vector<Open> open_;
    bool hasProblem_ = false;
    std::wstring problem_;
};

void CSkinXmlParser::AppendChild(uint32_t parent, uint32_t child) {
    auto& recs = doc_.records_;
    recs[child].parent = parent;
    uint32_t first = recs[parent].firstChild;
    if (first == 0) {
        recs[parent].firstChild = child;
        recs[child].prevSibling = child;
    } else {
        uint32_t last = recs[first].prevSibling;
        recs[last].nextSibling = child;
        recs[child].prevSibling = last;
        recs[first].prevSibling = child;
    }
}

// Marks `r` as not ended and moves its children up into its parent's list,
// right after it. Open elements are closed outermost first, so every element
// moves at most once in a whole parse.
void CSkinXmlParser::CloseNotEnded(uint32_t r) {
    auto& recs = doc_.records_;
    recs[r].notEnded = true;
    recs[r].length = recs[r].startTagLength;
    recs[r].endTagLength = 0;
    uint32_t first = recs[r].firstChild;
    if (first == 0) return;
    uint32_t parent = recs[r].parent;
    uint32_t last = recs[first].prevSibling;
    for (uint32_t c = first; c != 0; c = recs[c].nextSibling) recs[c].parent = parent;
    uint32_t after = recs[r].nextSibling;
    recs[r].nextSibling = first;
    recs[first].prevSibling = r;
    recs[last].nextSibling = after;
    if (after != 0)
        recs[after].prevSibling = last;
    else
        recs[recs[parent].firstChild].prevSibling = last;
    recs[r].firstChild = 0;
}

void CSkinXmlParser::PopOpen() {
    const Open& top = open_.back();
    names_.SetTop(top.nameId, top.prevSameName);
    open_.pop_back();
}

size_t CSkinXmlParser::StartTag(size_t p) {
    size_t nameEnd = p + 1;
    while (nameEnd < n_ && !IsNameEnd(t_[nameEnd])) ++nameEnd;
    // Find the '>' that ends the tag. A quote that follows an '=' (with
    // whitespace allowed between) opens a value that may hold '>'; any
    // other quote is an ordinary character.
    auto afterEquals = [&](size_t k) {
        while (k > nameEnd && IsXmlSpace(t_[k - 1])) --k;
        return k > nameEnd && t_[k - 1] == '=';
    };
    size_t q = nameEnd;
#ifdef SKINXML_SSE2
    // Eight units per step; every '>' and quote of a block is handled from
    // its bit masks without loading the block again.
    const __m128i kGt = _mm_set1_epi16('>'), kDq = _mm_set1_epi16('"'), kSq = _mm_set1_epi16('\'');
    while (q + 8 <= n_) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t_ + q));
        unsigned dq = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(v, kDq)));
        unsigned sq = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(v, kSq)));
        unsigned stops = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(v, kGt))) | dq | sq;
        size_t advance = 8;
        bool done = false;
        while (stops) {
            unsigned bit = static_cast<unsigned>(__builtin_ctz(stops));
            size_t k = q + bit / 2;
            XmlChar c = t_[k];
            if (c == '>') {
                advance = bit / 2;
                done = true;
                break;
            }
            if (!afterEquals(k)) {
                stops &= ~(3u << bit);
                continue;
            }
            unsigned closing = (c == '"' ? dq : sq) & ~((1u << (bit + 2)) - 1);
            if (closing) {
                stops &= ~((1u << (static_cast<unsigned>(__builtin_ctz(closing)) + 2)) - 1);
                continue;
            }
            size_t close = Find(c, q + 8);
            if (close == npos) {
                Unterminated(L"Element tag", p);
                return npos;
            }
            advance = close + 1 - q;
            break;
        }
        q += advance;
        if (done) break;
    }
#endif
    for (;;) {
        if (q < n_ && t_[q] == '>') break;
        q = skinxml::FindTagStop(t_, q, n_);
        if (q >= n_) {
            Unterminated(L"Element tag", p);
            return npos;
        }
        XmlChar c = t_[q];
        if (c == '>') break;
        if (afterEquals(q)) {
            size_t close = Find(c, q + 1);
            if (close == npos) {
                Unterminated(L"Element tag", p);
                return npos;
            }
            q = close;
        }
        ++q;
    }
    size_t gt = q;
    bool empty = false;
    if (gt >= 2 && gt - 1 > p && t_[gt - 1] == '/') {
        size_t slash = gt - 1;
        XmlChar before = t_[slash - 1];
        empty = slash == nameEnd || IsXmlSpace(before) || before == '"' || before == '\'';
    }

    auto& recs = doc_.records_;
    uint32_t index = static_cast<uint32_t>(recs.size());
    Record rec;
    rec.start = static_cast<uint32_t>(p);
    rec.startTagLength = static_cast<uint32_t>(gt + 1 - p);
    rec.length = rec.startTagLength;
    rec.nameLength = static_cast<uint32_t>(nameEnd - (p + 1));
    rec.level = static_cast<uint32_t>(open_.size());
    recs.push_back(rec);
    AppendChild(open_.empty() ? 0 : open_.back().record, index);
    if (!empty) {
        uint32_t nameId = names_.Intern(p + 1, rec.nameLength);
        open_.push_back(Open{index, nameId, names_.Top(nameId)});
        names_.SetTop(nameId, static_cast<int32_t>(open_.size() - 1));
    }
    return gt + 1;
}

size_t CSkinXmlParser::EndTag(size_t p) {
    size_t gt = Find('>', p + 2);
    if (gt == npos) {
        Unterminated(L"Element end tag", p);
        return npos;
    }
    size_t nameStart = p + 2;
    size_t nameEnd = nameStart;
    while (nameEnd < gt && !IsNameEnd(t_[nameEnd])) ++nameEnd;
    uint32_t nameLength = static_cast<uint32_t>(nameEnd - nameStart);

    // Usually the end tag closes the innermost element: compare with it first.
    int32_t found = -1;
    if (!open_.empty() && !doc_.ignoreCase_) {
        const Record& top = doc_.records_[open_.back().record];
        if (top.nameLength == nameLength &&
            std::char_traits<XmlChar>::compare(t_ + top.start + 1, t_ + nameStart, nameLength) == 0)
            found = static_cast<int32_t>(open_.size() - 1);
    }
    if (found < 0) {
        int32_t nameId = names_.Lookup(nameStart, nameLength);
        found = nameId < 0 ? -1 : names_.Top(static_cast<uint32_t>(nameId));
    }
    if (found < 0) {
        Problem(FormatText(CSkinXmlDocument::kMsgNoStartTag, {FormatArg(NameAt(nameStart, nameLength)), FormatArg(p)}));
        return gt + 1;
    }
    size_t target = static_cast<size_t>(found);
    if (target + 1 < open_.size()) {
        uint32_t inner = open_.back().record;
        Problem(FormatText(CSkinXmlDocument::kMsgEndTagMismatch,
                           {FormatArg(NameAt(nameStart, nameLength)), FormatArg(p + 1), FormatArg(RecordName(inner)),
                            FormatArg(size_t(doc_.records_[inner].start))}));
        for (size_t i = target + 1; i < open_.size(); ++i) CloseNotEnded(open_[i].record);
        while (open_.size() > target + 1) PopOpen();
    }
    Record& rec = doc_.records_[open_.back().record];
    rec.endTagLength = static_cast<uint32_t>(gt + 1 - p);
    rec.length = static_cast<uint32_t>(gt + 1 - rec.start);
    PopOpen();
    return gt + 1;
}

size_t CSkinXmlParser::Markup(size_t p) {
    if (p + 1 >= n_) {
        Unterminated(L"tag", p);
        return npos;
    }
    XmlChar c = t_[p + 1];
    if (c == '/') return EndTag(p);
    if (IsNameStart(c)) return StartTag(p);

    // Not an element: find where the node ends, or report why it cannot.
    const wchar_t* kind = L"tag";
    const XmlChar* marker = nullptr;
    const wchar_t* incorrect = nullptr;
    if (c == '?') {
        kind = L"Processing instruction";
        marker = u"?>";
    } else if (c == '!') {
        XmlChar c2 = p + 2 < n_ ? t_[p + 2] : 0;
        XmlChar c3 = p + 3 < n_ ? t_[p + 3] : 0;
        if (p + 2 >= n_) {
            kind = L"tag";
        } else if (c2 == '-') {
            kind = L"Comment";
            if (p + 3 < n_ && c3 != '-') incorrect = L"comment tag";
            marker = u"-->";
        } else if (c2 == '[') {
            kind = L"CDATA Section";
            if (p + 3 < n_ && c3 != 'C') incorrect = L"tag";
            marker = u"]]>";
        } else if (c2 == 'D') {
            // Document type declaration: skip nested <!ELEMENT, <!ATTLIST,
            // <!NOTATION (and <!ENTITY) declarations up to their own '>'.
            for (size_t q = p + 2; q < n_; ++q) {
                if (t_[q] == '>') return q + 1;
                if (t_[q] == '<' && q + 2 < n_ && t_[q + 1] == '!' &&
                    (t_[q + 2] == 'E' || t_[q + 2] == 'A' || t_[q + 2] == 'N')) {
                    size_t gt = Find('>', q + 3);
                    if (gt == npos) break;
                    q = gt;
                }
            }
            Unterminated(L"Doctype", p);
            return npos;
        } else {
            incorrect = L"! tag";
        }
    } else {
        incorrect = L"tag name character";
    }
    if (incorrect) {
        Incorrect(incorrect, p);
        size_t gt = Find('>', p + 1);
        return gt == npos ? npos : gt + 1;
    }
    size_t end = marker ? FindMarker(marker, p + 1) : npos;
    if (end == npos) {
        Unterminated(kind, p);
        return npos;
    }
    return end + std::char_traits<XmlChar>::length(marker);
}

void CSkinXmlParser::Run() {
    auto& recs = doc_.records_;
    recs.clear();
    recs.reserve(n_ / 64 + 8);
    recs.emplace_back();  // record 0: the document
    size_t pos = 0;
    while (pos < n_) {
        if (t_[pos] != '<') {
            // Whitespace or text: neither is indexed.
            size_t lt = Find('<', pos);
            if (lt == npos) break;
            pos = lt;
        }
        pos = Markup(pos);
        if (pos == npos) break;
    }
    if (!open_.empty()) {
        uint32_t inner = open_.back().record;
        if (!hasProblem_)
            Problem(FormatText(CSkinXmlDocument::kMsgNotEnded,
                               {FormatArg(RecordName(inner)), FormatArg(size_t(recs[inner].start))}));
        doc_.illFormed_ = true;
        for (const Open& o : open_) CloseNotEnded(o.record);
        open_.clear();
    }
    uint32_t root = recs[0].firstChild;
    if (n_ == 0)
        Problem(CSkinXmlDocument::kMsgEmptyDocument);
    else if (root == 0)
        Problem(CSkinXmlDocument::kMsgNoRoot);
    else if (recs[root].nextSibling != 0)
        Problem(CSkinXmlDocument::kMsgRootSibling);
}

CSkinXmlDocument::CSkinXmlDocument() = default;
CSkinXmlDocument::~CSkinXmlDocument() = default;

bool CSkinXmlDocument::LoadUtf8(const char* bytes, size_t length) {
    if (!bytes) length = 0;
    // UTF-8 never gives more UTF-16 units than it has bytes.
    size_t capacity = length < kMaxTextUnits ? length : kMaxTextUnits;
    text_.reset(new char16_t[capacity + 1]);
    textLength_ = skinxml::DecodeUtf8Into(reinterpret_cast<const uint8_t*>(bytes), length, text_.get(), capacity);
    std::wstring note = FormatText(kMsgConversion, {FormatArg(L""), FormatArg(length), FormatArg(textLength_)});
    Parse();
    message_ = message_.empty() ? note : note + L", " + message_;
    return IsWellFormed();
}

bool CSkinXmlDocument::LoadText(const wchar_t* text) {
    size_t length = text ? std::char_traits<wchar_t>::length(text) : 0;
    skinxml::XmlString units = skinxml::FromWide(text, length < kMaxTextUnits ? length : kMaxTextUnits);
    text_.reset(new char16_t[units.size() + 1]);
    std::char_traits<XmlChar>::copy(text_.get(), units.data(), units.size());
    textLength_ = units.size();
    Parse();
    return IsWellFormed();
}

bool CSkinXmlDocument::LoadText(const std::wstring& text) { return LoadText(text.c_str()); }

std::wstring CSkinXmlDocument::Text() const { return skinxml::ToWide(text_.get(), textLength_); }

void CSkinXmlDocument::Parse() {
    illFormed_ = false;
    CSkinXmlParser parser(*this);
    parser.Run();
    message_ = parser.TakeProblem();
    parent_ = current_ = child_ = 0;
}

bool CSkinXmlDocument::IsWellFormed() const {
    if (illFormed_ || records_.empty()) return false;
    uint32_t root = records_[0].firstChild;
    return root != 0 && records_[root].nextSibling == 0;
}

// A search name matches a document name of length L when their first L
// characters are equal and the search name ends there or goes on with one
// of " =/[]".
bool CSkinXmlDocument::NameMatches(const wchar_t* search, size_t docOffset, size_t docLength) const {
    const XmlChar* d = text_.get() + docOffset;
    for (size_t i = 0; i < docLength; ++i) {
        uint32_t s = static_cast<uint32_t>(search[i]);
        if (s == 0) return false;
        if (ignoreCase_ ? std::towlower(static_cast<wint_t>(s)) != std::towlower(static_cast<wint_t>(d[i])) : s != d[i])
            return false;
    }
    wchar_t next = search[docLength];
    return next == 0 || next == ' ' || next == '=' || next == '/' || next == '[' || next == ']';
}

bool CSkinXmlDocument::FindElement(const wchar_t* name) {
    if (records_.empty()) return false;
    uint32_t r = current_ ? records_[current_].nextSibling : records_[parent_].firstChild;
    bool any = !name || !*name;
    for (; r != 0; r = records_[r].nextSibling) {
        const Record& rec = records_[r];
        if (any || NameMatches(name, rec.start + 1, rec.nameLength)) {
            current_ = r;
            child_ = 0;
            return true;
        }
    }
    return false;
}

bool CSkinXmlDocument::Descend() {
    if (current_ == 0) return false;
    parent_ = current_;
    current_ = child_;
    child_ = 0;
    return true;
}

bool CSkinXmlDocument::Ascend() {
    if (parent_ == 0) return false;
    child_ = current_;
    current_ = parent_;
    parent_ = records_[parent_].parent;
    return true;
}

void CSkinXmlDocument::ResetPosition() {
    current_ = 0;
    child_ = 0;
}

std::wstring CSkinXmlDocument::GetTagName() const {
    if (current_ == 0) return std::wstring();
    const Record& rec = records_[current_];
    return skinxml::ToWide(text_.get() + rec.start + 1, rec.nameLength);
}

std::wstring CSkinXmlDocument::GetAttribute(const wchar_t* name) const {
    if (current_ == 0 || !name) return std::wstring();
    const Record& rec = records_[current_];
    const XmlChar* t = text_.get();
    size_t pos = rec.start + 1 + rec.nameLength;
    size_t end = rec.start + rec.startTagLength;
    bool afterEquals = false;
    bool nameMatched = false;
    while (pos < end) {
        while (pos < end && IsXmlSpace(t[pos])) ++pos;
        if (pos >= end) break;
        XmlChar c = t[pos];
        size_t tokStart, tokEnd;
        if (c == '"' || c == '\'') {
            tokStart = pos + 1;
            tokEnd = tokStart;
            while (tokEnd < end && t[tokEnd] != c) ++tokEnd;
            pos = tokEnd < end ? tokEnd + 1 : end;
        } else if (afterEquals) {
            if (c == '>') break;
            tokStart = pos;
            tokEnd = pos;
            while (tokEnd < end && !IsXmlSpace(t[tokEnd]) && t[tokEnd] != '>') ++tokEnd;
            pos = tokEnd;
        } else if (c == '/' || c == '>' || c == '?') {
            break;
        } else if (c == '=') {
            afterEquals = true;
            ++pos;
            continue;
        } else {
            tokStart = pos;
            tokEnd = pos;
            while (tokEnd < end && !IsXmlSpace(t[tokEnd]) && t[tokEnd] != '=' && t[tokEnd] != '>' && t[tokEnd] != '/' &&
                   t[tokEnd] != '?')
                ++tokEnd;
            pos = tokEnd;
        }
        if (afterEquals) {
            if (nameMatched) return skinxml::DecodeAttributeValue(t + tokStart, tokEnd - tokStart);
            afterEquals = false;
            nameMatched = false;
        } else {
            nameMatched = NameMatches(name, tokStart, tokEnd - tokStart);
        }
    }
    return std::wstring();
}
