#include "app/instl_app_win32.h"

#include <commctrl.h>

#include <Poco/Net/Net.h>

#include "app/form_main_win32.h"
#include "app/installer_ids.h"
#include "skin/windows/skin_api_win32.h"

int CInstlApp::Run() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = 0xFF;
    ::InitCommonControlsEx(&controls);

    // A statically linked Poco needs its network layer started once.
    Poco::Net::initializeNetwork();

    // Without the resource the window simply stays unskinned.
    LoadSkinResource(L"DATA", IDR_SKIN_PACKAGE, nullptr);

    // The window object lives until the process ends: a worker may still be
    // inside a message box when the dialog is closed, and nobody waits for it.
    auto* form = new FormMain(instance_);
    form->DoModal();
    // No message loop follows: the process ends with the dialog.
    return 0;
}
