// The window and the install workflow replaced by recorders, for tests of
// the online fetch.
#pragma once

#include <string>
#include <vector>

#include "app/status_view.h"
#include "tests/net/net_test_util.h"

namespace testnet {

class RecordingView : public StatusView {
public:
    void SetStatusText(const std::wstring& text) override { texts.push_back(text); }
    void ShowWarningImages() override { ++imageChanges; }
    void ShowInstallImages() override { ++imageChanges; }
    void ShowDoneImages() override { ++imageChanges; }
    void ClearFooterText() override {}
    void ShowMessage(const std::wstring& text) override { messages.push_back(text); }

    std::vector<std::wstring> texts;
    std::vector<std::wstring> messages;
    int imageChanges = 0;
};

class RecordingTarget : public FetchTarget {
public:
    void SetPackagePath(const std::wstring& path) override { packagePath = path; }
    void InstallPackage() override {
        ++installs;
        installedBytes = testnet::ReadWholeFile(packagePath).value_or("<missing>");
    }

    std::wstring packagePath;
    std::string installedBytes;
    int installs = 0;
};

}  // namespace testnet
