// Table-driven reading of theme attributes into description records.
//
// A class describes its attributes as a table of SkinAttr entries (name,
// value type, field, default); SkinAttributeReader::Read applies every
// default of the table first and then reads each attribute that is present
// (non-empty) into its field. Entries that share a field are read in table
// order, so a later entry with a value wins over an earlier one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "skin/platform/skin_platform.h"
#include "skin/theme/skin_value_parsers.h"
#include "skin/xml/skin_xml_document.h"

enum class SkinValueType {
    Text,             // the attribute text (ids, strings, style names)
    Integer,          // ParseInteger
    Position,         // ParsePosition ("center")
    PositiveInteger,  // taken only when greater than 0
    Color,            // ParseColorValue with a fixed default
    SystemColor,      // ParseColorValue defaulting to a system colour
    Pair,             // ParsePair
    Tuple,            // ParseTuple
    TrueFlag,         // on only for "true"
    FalseFlag,        // on unless "false"
    Choice,           // code of the matching name (or the fallback), OR-ed into the field
    StateMask,        // state names of drawing items
};

// One name of a Choice attribute and its code.
struct SkinChoice {
    const wchar_t* name;
    uint32_t code;
};

template <class R>
struct SkinAttr {
    const wchar_t* name = nullptr;
    SkinValueType type = SkinValueType::Text;
    // The field: exactly one of these is set, as the type requires.
    std::wstring R::*text = nullptr;
    int R::*integer = nullptr;
    uint32_t R::*code = nullptr;  // colours, choices, state masks
    bool R::*flag = nullptr;
    SkinPair R::*pair = nullptr;
    SkinQuad R::*quad = nullptr;
    // The default: numbers in `number` (system colour index for SystemColor,
    // fallback code for Choice), text in `defaultText`.
    int number[4] = {0, 0, 0, 0};
    const wchar_t* defaultText = L"";
    const SkinChoice* choices = nullptr;
    size_t choiceCount = 0;
};

// Builders for table entries; the record type is deduced from the field.
namespace skin_attr {

template <class R>
constexpr SkinAttr<R> Text(const wchar_t* name, std::wstring R::*field, const wchar_t* def = L"") {
    SkinAttr<R> a;
    a.name = name, a.type = SkinValueType::Text, a.text = field, a.defaultText = def;
    return a;
}
template <class R>
constexpr SkinAttr<R> Int(const wchar_t* name, int R::*field, int def = 0) {
    SkinAttr<R> a;
    a.name = name, a.type = SkinValueType::Integer, a.integer = field, a.number[0] = def;
    return a;
}
template <class R>
constexpr SkinAttr<R> Position(const wchar_t* name, int R::*field) {
    SkinAttr<R> a = Int(name, field);
    a.type = SkinValueType::Position;
    return a;
}
template <class R>
constexpr SkinAttr<R> PositiveInt(const wchar_t* name, int R::*field, int def) {
    SkinAttr<R> a = Int(name, field, def);
    a.type = SkinValueType::PositiveInteger;
    return a;
}
template <class R>
constexpr SkinAttr<R> Color(const wchar_t* name, SkinColor R::*field, SkinColor def = 0) {
    SkinAttr<R> a;
    a.name = name, a.type = SkinValueType::Color, a.code = field, a.number[0] = static_cast<int>(def);
    return a;
}
template <class R>
constexpr SkinAttr<R> SysColor(const wchar_t* name, SkinColor R::*field, int systemIndex) {
    SkinAttr<R> a = Color(name, field);
    a.type = SkinValueType::SystemColor, a.number[0] = systemIndex;
    return a;
}
template <class R>
constexpr SkinAttr<R> Pair(const wchar_t* name, SkinPair R::*field, int x = 0, int y = 0) {
    SkinAttr<R> a;
    a.name = name, a.type = SkinValueType::Pair, a.pair = field, a.number[0] = x, a.number[1] = y;
    return a;
}
template <class R>
constexpr SkinAttr<R> Tuple(const wchar_t* name, SkinQuad R::*field, int l = 0, int t = 0, int r = 0, int b = 0) {
    SkinAttr<R> a;
    a.name = name, a.type = SkinValueType::Tuple, a.quad = field;
    a.number[0] = l, a.number[1] = t, a.number[2] = r, a.number[3] = b;
    return a;
}
template <class R>
constexpr SkinAttr<R> TrueFlag(const wchar_t* name, bool R::*field) {
    SkinAttr<R> a;
    a.name = name, a.type = SkinValueType::TrueFlag, a.flag = field;
    return a;
}
template <class R>
constexpr SkinAttr<R> FalseFlag(const wchar_t* name, bool R::*field) {
    SkinAttr<R> a = TrueFlag(name, field);
    a.type = SkinValueType::FalseFlag;
    return a;
}
template <class R, size_t N>
constexpr SkinAttr<R> Choice(const wchar_t* name, uint32_t R::*field, const SkinChoice (&choices)[N],
                             uint32_t fallback) {
    SkinAttr<R> a;
    a.name = name, a.type = SkinValueType::Choice, a.code = field;
    a.choices = choices, a.choiceCount = N, a.number[0] = static_cast<int>(fallback);
    return a;
}
template <class R>
constexpr SkinAttr<R> StateMask(const wchar_t* name, uint32_t R::*field) {
    SkinAttr<R> a;
    a.name = name, a.type = SkinValueType::StateMask, a.code = field;
    return a;
}

}  // namespace skin_attr

// State mask of a drawing item's `state` text.
uint32_t ParseStateMask(const std::wstring& text);

class SkinAttributeReader {
public:
    SkinAttributeReader(CSkinXmlDocument& doc, SkinColorLookup colors, ISkinPlatform& platform)
        : doc_(doc), colors_(std::move(colors)), platform_(platform) {}

    CSkinXmlDocument& Document() const { return doc_; }
    ISkinPlatform& Platform() const { return platform_; }
    const SkinColorLookup& Colors() const { return colors_; }

    // Applies the defaults of `table` to `record`.
    template <class R>
    void ApplyDefaults(R& record, const SkinAttr<R>* table, size_t count) const {
        for (size_t i = 0; i < count; ++i) ApplyDefault(record, table[i]);
    }
    // Reads the attributes of the document's current element into `record`
    // (defaults first, then the values that are present).
    template <class R>
    void Read(R& record, const SkinAttr<R>* table, size_t count) const {
        ApplyDefaults(record, table, count);
        for (size_t i = 0; i < count; ++i) {
            std::wstring value = doc_.GetAttribute(table[i].name);
            if (!value.empty() || table[i].type == SkinValueType::Choice) ReadValue(record, table[i], value);
        }
    }
    template <class R, size_t N>
    void Read(R& record, const SkinAttr<R> (&table)[N]) const {
        Read(record, table, N);
    }
    template <class R, size_t N>
    void ApplyDefaults(R& record, const SkinAttr<R> (&table)[N]) const {
        ApplyDefaults(record, table, N);
    }

private:
    template <class R>
    void ApplyDefault(R& r, const SkinAttr<R>& a) const {
        switch (a.type) {
            case SkinValueType::Text:
                r.*a.text = a.defaultText;
                break;
            case SkinValueType::Integer:
            case SkinValueType::Position:
            case SkinValueType::PositiveInteger:
                r.*a.integer = a.number[0];
                break;
            case SkinValueType::Color:
                r.*a.code = static_cast<uint32_t>(a.number[0]);
                break;
            case SkinValueType::SystemColor:
                r.*a.code = platform_.SystemColor(a.number[0]);
                break;
            case SkinValueType::Pair:
                r.*a.pair = SkinPair{a.number[0], a.number[1]};
                break;
            case SkinValueType::Tuple:
                r.*a.quad = SkinQuad{a.number[0], a.number[1], a.number[2], a.number[3]};
                break;
            case SkinValueType::TrueFlag:
                r.*a.flag = false;
                break;
            case SkinValueType::FalseFlag:
                r.*a.flag = true;
                break;
            case SkinValueType::Choice:
                r.*a.code = 0;
                break;
            case SkinValueType::StateMask:
                r.*a.code = 512;
                break;
        }
    }

    template <class R>
    void ReadValue(R& r, const SkinAttr<R>& a, const std::wstring& value) const {
        switch (a.type) {
            case SkinValueType::Text:
                r.*a.text = value;
                break;
            case SkinValueType::Integer:
                r.*a.integer = ParseInteger(value);
                break;
            case SkinValueType::Position:
                r.*a.integer = ParsePosition(value);
                break;
            case SkinValueType::PositiveInteger: {
                int v = ParseInteger(value);
                if (v > 0) r.*a.integer = v;
                break;
            }
            case SkinValueType::Color:
            case SkinValueType::SystemColor:
                r.*a.code = ParseColorValue(value, r.*a.code, colors_);
                break;
            case SkinValueType::Pair:
                r.*a.pair = ParsePair(value);
                break;
            case SkinValueType::Tuple:
                r.*a.quad = ParseTuple(value);
                break;
            case SkinValueType::TrueFlag:
                r.*a.flag = ParseTrueFlag(value);
                break;
            case SkinValueType::FalseFlag:
                r.*a.flag = ParseFalseFlag(value);
                break;
            case SkinValueType::Choice:
                r.*a.code |= ChoiceCode(a, value);
                break;
            case SkinValueType::StateMask:
                r.*a.code = ParseStateMask(value);
                break;
        }
    }

    template <class R>
    static uint32_t ChoiceCode(const SkinAttr<R>& a, const std::wstring& value) {
        for (size_t i = 0; i < a.choiceCount; ++i) {
            if (value == a.choices[i].name) return a.choices[i].code;
        }
        return static_cast<uint32_t>(a.number[0]);
    }

    CSkinXmlDocument& doc_;
    SkinColorLookup colors_;
    ISkinPlatform& platform_;
};
