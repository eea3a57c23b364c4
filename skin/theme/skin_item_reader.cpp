// Drawing items of control descriptions: layout, state names, the per-kind
// attribute tables and the fixed reading order of kinds.
#include <cstddef>

#include "skin/theme/skin_description_reader.h"

using namespace skin_attr;

namespace {

bool Contains(const std::wstring& text, const wchar_t* part) { return text.find(part) != std::wstring::npos; }

constexpr SkinAttr<SkinLayout> kLayoutAttrs[] = {
    Position(L"left", &SkinLayout::left), Position(L"top", &SkinLayout::top), Int(L"right", &SkinLayout::right),
    Int(L"bottom", &SkinLayout::bottom),  Int(L"width", &SkinLayout::width),  Int(L"height", &SkinLayout::height),
};

using ItemAttr = SkinAttr<SkinItemDesc>;

constexpr ItemAttr kCommonAttrs[] = {
    Text(L"id", &SkinItemDesc::id),
    FalseFlag(L"visible", &SkinItemDesc::visible),
};
constexpr ItemAttr kStateAttrs[] = {
    StateMask(L"state", &SkinItemDesc::stateMask),
};

constexpr SkinChoice kVertAlign[] = {{L"top", kSkinDtTop}, {L"bottom", kSkinDtBottom}};
constexpr SkinChoice kHorizAlign[] = {{L"right", kSkinDtRight}, {L"center", kSkinDtCenter}};
constexpr SkinChoice kSingleLine[] = {{L"false", kSkinDtWordBreak | kSkinDtEditControl}};
constexpr SkinChoice kEllipsis[] = {{L"true", kSkinDtEndEllipsis | kSkinDtNoPrefix}};
constexpr SkinChoice kPenStyles[] = {
    {L"dash", kSkinPenDash}, {L"dot", kSkinPenDot}, {L"dashdot", kSkinPenDashDot}, {L"dashdotdot", kSkinPenDashDotDot}};
constexpr SkinChoice kFillModes[] = {{L"horiz", kSkinFillHorizGradient}, {L"vert", kSkinFillVertGradient}};

constexpr ItemAttr kTextAttrs[] = {
    Text(L"string", &SkinItemDesc::text),
    Text(L"font", &SkinItemDesc::font),
    Color(L"color", &SkinItemDesc::color),
    // The four choices add up to the text-format code.
    Choice(L"vertAlign", &SkinItemDesc::textFormat, kVertAlign, kSkinDtVCenter),
    Choice(L"horizAlign", &SkinItemDesc::textFormat, kHorizAlign, kSkinDtLeft),
    Choice(L"singleLine", &SkinItemDesc::textFormat, kSingleLine, kSkinDtSingleLine),
    Choice(L"ellipsis", &SkinItemDesc::textFormat, kEllipsis, 0),
    TrueFlag(L"adjusthsb", &SkinItemDesc::adjustHsb),
};

constexpr ItemAttr kImageAttrs[] = {
    Text(L"picFile", &SkinItemDesc::picFile),
    Text(L"drawStyle", &SkinItemDesc::drawStyle, L"bitBlt"),
    Tuple(L"border9grid", &SkinItemDesc::border9grid, 2, 2, 2, 2),
    Pair(L"partOffset", &SkinItemDesc::partOffset, 2, 2),
    TrueFlag(L"vertPaint", &SkinItemDesc::vertPaint),
    Int(L"xSrc", &SkinItemDesc::xSrc),
    Int(L"ySrc", &SkinItemDesc::ySrc),
    Int(L"srcWidth", &SkinItemDesc::srcWidth),
    Int(L"srcHeight", &SkinItemDesc::srcHeight),
};

constexpr ItemAttr kLineAttrs[] = {
    Choice(L"penStyle", &SkinItemDesc::penStyle, kPenStyles, kSkinPenSolid),
    // Both spellings are accepted; the later entry wins, so "penWidth"
    // counts when both are written.
    Int(L"penwidth", &SkinItemDesc::penWidth, 1),
    Int(L"penWidth", &SkinItemDesc::penWidth, 1),
    Color(L"color", &SkinItemDesc::color),
    FalseFlag(L"adjusthsb", &SkinItemDesc::adjustHsb),
};

constexpr ItemAttr kRectangleAttrs[] = {
    Choice(L"drawStyle", &SkinItemDesc::fillMode, kFillModes, kSkinFillSolid),
    Color(L"fillColor", &SkinItemDesc::fillColor),
    Color(L"borderColor", &SkinItemDesc::borderColor),
    Color(L"gradientBeginColor", &SkinItemDesc::gradientBeginColor),
    Color(L"gradientEndColor", &SkinItemDesc::gradientEndColor),
    Pair(L"round", &SkinItemDesc::round),
    FalseFlag(L"adjusthsb", &SkinItemDesc::adjustHsb),
};

constexpr ItemAttr kAnimateAttrs[] = {
    Text(L"picFile", &SkinItemDesc::picFile),
    PositiveInt(L"frameCount", &SkinItemDesc::frameCount, 0),
    PositiveInt(L"beginFrame", &SkinItemDesc::beginFrame, 1),
    PositiveInt(L"delayTime", &SkinItemDesc::delayTime, 200),
    FalseFlag(L"cycle", &SkinItemDesc::cycle),
    FalseFlag(L"enablePlay", &SkinItemDesc::enablePlay),
};

constexpr ItemAttr kEventItemAttrs[] = {
    Text(L"cursor", &SkinItemDesc::cursor),
};

struct ItemKindInfo {
    const wchar_t* element;
    SkinItemKind kind;
    const ItemAttr* attrs;
    size_t attrCount;
    bool hasState;
    const SkinItemKind* nested;  // kinds of nested children in reading order, or nullptr
    size_t nestedCount;
};

const SkinItemKind kDrawItemNested[] = {SkinItemKind::Rectangle, SkinItemKind::Image, SkinItemKind::EventItem,
                                        SkinItemKind::Line,      SkinItemKind::Text,  SkinItemKind::Animate};
const SkinItemKind kEventItemNested[] = {SkinItemKind::Rectangle, SkinItemKind::Image,   SkinItemKind::Text,
                                         SkinItemKind::Line,      SkinItemKind::Animate, SkinItemKind::DrawItem};

template <size_t N>
constexpr size_t CountOf(const ItemAttr (&)[N]) {
    return N;
}

const ItemKindInfo kItemKinds[] = {
    {L"text", SkinItemKind::Text, kTextAttrs, CountOf(kTextAttrs), true, nullptr, 0},
    {L"image", SkinItemKind::Image, kImageAttrs, CountOf(kImageAttrs), true, nullptr, 0},
    {L"line", SkinItemKind::Line, kLineAttrs, CountOf(kLineAttrs), true, nullptr, 0},
    {L"rectangle", SkinItemKind::Rectangle, kRectangleAttrs, CountOf(kRectangleAttrs), true, nullptr, 0},
    {L"animate", SkinItemKind::Animate, kAnimateAttrs, CountOf(kAnimateAttrs), true, nullptr, 0},
    {L"eventitem", SkinItemKind::EventItem, kEventItemAttrs, CountOf(kEventItemAttrs), true, kEventItemNested,
     sizeof(kEventItemNested) / sizeof(kEventItemNested[0])},
    {L"drawitem", SkinItemKind::DrawItem, nullptr, 0, false, kDrawItemNested,
     sizeof(kDrawItemNested) / sizeof(kDrawItemNested[0])},
};

// Fixed order in which the kinds of a control's drawing items are read.
const SkinItemKind kControlItemOrder[] = {SkinItemKind::Rectangle, SkinItemKind::Line,  SkinItemKind::Animate,
                                          SkinItemKind::DrawItem,  SkinItemKind::Image, SkinItemKind::EventItem,
                                          SkinItemKind::Text};

const ItemKindInfo& KindInfo(SkinItemKind kind) { return kItemKinds[static_cast<int>(kind)]; }

std::unique_ptr<SkinItemDesc> ReadItem(const SkinAttributeReader& reader, const ItemKindInfo& info, int depth) {
    auto item = std::make_unique<SkinItemDesc>();
    item->kind = info.kind;
    item->layout = ReadSkinLayout(reader);
    reader.Read(*item, kCommonAttrs);
    if (info.hasState) reader.Read(*item, kStateAttrs);
    if (info.attrs) reader.Read(*item, info.attrs, info.attrCount);
    if (info.nested && depth < kSkinMaxItemNesting) {
        CSkinXmlDocument& doc = reader.Document();
        if (doc.Descend()) {
            // At most one child of each kind, each searched from the first child.
            for (size_t i = 0; i < info.nestedCount; ++i) {
                const ItemKindInfo& child = KindInfo(info.nested[i]);
                if (doc.FindElement(child.element)) {
                    item->children.push_back(ReadItem(reader, child, depth + 1));
                    doc.ResetPosition();
                }
            }
            doc.Ascend();
        }
    }
    return item;
}

}  // namespace

uint32_t ParseStateMask(const std::wstring& text) {
    if (text.empty() || text == L"all") return kSkinStateAll;
    uint32_t mask = 0;
    if (Contains(text, L"normal") && !Contains(text, L"unchecknormal") && !Contains(text, L"checkednormal")) {
        mask |= kSkinStateNormal;
    }
    if (Contains(text, L"over") && !Contains(text, L"uncheckover") && !Contains(text, L"checkedover")) {
        mask |= kSkinStateOver;
    }
    if (Contains(text, L"down")) mask |= kSkinStateDown;
    if (Contains(text, L"disable")) mask |= kSkinStateDisable;
    if (Contains(text, L"checkeddisable")) mask |= kSkinStateCheckedDisable;
    if (Contains(text, L"checkednormal") || text == L"checked") mask |= kSkinStateCheckedNormal;
    if (Contains(text, L"checkedover")) mask |= kSkinStateCheckedOver;
    if (Contains(text, L"unchecknormal")) mask |= kSkinStateUncheckNormal;
    if (Contains(text, L"uncheckover")) mask |= kSkinStateUncheckOver;
    return mask;
}

SkinLayout ReadSkinLayout(const SkinAttributeReader& reader) {
    SkinLayout layout;
    reader.Read(layout, kLayoutAttrs);
    return layout;
}

void ReadSkinDrawingItems(const SkinAttributeReader& reader, SkinItemList& items) {
    CSkinXmlDocument& doc = reader.Document();
    // Every kind is searched from the first child, whatever element the
    // position was left on, so no item is skipped.
    doc.ResetPosition();
    for (SkinItemKind kind : kControlItemOrder) {
        const ItemKindInfo& info = KindInfo(kind);
        bool found = false;
        while (doc.FindElement(info.element)) {
            items.push_back(ReadItem(reader, info, 1));
            found = true;
        }
        if (found) doc.ResetPosition();
    }
}
