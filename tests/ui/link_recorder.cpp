// Stands in for a web browser in the link tests: writes the arguments it
// was started with, one per line in UTF-8, into "record-<process id>.txt"
// beside itself, so a test sees how often it ran and with what.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.pop_back();
    return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!args) return 1;
    std::string record;
    for (int i = 1; i < count; ++i) record += Utf8(args[i]) + "\n";
    ::LocalFree(args);

    wchar_t self[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    std::wstring folder(self, length);
    folder.erase(folder.find_last_of(L'\\') + 1);
    const std::wstring path = folder + L"record-" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == record.size() ? 0 : 1;
}
