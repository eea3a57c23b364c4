#include "app/instl_app.h"

#include <commctrl.h>

#include "app/form_main.h"
#include "skin/windows/skin_api.h"

#if defined(TOVANE_HAVE_POCO_NET)
#include <Poco/Net/Net.h>
#endif

namespace {
constexpr int kSkinPackageId = 129;
}

int CInstlApp::Run() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = 8;
  controls.dwICC = 0xFF;
  ::InitCommonControlsEx(&controls);

#if defined(TOVANE_HAVE_POCO_NET)
  // A statically linked Poco needs its network layer started once.
  Poco::Net::initializeNetwork();
#endif

  // Without the resource the window simply stays unskinned.
  LoadSkinResource(L"DATA", kSkinPackageId, nullptr);

  // The window object lives until the process ends: a worker may still be
  // inside a message box when the dialog is closed, and nobody waits for it.
  auto* form = new FormMain(instance_);
  form->DoModal();
  // No message loop follows: the process ends with the dialog.
  return 0;
}
