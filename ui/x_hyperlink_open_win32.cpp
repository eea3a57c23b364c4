// Opening a link's target: the shell first, then the browser command that
// the registry names for ".htm" pages.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <optional>
#include <vector>

#include "common/win_handles.h"
#include "ui/link_rules.h"
#include "ui/x_hyperlink_win32.h"

namespace {

constexpr INT_PTR kEmptyTargetResult = 36;
// What a started browser counts as: any shell result above 32 means opened.
constexpr INT_PTR kBrowserStartedResult = 33;
// The ".htm" class name is a short identifier.
constexpr DWORD kMaxClassName = 260;

// The default value of HKEY_CLASSES_ROOT\`key`, a string or an expanded
// expandable string, always terminated; nothing when missing, of another
// type or longer than `maxChars`.
std::optional<std::wstring> ReadClassString(const std::wstring& key, DWORD maxChars) {
    const DWORD maxBytes = (maxChars + 1) * sizeof(wchar_t);
    DWORD bytes = 0;
    LSTATUS status = ::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, nullptr, &bytes);
    // A value that grows between the two reads gets one more try.
    for (int attempt = 0; attempt < 2 && status == ERROR_SUCCESS; ++attempt) {
        if (bytes == 0 || bytes > maxBytes) return std::nullopt;
        std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        status = ::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, buffer.data(), &got);
        if (status == ERROR_SUCCESS) {
            buffer.back() = L'\0';
            std::wstring value(buffer.data());
            if (value.size() > maxChars) return std::nullopt;
            return value;
        }
        if (status == ERROR_MORE_DATA) {
            bytes = got;
            status = ERROR_SUCCESS;
        }
    }
    return std::nullopt;
}

// Starts the browser registered for ".htm" with `target` as one argument.
bool StartRegisteredBrowser(const std::wstring& target) {
    const std::optional<std::wstring> pageClass = ReadClassString(L".htm", kMaxClassName);
    if (!pageClass || pageClass->empty()) return false;
    const std::optional<std::wstring> registered =
        ReadClassString(*pageClass + L"\\shell\\open\\command", static_cast<DWORD>(link_rules::kMaxCommandLine));
    if (!registered) return false;
    const std::optional<std::wstring> command = link_rules::BuildBrowserCommand(*registered, target);
    if (!command) return false;

    std::vector<wchar_t> line(command->begin(), command->end());
    line.push_back(L'\0');  // CreateProcessW may write into its command line
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    win::ScopedHandle processHandle(process.hProcess);
    win::ScopedHandle threadHandle(process.hThread);
    return true;
}

// The shell may hand the open to components that need COM on this thread.
class ComForShell {
public:
    ComForShell()
        : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComForShell() {
        if (initialised_) ::CoUninitialize();
    }
    ComForShell(const ComForShell&) = delete;
    ComForShell& operator=(const ComForShell&) = delete;

private:
    bool initialised_;
};

}  // namespace

INT_PTR CXHyperLink::OpenLinkTarget(const std::wstring& target, bool newWindow) {
    if (target.empty()) return kEmptyTargetResult;
    INT_PTR result = 0;
    {
        ComForShell com;
        // The shell's result is a handle-sized value, compared as one.
        result = reinterpret_cast<INT_PTR>(
            ::ShellExecuteW(nullptr, newWindow ? L"new" : L"open", target.c_str(), nullptr, nullptr, SW_SHOW));
    }
    if (result > 32) return result;
    return StartRegisteredBrowser(target) ? kBrowserStartedResult : result;
}
