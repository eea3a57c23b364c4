// SetWindowSkin, SetSkinProperty and the attach of every skin class.
#include "skin/windows/manager/skin_attach_win32.h"

#include <memory>
#include <string>

#include "common/win_dpi_win32.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_button_win32.h"
#include "skin/windows/controls/skin_check_button_win32.h"
#include "skin/windows/controls/skin_controlbar_win32.h"
#include "skin/windows/controls/skin_datetime_win32.h"
#include "skin/windows/controls/skin_edit_win32.h"
#include "skin/windows/controls/skin_group_box_win32.h"
#include "skin/windows/controls/skin_hotkey_win32.h"
#include "skin/windows/controls/skin_ipaddress_win32.h"
#include "skin/windows/controls/skin_combo_box_win32.h"
#include "skin/windows/controls/skin_header_win32.h"
#include "skin/windows/controls/skin_list_box_win32.h"
#include "skin/windows/controls/skin_list_ctrl_win32.h"
#include "skin/windows/controls/skin_mdi_client_win32.h"
#include "skin/windows/controls/skin_progress_win32.h"
#include "skin/windows/controls/skin_slider_win32.h"
#include "skin/windows/controls/skin_spin_button_win32.h"
#include "skin/windows/controls/skin_radio_button_win32.h"
#include "skin/windows/controls/skin_rebar_win32.h"
#include "skin/windows/controls/skin_richedit_win32.h"
#include "skin/windows/controls/skin_scrollbar_ctrl_win32.h"
#include "skin/windows/controls/skin_static_win32.h"
#include "skin/windows/controls/skin_tab_ctrl_win32.h"
#include "skin/windows/controls/skin_statusbar_win32.h"
#include "skin/windows/controls/skin_toolbar_win32.h"
#include "skin/windows/controls/skin_tree_ctrl_win32.h"
#include "skin/windows/controls/skin_wnd_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_class_proc_win32.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"
#include "skin/windows/skin_api_win32.h"

namespace {

template <class T>
std::unique_ptr<CSkinBase> Make(HWND window) {
    return std::make_unique<T>(window);
}

// What attaching a kind of window takes. Kinds without a row are not
// skinned yet: their attach answers 0 and the window keeps its look.
struct AttachKind {
    SkinWindowKind kind;
    SkinDescClass descClass;
    std::unique_ptr<CSkinBase> (*create)(HWND);
    WNDPROC classProc;
    bool frame;
};

const AttachKind kAttachKinds[] = {
    {SkinWindowKind::Frame, SkinDescClass::Window, &Make<CSkinWndSB>, &SkinClassProc<CSkinWndSB>, true},
    {SkinWindowKind::MdiClient, SkinDescClass::Window, &Make<CSkinMDIClient>, &SkinClassProc<CSkinMDIClient>, true},
    {SkinWindowKind::Button, SkinDescClass::Button, &Make<CSkinButtonSB>, &SkinClassProc<CSkinButtonSB>, false},
    {SkinWindowKind::Static, SkinDescClass::Static, &Make<CSkinStaticSB>, &SkinClassProc<CSkinStaticSB>, false},
    {SkinWindowKind::SpinButton, SkinDescClass::SpinButton, &Make<CSkinSpinButtonSB>, &SkinClassProc<CSkinSpinButtonSB>,
     false},
    {SkinWindowKind::Slider, SkinDescClass::Slider, &Make<CSkinSliderCtrlSB>, &SkinClassProc<CSkinSliderCtrlSB>, false},
    {SkinWindowKind::TabCtrl, SkinDescClass::TabCtrl, &Make<CSkinTabCtrlSB>, &SkinClassProc<CSkinTabCtrlSB>, false},
    {SkinWindowKind::Progress, SkinDescClass::Progress, &Make<CSkinProgressSB>, &SkinClassProc<CSkinProgressSB>, false},
    {SkinWindowKind::ToolBar, SkinDescClass::ToolBar, &Make<CSkinToolBarCtrlSB>, &SkinClassProc<CSkinToolBarCtrlSB>,
     false},
    {SkinWindowKind::ReBar, SkinDescClass::Rebar, &Make<CSkinReBarCtrlSB>, &SkinClassProc<CSkinReBarCtrlSB>, false},
    {SkinWindowKind::StatusBar, SkinDescClass::StatusBar, &Make<CSkinStatusBarSB>, &SkinClassProc<CSkinStatusBarSB>,
     false},
    {SkinWindowKind::ControlBar, SkinDescClass::ControlBar, &Make<CSkinControlBarSB>, &SkinClassProc<CSkinControlBarSB>,
     false},
    {SkinWindowKind::IpAddress, SkinDescClass::IpAddress, &Make<CSkinIPAddressSB>, &SkinClassProc<CSkinIPAddressSB>,
     false},
    {SkinWindowKind::HotKey, SkinDescClass::HotKey, &Make<CSkinHotKeySB>, &SkinClassProc<CSkinHotKeySB>, false},
    {SkinWindowKind::DateTime, SkinDescClass::DateTime, &Make<CSkinDateTimeSB>, &SkinClassProc<CSkinDateTimeSB>, false},
    {SkinWindowKind::CheckButton, SkinDescClass::CheckButton, &Make<CSkinCheckBtnSB>, &SkinClassProc<CSkinCheckBtnSB>,
     false},
    {SkinWindowKind::RadioButton, SkinDescClass::RadioButton, &Make<CSkinRadioBtnSB>, &SkinClassProc<CSkinRadioBtnSB>,
     false},
    {SkinWindowKind::GroupButton, SkinDescClass::GroupButton, &Make<CSkinGroupBtnSB>, &SkinClassProc<CSkinGroupBtnSB>,
     false},
    {SkinWindowKind::Edit, SkinDescClass::Edit, &Make<CSkinEditSB>, &SkinClassProc<CSkinEditSB>, false},
    {SkinWindowKind::RichEdit, SkinDescClass::RichEdit, &Make<CSkinRichEditSB>, &SkinClassProc<CSkinRichEditSB>, false},
    {SkinWindowKind::ComboBox, SkinDescClass::ComboBox, &Make<CSkinComboBoxSB>, &SkinClassProc<CSkinComboBoxSB>, false},
    {SkinWindowKind::ComboLBox, SkinDescClass::ComboBox, &Make<CSkinComboLBox>, &SkinClassProc<CSkinComboLBox>, false},
    {SkinWindowKind::ListBox, SkinDescClass::ListBox, &Make<CSkinListBoxSB>, &SkinClassProc<CSkinListBoxSB>, false},
    {SkinWindowKind::Header, SkinDescClass::Header, &Make<CSkinHeaderSB>, &SkinClassProc<CSkinHeaderSB>, false},
    {SkinWindowKind::ListCtrl, SkinDescClass::ListView, &Make<CSkinListCtrlSB>, &SkinClassProc<CSkinListCtrlSB>, false},
    {SkinWindowKind::TreeCtrl, SkinDescClass::Tree, &Make<CSkinTreeCtrlSB>, &SkinClassProc<CSkinTreeCtrlSB>, false},
    {SkinWindowKind::ScrollBar, SkinDescClass::ScrollBar, &Make<CSkinScrollBarSB>, &SkinClassProc<CSkinScrollBarSB>,
     false},
};

const AttachKind* AttachKindOf(SkinWindowKind kind) {
    for (const AttachKind& k : kAttachKinds)
        if (k.kind == kind) return &k;
    return nullptr;
}

void ApplyAll(CSkinBase& object) {
    object.ApplyDescription();
    const SkinColorShift& shift = GetSkinWndManager()->ColorShift();
    object.AdjustColors(shift);
}

// A window starts at its parent's scale when the parent is skinned (they
// change together), else at the DPI of its display.
SkinScale InitialScale(HWND window) {
    if (HWND parent = ::GetParent(window))
        if (CSkinBase* parentObject = SkinObjectOf(parent)) return parentObject->Scale();
    return SkinScale(static_cast<int>(win::WindowDpi(window)));
}

int Reskin(CSkinBase& object, const AttachKind& kind, const SkinControlDesc* desc, const std::wstring& skinId) {
    if (object.AttachedKind() != kind.kind) return 0;
    object.SetDescription(desc, skinId);
    ApplyAll(object);
    object.OnReskinned();
    return 1;
}

int Attach(const AttachKind& kind, HWND window, const std::wstring& skinId, void* userValue) {
    const SkinControlDesc* desc = GetSkinResourceManager()->GetDescription(kind.descClass, skinId);
    if (CSkinBase* existing = SkinObjectOf(window)) return desc ? Reskin(*existing, kind, desc, skinId) : 0;
    if (!desc) return 0;

    std::unique_ptr<CSkinBase> object = kind.create(window);
    if (!::SetPropW(window, kSkinPropObject, object.get())) return 0;
    object->SetAttachedKind(kind.kind);
    object->SetUserValue(userValue);
    object->InitScale(InitialScale(window));
    object->SetDescription(desc, skinId);
    ApplyAll(*object);
    object->SetSavedStyle(skin_unhooked::Style(window));
    object->SetClassProc(kind.classProc);

    ::SetLastError(0);
    LONG_PTR old = skin_unhooked::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(kind.classProc));
    if (old == 0 && ::GetLastError() != 0) {
        ::RemovePropW(window, kSkinPropObject);
        return 0;  // the object goes with `object`
    }
    object->SetPreviousProc(reinterpret_cast<WNDPROC>(old));
    // Only now is the window fully attached: the record makes it skinned
    // for everyone else (the hooks, SetSkinProperty on other threads).
    CSkinBase* attached = object.release();
    GetSkinWndManager()->Register(window, attached, kind.frame);
    attached->OnAttached();
    return 1;
}

}  // namespace

int SkinAttach(SkinWindowKind kind, HWND window, const std::wstring& skinId, void* userValue) {
    const AttachKind* k = AttachKindOf(kind);
    return k ? Attach(*k, window, skinId, userValue) : 0;
}

int SetWindowSkin(HWND window, const wchar_t* skinId) {
    if (!window || !skinId || !::IsWindow(window)) return 0;
    try {
        GetSkinWndManager();
        wchar_t className[128] = {};
        ::GetClassNameW(window, className, 128);
        auto style = skin_unhooked::Style(window);
        SkinDispatch dispatch = SkinDispatchWindow(className, style);
        int result = SkinAttach(dispatch.kind, window, dispatch.withoutId ? std::wstring() : skinId, nullptr);
        return dispatch.reportsZero ? 0 : result;
    } catch (...) {
        return 0;
    }
}

int SetWindowSkinByCtrlId(HWND window) {
    if (!window || !::IsWindow(window)) return 0;
    try {
        GetSkinWndManager();
        wchar_t className[128] = {};
        ::GetClassNameW(window, className, 128);
        auto style = skin_unhooked::Style(window);
        SkinDispatch dispatch = SkinDispatchWindow(className, style);
        std::wstring id = dispatch.withoutId ? std::wstring() : std::to_wstring(::GetDlgCtrlID(window));
        int result = SkinAttach(dispatch.kind, window, id, reinterpret_cast<void*>(1));
        return dispatch.reportsZero ? 0 : result;
    } catch (...) {
        return 0;
    }
}

int SetSkinProperty(HWND window, const wchar_t* name, const wchar_t* value, int redraw) {
    if (!window || !name) return 0;
    // Called from worker threads too: a manager that does not exist yet
    // means no window is skinned, and none is created from here.
    CSkinWndManager* manager = SkinWndManagerIfCreated();
    if (!manager) return 0;
    try {
        std::wstring n(name), v(value ? value : L"");
        bool changed = manager->WithObject(window, [&](CSkinBase& object) { return object.SetItemProperty(n, v); });
        if (!changed) return 0;
        // A null rectangle: the stored client rectangle is empty before the
        // first paint. The repaint runs later on the window's thread.
        if (redraw) ::InvalidateRect(window, nullptr, FALSE);
        return 1;
    } catch (...) {
        return 0;
    }
}
