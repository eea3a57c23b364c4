// Parsers for the value syntax of theme attributes.
//
// Every attribute reaches these parsers as the text GetAttribute returned,
// so an absent attribute and an empty one look the same. The parsers never
// fail: malformed text reads as whatever its parts give, numbers are clamped
// to the int range.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/value_types.h"

// Looks up a colour id of the theme (GetColor of the resource manager).
using SkinColorLookup = std::function<SkinColor(const std::wstring& id)>;

// Decimal integer with optional sign after leading whitespace, read up to the
// first non-digit; empty or non-numeric text gives 0. Clamped to int.
int ParseInteger(const std::wstring& text);
// `left`/`top`: "center" gives kSkinCentered, anything else ParseInteger.
int ParsePosition(const std::wstring& text);
// "RGB(r,g,b)": the first four and the last character are dropped unchecked,
// the rest is split at commas; each part gives its low eight bits.
SkinColor ParseRgb(const std::wstring& text);
// Colour attribute: empty gives `fallback`, "#id" the theme colour `id`
// (through `lookup`), anything else ParseRgb.
SkinColor ParseColorValue(const std::wstring& text, SkinColor fallback, const SkinColorLookup& lookup);
// "(a,b,c,d)": first and last character dropped; missing numbers are -1.
SkinQuad ParseTuple(const std::wstring& text);
// "(x,y)": first and last character dropped; missing numbers are 0.
SkinPair ParsePair(const std::wstring& text);
// Flag that is on only for exactly "true".
inline bool ParseTrueFlag(const std::wstring& text) { return text == L"true"; }
// Flag that is on unless the text is exactly "false".
inline bool ParseFalseFlag(const std::wstring& text) { return text != L"false"; }
