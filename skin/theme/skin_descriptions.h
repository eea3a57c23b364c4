// Description records of the skinned control classes. Field names follow the
// theme's attribute names (including the format's own spellings "Disible"
// and "Disble"). Defaults are not written here: the attribute tables in
// skin_description_classes.cpp give them, and the reader applies them
// before it reads an item.
#pragma once

#include <string>

#include "skin/theme/skin_description_base.h"

#define SKIN_DESC_CLASS(name) static constexpr SkinDescClass kClass = SkinDescClass::name

struct SkinCaptionButtonDesc {
    std::wstring picNormal, picOver, picDown, picDisable;
    SkinPair offset;
    bool hideDisable = true;  // read for btnmax only
};

struct SkinWindowBackgroundDesc {
    std::wstring picFile;
    int captionHeight = 0;
    SkinQuad borderWidth, borderOffset, border9grid;
    SkinColor backgroundColor = 0;
    std::wstring drawStyle;
    SkinPair captionOffset;
    std::wstring frameStyle;
};

struct SkinWindowDesc : SkinControlDesc {
    SKIN_DESC_CLASS(Window);
    std::wstring menuBarLabel, bmpScrollbar, font;
    SkinColor textColor = 0;
    SkinPair sizeMin, sizeMax;
    bool titleMenuBar = false;
    SkinCaptionButtonDesc btnClose, btnMax, btnRestore, btnMin, btnHelp;
    SkinWindowBackgroundDesc background;
    std::wstring scrollbarPicFile;  // picFile of the bmpscrollbar element
};

struct SkinButtonDesc : SkinControlDesc {
    SKIN_DESC_CLASS(Button);
    std::wstring toolTip, picNormal, picOver, picDown, picDisable, picFocus, font, cursor, spinbtnLabel;
    SkinColor textNormalColor = 0, textOverColor = 0, textDownColor = 0, textFocusColor = 0, textDisableColor = 0;
    SkinPair textOffset;
    SkinQuad border9grid;
    bool drawFocusRect = false;
    int spinbtnWidth = 0;
};

struct SkinStaticDesc : SkinControlDesc {
    SKIN_DESC_CLASS(Static);
    SkinColor textColor = 0, textDisableColor = 0;
    std::wstring toolTip, cursor, font;
};

struct SkinRadioButtonDesc : SkinControlDesc {
    SKIN_DESC_CLASS(RadioButton);
    std::wstring picUncheckNormal, picUncheckOver, picUncheckDisible, picUncheckDown, picUncheckFocus;
    std::wstring picCheckedNormal, picCheckedOver, picCheckedDisible, picCheckedDown, picCheckedFocus;
    std::wstring font, cursor, toolTip;
    SkinColor textNormalColor = 0, textOverColor = 0, textDownColor = 0, textDisibleColor = 0, textFocusColor = 0;
    bool drawFocusRect = false;
};

struct SkinCheckButtonDesc : SkinRadioButtonDesc {
    static constexpr SkinDescClass kClass = SkinDescClass::CheckButton;
    std::wstring picIndeterminate;
};

struct SkinGroupButtonDesc : SkinControlDesc {
    SKIN_DESC_CLASS(GroupButton);
    std::wstring imagelogo, font;
    SkinColor textColor = 0, borderColor = 0;
    int borderRound = 0;
};

struct SkinEditDesc : SkinControlDesc {
    SKIN_DESC_CLASS(Edit);
    std::wstring bmpScrollbar, bmpFrameNormal, bmpFrameOver, font;
    int nmarginleft = 0, nmarginright = 0;
    SkinColor textColor = 0, backgroundNormalColor = 0, backgroundDisableColor = 0, borderColor = 0, borderColor2 = 0;
    bool transparent = false;
};

struct SkinComboBoxDesc : SkinControlDesc {
    SKIN_DESC_CLASS(ComboBox);
    std::wstring bmpScrollbar, bmpFrameNormal, bmpFrameOver;
    std::wstring bmpButtonNormal, bmpButtonOver, bmpButtonDown, bmpButtonDisable, font;
    SkinColor borderColor = 0, textColor = 0;
};

struct SkinListBoxDesc : SkinControlDesc {
    SKIN_DESC_CLASS(ListBox);
    std::wstring bmpScrollbar;
    std::wstring backgroundImage;  // the text of backgroundColor taken as a picture id
    SkinColor backgroundColor = 0;
    std::wstring itemBackgroundOverImage, itemBackgroundCheckedImage, font;
    int itemHeight = 0;
    SkinColor borderColor = 0, itemTextNormalColor = 0, itemTextOverColor = 0, itemTextCheckedColor = 0;
    SkinColor itemBackgroundColor1 = 0, itemBackgroundColor2 = 0, itemBackgroundOverColor = 0,
              itemBackgroundCheckedColor = 0;
    SkinQuad drawImageOffset;
    bool drawItem = false;
    int alpha = 0;
};

struct SkinSliderDesc : SkinControlDesc {
    SKIN_DESC_CLASS(Slider);
    std::wstring thumbHorizNormal, thumbHorizOver, thumbHorizDown, thumbHorizDisible, thumbHorizFocus;
    std::wstring thumbVertNormal, thumbVertOver, thumbVertDown, thumbVertDisible, thumbVertFocus;
    std::wstring channelHorizNormal, channelHorizActive, channelVertNormal, channelVertActive;
    bool drawSize = false, drawFocusRect = false;
    int channelOffset = 0;
};

struct SkinProgressDesc : SkinControlDesc {
    SKIN_DESC_CLASS(Progress);
    std::wstring channelHorizNormal, channelHorizActive, channelVertNormal, channelVertActive, font;
    SkinColor textColor = 0;
    int partOffset = 0, activeOffset = 0;
    std::wstring drawStyle;
    bool showText = false;
    SkinQuad borderOffset;
};

struct SkinSpinButtonDesc : SkinControlDesc {
    SKIN_DESC_CLASS(SpinButton);
    std::wstring bmpLeftNormal, bmpLeftOver, bmpLeftDown, bmpLeftDisble;
    std::wstring bmpRightNormal, bmpRightOver, bmpRightDown, bmpRightDisable;
    std::wstring bmpTopNormal, bmpTopOver, bmpTopDown, bmpTopDisble;
    std::wstring bmpBottomNormal, bmpBottomOver, bmpBottomDown, bmpBottomDisble;
};

struct SkinHeaderDesc : SkinControlDesc {
    SKIN_DESC_CLASS(Header);
    std::wstring imageSeparator, itemBackgroundNormalImage, itemBackgroundOverImage, itemBackgroundDownImage, font;
    SkinColor itemTextNormalColor = 0, itemTextOverColor = 0, itemTextDownColor = 0;
    SkinQuad border9grid;
    int itemHeight = 0;
};

struct SkinListViewDesc : SkinControlDesc {
    SKIN_DESC_CLASS(ListView);
    std::wstring bmpScrollbar, headSkinLabel, itemBackgroundOverImage, itemBackgroundCheckedImage, font;
    SkinColor borderColor = 0;
    SkinColor itemBackgroundColor1 = 0, itemBackgroundColor2 = 0, itemBackgroundOverColor = 0,
              itemBackgroundCheckedColor = 0;
    SkinColor itemTextNormalColor = 0, itemTextOverColor = 0, itemTextCheckedColor = 0;
    SkinQuad drawImageOffset;
    bool drawItem = false;
    int itemHeight = 0;
};

struct SkinTreeDesc : SkinControlDesc {
    SKIN_DESC_CLASS(Tree);
    std::wstring bmpBackground, itemBackgroundNormalImage, itemBackgroundCheckedImage, itemBackgroundOverImage;
    std::wstring expandImage, collapseImage, bmpScrollbar, font;
    SkinColor backgroundColor = 0, borderColor = 0;
    SkinColor itemTextNormalColor = 0, itemTextOverColor = 0, itemTextCheckedColor = 0;
    int itemHeight = 0, alpha = 0;
    bool drawItem = false;
    SkinQuad drawImageOffset;
    bool bLButtonDownExpand = true;
};

struct SkinTabCtrlDesc : SkinControlDesc {
    SKIN_DESC_CLASS(TabCtrl);
    std::wstring spinbuttonSkinLabel, pushbuttonSkinLabel;
    std::wstring itemBackgroundTopNormalImage, itemBackgroundTopOverImage, itemBackgroundTopCheckedImage;
    std::wstring itemBackgroundBottomNormalImage, itemBackgroundBottomOverImage, itemBackgroundBottomCheckedImage;
    std::wstring itemBackgroundLeftNormalImage, itemBackgroundLeftOverImage, itemBackgroundLeftCheckedImage;
    std::wstring itemBackgroundRightNormalImage, itemBackgroundRightOverImage, itemBackgroundRightCheckedImage;
    std::wstring font;
    SkinColor borderColor = 0, itemTextNormalColor = 0, itemTextCheckedColor = 0;
    int borderRound = 0;
    SkinQuad draw9grid;
};

struct SkinMenuDesc : SkinControlDesc {
    SKIN_DESC_CLASS(Menu);
    int partOffset = 0, backgroundAlpha = 0;
    std::wstring imageBackground, itemBackgroundOverImage, imageSeparator, imagePupArrow, mainMenuXmlLabel;
    SkinColor itemTextNormalColor = 0, itemTextOverColor = 0, itemTextDisableColor = 0;
    SkinQuad borderWidth, borderOffset, border9grid;
};

struct SkinMenuBarDesc : SkinControlDesc {
    SKIN_DESC_CLASS(MenuBar);
    std::wstring imageBackground, itemNormalImage, itemOverImage, itemDownImage;
    std::wstring imageBtnMin, imageBtnRestore, imageBtnClose, font;
    SkinColor textNormalColor = 0, textOverColor = 0, textDownColor = 0, backgroundColor = 0;
    SkinQuad border9grid;
    int borderOffsetLeft = 0, borderOffsetRight = 0, menubarHeight = 0;
};

struct SkinIpAddressDesc : SkinControlDesc {
    SKIN_DESC_CLASS(IpAddress);
    std::wstring bmpFrameNormal, bmpFrameOver, font;
    SkinColor textColor = 0, borderColor = 0;
};

struct SkinHotKeyDesc : SkinControlDesc {
    SKIN_DESC_CLASS(HotKey);
    std::wstring bmpFrameNormal, bmpFrameOver, font;
    SkinColor borderColor = 0;
};

struct SkinDateTimeDesc : SkinControlDesc {
    SKIN_DESC_CLASS(DateTime);
    std::wstring bmpFrameNormal, bmpFrameOver, bmpButtonNormal, bmpButtonOver, bmpButtonDown, bmpButtonDisable;
    int spinbuttonSkinLabel = 0;  // read as a number, unlike tabctrl's id
    SkinColor borderColor = 0;
};

struct SkinRichEditDesc : SkinControlDesc {
    SKIN_DESC_CLASS(RichEdit);
    std::wstring bmpFrameNormal, bmpFrameOver, bmpScrollbar;
    SkinColor borderColor = 0;
};

struct SkinToolBarDesc : SkinControlDesc {
    SKIN_DESC_CLASS(ToolBar);
    std::wstring bmpButtonNormal, bmpButtonOver, bmpButtonDown, bmpButtonDisable;
    std::wstring imageBackgroundHoriz, imageSeparatorHoriz, imageDropHoriz;
    std::wstring imageBackgroundVert, imageSeparatorVert, imageDropVert;
    SkinColor backgroundColor = 0;
};

struct SkinRebarDesc : SkinControlDesc {
    SKIN_DESC_CLASS(Rebar);
    std::wstring imageBackgroundHoriz, imageDropHoriz, imageBackgroundVert, imageDropVert;
    SkinColor backgroundColor = 0;
};

struct SkinStatusBarDesc : SkinControlDesc {
    SKIN_DESC_CLASS(StatusBar);
    std::wstring bmpBackground, imageSeparator, imageSizelogo, font;
    SkinColor backgroundColor = 0, textColor = 0;
};

struct SkinControlBarDesc : SkinControlDesc {
    SKIN_DESC_CLASS(ControlBar);
    std::wstring bmpBackgroundHoriz, bmpBackgroundVert;
    SkinColor backgroundColor = 0;
};

struct SkinScrollBarDesc : SkinControlDesc {
    SKIN_DESC_CLASS(ScrollBar);
    std::wstring imageSizebox, bmpScrollbar;
};

// Settings shared by all skinned windows (the theme's comwnd item). The
// window manager copies them after every package load.
struct SkinSharedWindowSettings {
    std::wstring bmpScrollbar;  // image id of the default scroll-bar picture
    SkinColor borderColor = 0;
    SkinColor backgroundColor = 0;
};

#undef SKIN_DESC_CLASS
