// The installer started as a program under Wine against the device
// simulator: the simulated libraries registered, DEVSIM_ROOT a fresh folder.
#pragma once

#include <windows.h>

#include <fstream>
#include <string>

#include "app/installer_ids.h"
#include "support/win_test_support.h"

namespace testing_support {

class InstallerRun {
public:
    // Starts the installer; true once its main window is there.
    bool Start() {
        const std::wstring devsim = ToWindowsPath(DEVSIM_DIR) + L"\\";
        registry_.Set(devsim + L"iTunesMobileDevice.dll", devsim);
        ::SetEnvironmentVariableW(L"DEVSIM_ROOT", root_.path().c_str());
        ::CreateDirectoryW((root_.path() + L"devices").c_str(), nullptr);
        if (!app.Start(ToWindowsPath(TOVANE_EXE))) return false;
        window = WaitForWindow(app.id(), L"Tovane在线安装程序", 30000);
        status = window ? ::GetDlgItem(window, IDC_STATUS_BUTTON) : nullptr;
        return window != nullptr;
    }

    // Attaches a simulated device with these device.ini lines; with Cydia its
    // folder /var/root/Media/Cydia exists. Returns the device's folder.
    std::wstring AttachDevice(const std::wstring& udid, const std::string& ini, bool withCydia) {
        const std::wstring device = root_.path() + L"devices\\" + udid + L"\\";
        ::CreateDirectoryW(device.c_str(), nullptr);
        {
            std::ofstream file(Narrow(device + L"device.ini"));
            file << ini;
        }
        std::wstring path = device + L"fs";
        ::CreateDirectoryW(path.c_str(), nullptr);
        if (withCydia) {
            for (const wchar_t* sub : {L"\\var", L"\\root", L"\\Media", L"\\Cydia"}) {
                path += sub;
                ::CreateDirectoryW(path.c_str(), nullptr);
            }
        }
        return device;
    }

    void Click(int id) {
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, id)));
    }

    ChildProcess app;
    HWND window = nullptr;
    HWND status = nullptr;

private:
    AppleRegistry registry_;
    TempFolder root_;
};

}  // namespace testing_support
