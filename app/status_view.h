// The seams between the main window and the workflow code. The main window
// implements StatusView; the device workflow implements FetchTarget. Both
// are called from worker threads as well as the user-interface thread.
#pragma once

#include <string>

class StatusView {
public:
    virtual ~StatusView() = default;
    // Text of the status button (its "text" drawing item and its window text).
    virtual void SetStatusText(const std::wstring& text) = 0;
    // The three picture sets of the status button.
    virtual void ShowWarningImages() = 0;
    virtual void ShowInstallImages() = 0;
    virtual void ShowDoneImages() = 0;
    // Empties the footer line.
    virtual void ClearFooterText() = 0;
    // Message box with no owner, title "Tovane安装程序", OK only; returns when dismissed.
    virtual void ShowMessage(const std::wstring& text) = 0;
};

// What the online fetch needs from the install workflow once a download is done.
class FetchTarget {
public:
    virtual ~FetchTarget() = default;
    virtual void SetPackagePath(const std::wstring& path) = 0;
    virtual void InstallPackage() = 0;
};
