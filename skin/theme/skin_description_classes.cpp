// Attribute tables of the control classes and the one reader that applies
// them to a control item.
#include <cstddef>

#include "skin/theme/skin_description_reader.h"

using namespace skin_attr;

namespace {

constexpr SkinColor kWhite = SkinRgb(255, 255, 255);

// ---- window -------------------------------------------------------------
using W = SkinWindowDesc;
constexpr SkinAttr<W> kWindowAttrs[] = {
    Text(L"menuBarLabel", &W::menuBarLabel),     Text(L"bmpScrollbar", &W::bmpScrollbar), Text(L"font", &W::font),
    Color(L"textColor", &W::textColor),          Pair(L"sizeMin", &W::sizeMin),           Pair(L"sizeMax", &W::sizeMax),
    TrueFlag(L"titleMenuBar", &W::titleMenuBar),
};
using CB = SkinCaptionButtonDesc;
constexpr SkinAttr<CB> kCaptionButtonAttrs[] = {
    Text(L"picNormal", &CB::picNormal),   Text(L"picOver", &CB::picOver), Text(L"picDown", &CB::picDown),
    Text(L"picDisable", &CB::picDisable), Pair(L"offset", &CB::offset),
};
constexpr SkinAttr<CB> kMaxButtonAttrs[] = {FalseFlag(L"hideDisable", &CB::hideDisable)};
using BG = SkinWindowBackgroundDesc;
constexpr SkinAttr<BG> kBackgroundAttrs[] = {
    Text(L"picFile", &BG::picFile),
    Int(L"captionHeight", &BG::captionHeight),
    Tuple(L"borderWidth", &BG::borderWidth),
    Tuple(L"borderOffset", &BG::borderOffset),
    Tuple(L"border9grid", &BG::border9grid),
    SysColor(L"backgroundColor", &BG::backgroundColor, kSkinSysColorBtnFace),
    Text(L"drawStyle", &BG::drawStyle, L"nodraw"),
    Pair(L"captionOffset", &BG::captionOffset),
    Text(L"frameStyle", &BG::frameStyle, L"framenormal"),
};
constexpr SkinAttr<W> kWindowScrollbarAttrs[] = {Text(L"picFile", &W::scrollbarPicFile)};

// ---- button -------------------------------------------------------------
using B = SkinButtonDesc;
constexpr SkinAttr<B> kButtonAttrs[] = {
    Text(L"toolTip", &B::toolTip),
    Text(L"picNormal", &B::picNormal),
    Text(L"picOver", &B::picOver),
    Text(L"picDown", &B::picDown),
    Text(L"picDisable", &B::picDisable),
    Text(L"picFocus", &B::picFocus),
    Text(L"font", &B::font),
    Color(L"textNormalColor", &B::textNormalColor),
    Color(L"textOverColor", &B::textOverColor),
    Color(L"textDownColor", &B::textDownColor),
    Color(L"textFocusColor", &B::textFocusColor),
    Color(L"textDisableColor", &B::textDisableColor, SkinRgb(255, 0, 255)),
    Text(L"cursor", &B::cursor),
    Pair(L"textOffset", &B::textOffset, 1, 1),
    Tuple(L"border9grid", &B::border9grid, 5, 5, 5, 5),
    TrueFlag(L"drawFocusRect", &B::drawFocusRect),
    Text(L"spinbtnLabel", &B::spinbtnLabel),
    Int(L"spinbtnWidth", &B::spinbtnWidth),
};

// ---- static -------------------------------------------------------------
using S = SkinStaticDesc;
constexpr SkinAttr<S> kStaticAttrs[] = {
    Color(L"textColor", &S::textColor),
    SysColor(L"textDisableColor", &S::textDisableColor, kSkinSysColorGrayText),
    Text(L"toolTip", &S::toolTip),
    Text(L"cursor", &S::cursor),
    Text(L"font", &S::font),
};

// ---- radiobutton, checkbutton ---------------------------------------------
using RB = SkinRadioButtonDesc;
constexpr SkinAttr<RB> kRadioAttrs[] = {
    Text(L"picUncheckNormal", &RB::picUncheckNormal),
    Text(L"picUncheckOver", &RB::picUncheckOver),
    Text(L"picUncheckDisible", &RB::picUncheckDisible),
    Text(L"picUncheckDown", &RB::picUncheckDown),
    Text(L"picUncheckFocus", &RB::picUncheckFocus),
    Text(L"picCheckedNormal", &RB::picCheckedNormal),
    Text(L"picCheckedOver", &RB::picCheckedOver),
    Text(L"picCheckedDisible", &RB::picCheckedDisible),
    Text(L"picCheckedDown", &RB::picCheckedDown),
    Text(L"picCheckedFocus", &RB::picCheckedFocus),
    Text(L"font", &RB::font),
    Color(L"textNormalColor", &RB::textNormalColor),
    Color(L"textOverColor", &RB::textOverColor),
    Color(L"textDownColor", &RB::textDownColor),
    Color(L"textDisibleColor", &RB::textDisibleColor),
    Color(L"textFocusColor", &RB::textFocusColor),
    Text(L"cursor", &RB::cursor),
    Text(L"toolTip", &RB::toolTip),
    TrueFlag(L"drawFocusRect", &RB::drawFocusRect),
};
using CK = SkinCheckButtonDesc;
constexpr SkinAttr<CK> kCheckExtraAttrs[] = {Text(L"picIndeterminate", &CK::picIndeterminate)};

// ---- groupbutton, edit, combobox ------------------------------------------
using GB = SkinGroupButtonDesc;
constexpr SkinAttr<GB> kGroupAttrs[] = {
    Text(L"imagelogo", &GB::imagelogo), Color(L"textColor", &GB::textColor),   Color(L"borderColor", &GB::borderColor),
    Text(L"font", &GB::font),           Int(L"borderRound", &GB::borderRound),
};
using E = SkinEditDesc;
constexpr SkinAttr<E> kEditAttrs[] = {
    Text(L"bmpScrollbar", &E::bmpScrollbar),
    Text(L"bmpFrameNormal", &E::bmpFrameNormal),
    Text(L"bmpFrameOver", &E::bmpFrameOver),
    Int(L"nmarginleft", &E::nmarginleft, 2),
    Int(L"nmarginright", &E::nmarginright, 2),
    Text(L"font", &E::font),
    Color(L"textColor", &E::textColor),
    Color(L"backgroundNormalColor", &E::backgroundNormalColor, kWhite),
    SysColor(L"backgroundDisableColor", &E::backgroundDisableColor, kSkinSysColorBtnFace),
    Color(L"borderColor", &E::borderColor),
    Color(L"borderColor2", &E::borderColor2, kWhite),
    TrueFlag(L"transparent", &E::transparent),
};
using CO = SkinComboBoxDesc;
constexpr SkinAttr<CO> kComboAttrs[] = {
    Text(L"bmpScrollbar", &CO::bmpScrollbar),
    Text(L"bmpFrameNormal", &CO::bmpFrameNormal),
    Text(L"bmpFrameOver", &CO::bmpFrameOver),
    Text(L"bmpButtonNormal", &CO::bmpButtonNormal),
    Text(L"bmpButtonOver", &CO::bmpButtonOver),
    Text(L"bmpButtonDown", &CO::bmpButtonDown),
    Text(L"bmpButtonDisable", &CO::bmpButtonDisable),
    Color(L"borderColor", &CO::borderColor),
    Color(L"textColor", &CO::textColor),
    Text(L"font", &CO::font),
};

// ---- listbox, slider, progress, spinbutton ---------------------------------
using LB = SkinListBoxDesc;
constexpr SkinAttr<LB> kListBoxAttrs[] = {
    Text(L"bmpScrollbar", &LB::bmpScrollbar),
    // One text, two uses: a picture id and a colour.
    Text(L"backgroundColor", &LB::backgroundImage),
    Color(L"backgroundColor", &LB::backgroundColor, kWhite),
    Text(L"itemBackgroundOverImage", &LB::itemBackgroundOverImage),
    Text(L"itemBackgroundCheckedImage", &LB::itemBackgroundCheckedImage),
    Int(L"itemHeight", &LB::itemHeight, 25),
    Color(L"borderColor", &LB::borderColor),
    Color(L"itemTextNormalColor", &LB::itemTextNormalColor),
    Color(L"itemTextOverColor", &LB::itemTextOverColor),
    Color(L"itemTextCheckedColor", &LB::itemTextCheckedColor),
    Color(L"itemBackgroundColor1", &LB::itemBackgroundColor1, kWhite),
    Color(L"itemBackgroundColor2", &LB::itemBackgroundColor2, kWhite),
    Color(L"itemBackgroundOverColor", &LB::itemBackgroundOverColor, kWhite),
    Color(L"itemBackgroundCheckedColor", &LB::itemBackgroundCheckedColor, kWhite),
    Text(L"font", &LB::font),
    Tuple(L"drawImageOffset", &LB::drawImageOffset, 5, 5, 5, 5),
    TrueFlag(L"drawItem", &LB::drawItem),
    Int(L"alpha", &LB::alpha, -1),
};
using SL = SkinSliderDesc;
constexpr SkinAttr<SL> kSliderAttrs[] = {
    Text(L"thumbHorizNormal", &SL::thumbHorizNormal),
    Text(L"thumbHorizOver", &SL::thumbHorizOver),
    Text(L"thumbHorizDown", &SL::thumbHorizDown),
    Text(L"thumbHorizDisible", &SL::thumbHorizDisible),
    Text(L"thumbHorizFocus", &SL::thumbHorizFocus),
    Text(L"thumbVertNormal", &SL::thumbVertNormal),
    Text(L"thumbVertOver", &SL::thumbVertOver),
    Text(L"thumbVertDown", &SL::thumbVertDown),
    Text(L"thumbVertDisible", &SL::thumbVertDisible),
    Text(L"thumbVertFocus", &SL::thumbVertFocus),
    Text(L"channelHorizNormal", &SL::channelHorizNormal),
    Text(L"channelHorizActive", &SL::channelHorizActive),
    Text(L"channelVertNormal", &SL::channelVertNormal),
    Text(L"channelVertActive", &SL::channelVertActive),
    TrueFlag(L"drawSize", &SL::drawSize),
    Int(L"channelOffset", &SL::channelOffset, 5),
    TrueFlag(L"drawFocusRect", &SL::drawFocusRect),
};
using PR = SkinProgressDesc;
constexpr SkinAttr<PR> kProgressAttrs[] = {
    Text(L"channelHorizNormal", &PR::channelHorizNormal),
    Text(L"channelHorizActive", &PR::channelHorizActive),
    Text(L"channelVertNormal", &PR::channelVertNormal),
    Text(L"channelVertActive", &PR::channelVertActive),
    Color(L"textColor", &PR::textColor),
    Int(L"partOffset", &PR::partOffset, 8),
    Int(L"activeOffset", &PR::activeOffset),
    Text(L"drawStyle", &PR::drawStyle, L"bitBltBlt"),
    TrueFlag(L"showText", &PR::showText),
    Text(L"font", &PR::font),
    Tuple(L"borderOffset", &PR::borderOffset, 5, 5, 5, 5),
};
using SP = SkinSpinButtonDesc;
constexpr SkinAttr<SP> kSpinAttrs[] = {
    Text(L"bmpLeftNormal", &SP::bmpLeftNormal),     Text(L"bmpLeftOver", &SP::bmpLeftOver),
    Text(L"bmpLeftDown", &SP::bmpLeftDown),         Text(L"bmpLeftDisble", &SP::bmpLeftDisble),
    Text(L"bmpRightNormal", &SP::bmpRightNormal),   Text(L"bmpRightOver", &SP::bmpRightOver),
    Text(L"bmpRightDown", &SP::bmpRightDown),       Text(L"bmpRightDisable", &SP::bmpRightDisable),
    Text(L"bmpTopNormal", &SP::bmpTopNormal),       Text(L"bmpTopOver", &SP::bmpTopOver),
    Text(L"bmpTopDown", &SP::bmpTopDown),           Text(L"bmpTopDisble", &SP::bmpTopDisble),
    Text(L"bmpBottomNormal", &SP::bmpBottomNormal), Text(L"bmpBottomOver", &SP::bmpBottomOver),
    Text(L"bmpBottomDown", &SP::bmpBottomDown),     Text(L"bmpBottomDisble", &SP::bmpBottomDisble),
};

// ---- header, listview, tree, tabctrl ---------------------------------------
using HD = SkinHeaderDesc;
constexpr SkinAttr<HD> kHeaderAttrs[] = {
    Text(L"imageSeparator", &HD::imageSeparator),
    Text(L"itemBackgroundNormalImage", &HD::itemBackgroundNormalImage),
    Text(L"itemBackgroundOverImage", &HD::itemBackgroundOverImage),
    Text(L"itemBackgroundDownImage", &HD::itemBackgroundDownImage),
    Color(L"itemTextNormalColor", &HD::itemTextNormalColor),
    Color(L"itemTextOverColor", &HD::itemTextOverColor),
    Color(L"itemTextDownColor", &HD::itemTextDownColor),
    Text(L"font", &HD::font),
    Tuple(L"border9grid", &HD::border9grid, 5, 5, 5, 5),
    Int(L"itemHeight", &HD::itemHeight),
};
using LV = SkinListViewDesc;
constexpr SkinAttr<LV> kListViewAttrs[] = {
    Text(L"bmpScrollbar", &LV::bmpScrollbar),
    Text(L"headSkinLabel", &LV::headSkinLabel),
    Text(L"itemBackgroundOverImage", &LV::itemBackgroundOverImage),
    Text(L"itemBackgroundCheckedImage", &LV::itemBackgroundCheckedImage),
    Color(L"borderColor", &LV::borderColor),
    Color(L"itemBackgroundColor1", &LV::itemBackgroundColor1, kWhite),
    Color(L"itemBackgroundColor2", &LV::itemBackgroundColor2, kWhite),
    Color(L"itemBackgroundOverColor", &LV::itemBackgroundOverColor, kWhite),
    Color(L"itemBackgroundCheckedColor", &LV::itemBackgroundCheckedColor, kWhite),
    Color(L"itemTextNormalColor", &LV::itemTextNormalColor),
    Color(L"itemTextOverColor", &LV::itemTextOverColor),
    Color(L"itemTextCheckedColor", &LV::itemTextCheckedColor),
    Text(L"font", &LV::font),
    Tuple(L"drawImageOffset", &LV::drawImageOffset, 5, 5, 5, 5),
    TrueFlag(L"drawItem", &LV::drawItem),
    Int(L"itemHeight", &LV::itemHeight, 20),
};
using TR = SkinTreeDesc;
constexpr SkinAttr<TR> kTreeAttrs[] = {
    Text(L"bmpBackground", &TR::bmpBackground),
    Text(L"itemBackgroundNormalImage", &TR::itemBackgroundNormalImage),
    Text(L"itemBackgroundCheckedImage", &TR::itemBackgroundCheckedImage),
    Text(L"itemBackgroundOverImage", &TR::itemBackgroundOverImage),
    Text(L"expandImage", &TR::expandImage),
    Text(L"collapseImage", &TR::collapseImage),
    Text(L"bmpScrollbar", &TR::bmpScrollbar),
    Color(L"backgroundColor", &TR::backgroundColor, kWhite),
    Color(L"borderColor", &TR::borderColor),
    Color(L"itemTextNormalColor", &TR::itemTextNormalColor),
    Color(L"itemTextOverColor", &TR::itemTextOverColor),
    Color(L"itemTextCheckedColor", &TR::itemTextCheckedColor),
    Text(L"font", &TR::font),
    Int(L"itemHeight", &TR::itemHeight, 25),
    TrueFlag(L"drawItem", &TR::drawItem),
    Int(L"alpha", &TR::alpha, -1),
    Tuple(L"drawImageOffset", &TR::drawImageOffset, 5, 5, 5, 5),
    FalseFlag(L"bLButtonDownExpand", &TR::bLButtonDownExpand),
};
using TC = SkinTabCtrlDesc;
constexpr SkinAttr<TC> kTabAttrs[] = {
    Text(L"spinbuttonSkinLabel", &TC::spinbuttonSkinLabel),
    Text(L"pushbuttonSkinLabel", &TC::pushbuttonSkinLabel),
    Text(L"itemBackgroundTopNormalImage", &TC::itemBackgroundTopNormalImage),
    Text(L"itemBackgroundTopOverImage", &TC::itemBackgroundTopOverImage),
    Text(L"itemBackgroundTopCheckedImage", &TC::itemBackgroundTopCheckedImage),
    Text(L"itemBackgroundBottomNormalImage", &TC::itemBackgroundBottomNormalImage),
    Text(L"itemBackgroundBottomOverImage", &TC::itemBackgroundBottomOverImage),
    Text(L"itemBackgroundBottomCheckedImage", &TC::itemBackgroundBottomCheckedImage),
    Text(L"itemBackgroundLeftNormalImage", &TC::itemBackgroundLeftNormalImage),
    Text(L"itemBackgroundLeftOverImage", &TC::itemBackgroundLeftOverImage),
    Text(L"itemBackgroundLeftCheckedImage", &TC::itemBackgroundLeftCheckedImage),
    Text(L"itemBackgroundRightNormalImage", &TC::itemBackgroundRightNormalImage),
    Text(L"itemBackgroundRightOverImage", &TC::itemBackgroundRightOverImage),
    Text(L"itemBackgroundRightCheckedImage", &TC::itemBackgroundRightCheckedImage),
    Color(L"borderColor", &TC::borderColor),
    Color(L"itemTextNormalColor", &TC::itemTextNormalColor),
    Color(L"itemTextCheckedColor", &TC::itemTextCheckedColor),
    Text(L"font", &TC::font),
    Int(L"borderRound", &TC::borderRound),
    Tuple(L"draw9grid", &TC::draw9grid, 5, 5, 5, 5),
};

// ---- menu, menubar ---------------------------------------------------------
using MN = SkinMenuDesc;
constexpr SkinAttr<MN> kMenuAttrs[] = {
    Int(L"partOffset", &MN::partOffset, 5),
    Int(L"backgroundAlpha", &MN::backgroundAlpha, 255),
    Text(L"imageBackground", &MN::imageBackground),
    Text(L"itemBackgroundOverImage", &MN::itemBackgroundOverImage),
    Text(L"imageSeparator", &MN::imageSeparator),
    Text(L"imagePupArrow", &MN::imagePupArrow),
    Text(L"mainMenuXmlLabel", &MN::mainMenuXmlLabel),
    Color(L"itemTextNormalColor", &MN::itemTextNormalColor),
    Color(L"itemTextOverColor", &MN::itemTextOverColor),
    Color(L"itemTextDisableColor", &MN::itemTextDisableColor),
    Tuple(L"borderWidth", &MN::borderWidth, 2, 2, 2, 2),
    Tuple(L"borderOffset", &MN::borderOffset, 6, 6, 6, 6),
    Tuple(L"border9grid", &MN::border9grid, 6, 6, 6, 6),
};
using MB = SkinMenuBarDesc;
constexpr SkinAttr<MB> kMenuBarAttrs[] = {
    Text(L"imageBackground", &MB::imageBackground),
    Text(L"itemNormalImage", &MB::itemNormalImage),
    Text(L"itemOverImage", &MB::itemOverImage),
    Text(L"itemDownImage", &MB::itemDownImage),
    Text(L"imageBtnMin", &MB::imageBtnMin),
    Text(L"imageBtnRestore", &MB::imageBtnRestore),
    Text(L"imageBtnClose", &MB::imageBtnClose),
    Color(L"textNormalColor", &MB::textNormalColor),
    Color(L"textOverColor", &MB::textOverColor),
    Color(L"textDownColor", &MB::textDownColor),
    SysColor(L"backgroundColor", &MB::backgroundColor, kSkinSysColorBtnFace),
    Text(L"font", &MB::font),
    Tuple(L"border9grid", &MB::border9grid, 2, 2, 2, 2),
    Int(L"borderOffsetLeft", &MB::borderOffsetLeft, 2),
    Int(L"borderOffsetRight", &MB::borderOffsetRight, 2),
    Int(L"menubarHeight", &MB::menubarHeight, 18),
};

// ---- the small control classes ---------------------------------------------
using IP = SkinIpAddressDesc;
constexpr SkinAttr<IP> kIpAttrs[] = {
    Text(L"bmpFrameNormal", &IP::bmpFrameNormal), Text(L"bmpFrameOver", &IP::bmpFrameOver), Text(L"font", &IP::font),
    Color(L"textColor", &IP::textColor),          Color(L"borderColor", &IP::borderColor),
};
using HK = SkinHotKeyDesc;
constexpr SkinAttr<HK> kHotKeyAttrs[] = {
    Text(L"bmpFrameNormal", &HK::bmpFrameNormal),
    Text(L"bmpFrameOver", &HK::bmpFrameOver),
    Text(L"font", &HK::font),
    Color(L"borderColor", &HK::borderColor),
};
using DT = SkinDateTimeDesc;
constexpr SkinAttr<DT> kDateTimeAttrs[] = {
    Text(L"bmpFrameNormal", &DT::bmpFrameNormal),
    Text(L"bmpFrameOver", &DT::bmpFrameOver),
    Text(L"bmpButtonNormal", &DT::bmpButtonNormal),
    Text(L"bmpButtonOver", &DT::bmpButtonOver),
    Text(L"bmpButtonDown", &DT::bmpButtonDown),
    Text(L"bmpButtonDisable", &DT::bmpButtonDisable),
    Int(L"spinbuttonSkinLabel", &DT::spinbuttonSkinLabel),
    Color(L"borderColor", &DT::borderColor),
};
using RE = SkinRichEditDesc;
constexpr SkinAttr<RE> kRichEditAttrs[] = {
    Text(L"bmpFrameNormal", &RE::bmpFrameNormal),
    Text(L"bmpFrameOver", &RE::bmpFrameOver),
    Text(L"bmpScrollbar", &RE::bmpScrollbar),
    Color(L"borderColor", &RE::borderColor),
};
using TB = SkinToolBarDesc;
constexpr SkinAttr<TB> kToolBarAttrs[] = {
    Text(L"bmpButtonNormal", &TB::bmpButtonNormal),
    Text(L"bmpButtonOver", &TB::bmpButtonOver),
    Text(L"bmpButtonDown", &TB::bmpButtonDown),
    Text(L"bmpButtonDisable", &TB::bmpButtonDisable),
    Text(L"imageBackgroundHoriz", &TB::imageBackgroundHoriz),
    Text(L"imageSeparatorHoriz", &TB::imageSeparatorHoriz),
    Text(L"imageDropHoriz", &TB::imageDropHoriz),
    Text(L"imageBackgroundVert", &TB::imageBackgroundVert),
    Text(L"imageSeparatorVert", &TB::imageSeparatorVert),
    Text(L"imageDropVert", &TB::imageDropVert),
    Color(L"backgroundColor", &TB::backgroundColor),
};
using RBR = SkinRebarDesc;
constexpr SkinAttr<RBR> kRebarAttrs[] = {
    Text(L"imageBackgroundHoriz", &RBR::imageBackgroundHoriz),
    Text(L"imageDropHoriz", &RBR::imageDropHoriz),
    Text(L"imageBackgroundVert", &RBR::imageBackgroundVert),
    Text(L"imageDropVert", &RBR::imageDropVert),
    SysColor(L"backgroundColor", &RBR::backgroundColor, kSkinSysColorBtnFace),
};
using SB = SkinStatusBarDesc;
constexpr SkinAttr<SB> kStatusBarAttrs[] = {
    Text(L"bmpBackground", &SB::bmpBackground),
    Text(L"imageSeparator", &SB::imageSeparator),
    Text(L"imageSizelogo", &SB::imageSizelogo),
    SysColor(L"backgroundColor", &SB::backgroundColor, kSkinSysColorBtnFace),
    Color(L"textColor", &SB::textColor),
    Text(L"font", &SB::font),
};
using CBR = SkinControlBarDesc;
constexpr SkinAttr<CBR> kControlBarAttrs[] = {
    Text(L"bmpBackgroundHoriz", &CBR::bmpBackgroundHoriz),
    Text(L"bmpBackgroundVert", &CBR::bmpBackgroundVert),
    SysColor(L"backgroundColor", &CBR::backgroundColor, kSkinSysColorBtnFace),
};
using SCB = SkinScrollBarDesc;
constexpr SkinAttr<SCB> kScrollBarAttrs[] = {
    Text(L"imageSizebox", &SCB::imageSizebox),
    Text(L"bmpScrollbar", &SCB::bmpScrollbar),
};
using CW = SkinSharedWindowSettings;
constexpr SkinAttr<CW> kSharedWindowAttrs[] = {
    Text(L"bmpScrollbar", &CW::bmpScrollbar),
    Color(L"borderColor", &CW::borderColor),
    SysColor(L"backgroundColor", &CW::backgroundColor, kSkinSysColorBtnFace),
};

// ---- the generic parts -----------------------------------------------------

template <class R, size_t N>
void Apply(const SkinAttributeReader& reader, R& record, const SkinAttr<R> (&table)[N], bool present) {
    if (present) {
        reader.Read(record, table);
    } else {
        reader.ApplyDefaults(record, table);
    }
}

// A class whose attributes are one table.
template <class T, const auto& Table>
void ReadTable(const SkinAttributeReader& reader, SkinControlDesc& desc, bool present) {
    Apply(reader, static_cast<T&>(desc), Table, present);
}

void ReadCheckButton(const SkinAttributeReader& reader, SkinControlDesc& desc, bool present) {
    auto& check = static_cast<SkinCheckButtonDesc&>(desc);
    Apply<SkinRadioButtonDesc>(reader, check, kRadioAttrs, present);
    Apply(reader, check, kCheckExtraAttrs, present);
}

template <class T>
std::unique_ptr<SkinControlDesc> Create() {
    return std::make_unique<T>();
}

// The window's further elements, each searched from the first child.
void ReadWindowChildren(const SkinAttributeReader& reader, SkinControlDesc& desc) {
    auto& window = static_cast<SkinWindowDesc&>(desc);
    CSkinXmlDocument& doc = reader.Document();
    struct CaptionButton {
        const wchar_t* element;
        SkinCaptionButtonDesc SkinWindowDesc::*field;
    };
    static const CaptionButton kButtons[] = {
        {L"btnclose", &W::btnClose}, {L"btnmax", &W::btnMax},   {L"btnrestore", &W::btnRestore},
        {L"btnmin", &W::btnMin},     {L"btnhelp", &W::btnHelp},
    };
    for (const CaptionButton& b : kButtons) {
        doc.ResetPosition();
        bool present = doc.FindElement(b.element);
        Apply(reader, window.*b.field, kCaptionButtonAttrs, present);
        if (b.field == &W::btnMax) Apply(reader, window.*b.field, kMaxButtonAttrs, present);
    }
    doc.ResetPosition();
    Apply(reader, window.background, kBackgroundAttrs, doc.FindElement(L"background"));
    doc.ResetPosition();
    Apply(reader, window, kWindowScrollbarAttrs, doc.FindElement(L"bmpscrollbar"));
    doc.ResetPosition();
}

#define SKIN_CLASS(name, T, hashed, items, classDefault, table) \
    { name, T::kClass, hashed, items, classDefault, &Create<T>, &ReadTable<T, table>, nullptr }

// In the order of SkinDescClass.
const SkinClassInfo kClasses[] = {
    {L"window", SkinDescClass::Window, true, true, true, &Create<W>, &ReadTable<W, kWindowAttrs>, &ReadWindowChildren},
    SKIN_CLASS(L"button", B, true, true, true, kButtonAttrs),
    SKIN_CLASS(L"static", S, true, true, true, kStaticAttrs),
    SKIN_CLASS(L"radiobutton", RB, true, true, true, kRadioAttrs),
    {L"checkbutton", SkinDescClass::CheckButton, true, true, true, &Create<CK>, &ReadCheckButton, nullptr},
    SKIN_CLASS(L"groupbutton", GB, true, false, true, kGroupAttrs),
    SKIN_CLASS(L"edit", E, true, true, true, kEditAttrs),
    SKIN_CLASS(L"combobox", CO, true, false, true, kComboAttrs),
    SKIN_CLASS(L"listbox", LB, false, true, true, kListBoxAttrs),
    SKIN_CLASS(L"slider", SL, false, false, true, kSliderAttrs),
    SKIN_CLASS(L"progress", PR, false, false, true, kProgressAttrs),
    SKIN_CLASS(L"spinbutton", SP, false, false, true, kSpinAttrs),
    SKIN_CLASS(L"header", HD, false, true, true, kHeaderAttrs),
    SKIN_CLASS(L"listview", LV, false, true, true, kListViewAttrs),
    SKIN_CLASS(L"tree", TR, false, true, true, kTreeAttrs),
    SKIN_CLASS(L"tabctrl", TC, false, false, true, kTabAttrs),
    // Menus are looked up by id only: there is no "menu" class default.
    SKIN_CLASS(L"menu", MN, false, false, false, kMenuAttrs),
    SKIN_CLASS(L"menubar", MB, false, false, true, kMenuBarAttrs),
    SKIN_CLASS(L"ipaddress", IP, false, false, true, kIpAttrs),
    SKIN_CLASS(L"hotkey", HK, false, false, true, kHotKeyAttrs),
    SKIN_CLASS(L"datetime", DT, false, false, true, kDateTimeAttrs),
    SKIN_CLASS(L"richedit", RE, false, false, true, kRichEditAttrs),
    SKIN_CLASS(L"toolbar", TB, false, false, true, kToolBarAttrs),
    SKIN_CLASS(L"rebar", RBR, false, false, true, kRebarAttrs),
    SKIN_CLASS(L"statusbar", SB, false, false, true, kStatusBarAttrs),
    SKIN_CLASS(L"controlbar", CBR, false, false, true, kControlBarAttrs),
    SKIN_CLASS(L"scrollbar", SCB, false, false, true, kScrollBarAttrs),
};
static_assert(sizeof(kClasses) / sizeof(kClasses[0]) == kSkinDescClassCount, "one entry per control class");

}  // namespace

const SkinClassInfo* FindSkinClass(const std::wstring& name) {
    for (const SkinClassInfo& info : kClasses) {
        if (name == info.name) return &info;
    }
    return nullptr;
}

const SkinClassInfo& GetSkinClass(SkinDescClass cls) { return kClasses[static_cast<int>(cls)]; }

std::unique_ptr<SkinControlDesc> ReadSkinControl(const SkinAttributeReader& reader, const SkinClassInfo& info,
                                                 const SkinLayout& layout, const std::wstring& id) {
    CSkinXmlDocument& doc = reader.Document();
    std::unique_ptr<SkinControlDesc> desc = info.create();
    desc->layout = layout;
    desc->id = id;
    bool descended = doc.Descend();
    // Only the first attribute element counts.
    info.attributes(reader, *desc, descended && doc.FindElement(L"attribute"));
    if (descended) {
        if (info.children) info.children(reader, *desc);
        if (info.hasItems) ReadSkinDrawingItems(reader, desc->items);
        doc.Ascend();
    }
    return desc;
}

SkinSharedWindowSettings ReadSkinSharedWindowSettings(const SkinAttributeReader& reader) {
    CSkinXmlDocument& doc = reader.Document();
    SkinSharedWindowSettings settings;
    bool descended = doc.Descend();
    Apply(reader, settings, kSharedWindowAttrs, descended && doc.FindElement(L"attribute"));
    if (descended) doc.Ascend();
    return settings;
}
