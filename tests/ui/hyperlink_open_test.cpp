// Opening link targets under Wine without a browser: a recorder program of
// ours is registered as the prefix's http/https open command, or as the
// ".htm" browser for the registry fallback, and tells what it was started
// with. Every registry value touched is put back afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "app/form_main_win32.h"
#include "common/win_handles.h"
#include "net/remote_file.h"
#include "ui/link_test_host.h"

namespace ts = testing_support;
using namespace link_test;

namespace {

const std::wstring kRecorder = ts::ToWindowsPath(LINK_RECORDER_EXE);
constexpr wchar_t kPageClass[] = L"TovaneLinkTestPage";

// The default value of a key under HKEY_CLASSES_ROOT, restored on
// destruction (a key that did not exist is removed with its subkeys).
class SavedClassKey {
public:
    explicit SavedClassKey(std::wstring path) : path_(std::move(path)) {
        win::ScopedRegKey key;
        keyExisted_ = ::RegOpenKeyExW(HKEY_CLASSES_ROOT, path_.c_str(), 0, KEY_READ, key.receive()) == ERROR_SUCCESS;
        if (!keyExisted_) return;
        DWORD bytes = 0;
        if (::RegQueryValueExW(key.get(), nullptr, nullptr, &type_, nullptr, &bytes) != ERROR_SUCCESS) return;
        data_.resize(bytes);
        valueExisted_ = ::RegQueryValueExW(key.get(), nullptr, nullptr, &type_, data_.data(), &bytes) == ERROR_SUCCESS;
    }
    ~SavedClassKey() {
        if (!keyExisted_) {
            ::RegDeleteTreeW(HKEY_CLASSES_ROOT, path_.c_str());
            return;
        }
        win::ScopedRegKey key;
        if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, path_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.receive(),
                              nullptr) != ERROR_SUCCESS) {
            return;
        }
        if (valueExisted_) {
            ::RegSetValueExW(key.get(), nullptr, 0, type_, data_.data(), static_cast<DWORD>(data_.size()));
        } else {
            ::RegDeleteValueW(key.get(), nullptr);
        }
    }
    SavedClassKey(const SavedClassKey&) = delete;
    SavedClassKey& operator=(const SavedClassKey&) = delete;

    void Set(const std::wstring& value, DWORD type = REG_SZ) {
        win::ScopedRegKey key;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, path_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.receive(),
                                    nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExW(key.get(), nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    void Remove() {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, path_.c_str());
        ::RegDeleteKeyW(HKEY_CLASSES_ROOT, path_.c_str());
    }

private:
    std::wstring path_;
    bool keyExisted_ = false;
    bool valueExisted_ = false;
    DWORD type_ = REG_SZ;
    std::vector<BYTE> data_;
};

// A copy of the recorder in `folder` (created), with what its runs wrote.
class Recorder {
public:
    explicit Recorder(std::wstring folder, const std::wstring& name = L"link_recorder.exe")
        : folder_(std::move(folder)), exe_(folder_ + name) {
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        copied_ = ::CopyFileW(kRecorder.c_str(), exe_.c_str(), FALSE) != FALSE;
    }
    bool copied() const { return copied_; }
    const std::wstring& exe() const { return exe_; }
    // The argument lists of every run so far.
    std::vector<std::vector<std::wstring>> Runs() const {
        std::vector<std::vector<std::wstring>> runs;
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW((folder_ + L"record-*.txt").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return runs;
        do {
            // Read through the wide API: the folder's name may not be ANSI.
            std::istringstream text(ReadFile(folder_ + found.cFileName));
            std::vector<std::wstring> args;
            std::string line;
            while (std::getline(text, line)) args.push_back(ts::Widen(line));
            runs.push_back(args);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
        return runs;
    }

private:
    static std::string ReadFile(const std::wstring& path) {
        win::ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
        std::string data;
        char buffer[4096];
        DWORD got = 0;
        while (file && ::ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0)
            data.append(buffer, got);
        return data;
    }

    std::wstring folder_;
    std::wstring exe_;
    bool copied_ = false;
};

class HyperlinkOpenTest : public ::testing::Test {
protected:
    // Waits for a first run, then a little longer for any second one.
    std::vector<std::vector<std::wstring>> RunsAfterClick(LinkHost& host, const Recorder& recorder) {
        host.WaitFor([&] { return !recorder.Runs().empty(); }, 15000);
        host.WaitFor([] { return false; }, 1000);
        return recorder.Runs();
    }
    void Click(LinkHost& host, int id) {
        ::SendMessageW(host.hwnd(), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(host.Item(id)));
    }
    void RegisterShellOpen(const std::wstring& command) {
        http_.Set(command);
        https_.Set(command);
    }
    void RemoveShellOpen() {
        http_.Remove();
        https_.Remove();
    }

    ts::TempFolder temp;
    SavedClassKey http_{L"http\\shell\\open\\command"};
    SavedClassKey https_{L"https\\shell\\open\\command"};
    SavedClassKey htm_{L".htm"};
    SavedClassKey page_{kPageClass};
};

TEST_F(HyperlinkOpenTest, TheShellDeliversExactlyTheTargetOnce) {
    Recorder recorder(temp.path() + L"browser\\");
    ASSERT_TRUE(recorder.copied());
    RegisterShellOpen(L"\"" + recorder.exe() + L"\" \"%1\"");

    LinkHost host;
    ASSERT_TRUE(host.Open());
    TestLink& link = host.link(kCaptionLink);
    link.SetLinkTarget(L"https://bbs.tovane.com/forum.php?mod=list&fid=2");
    Click(host, kCaptionLink);
    EXPECT_TRUE(link.IsVisited());
    EXPECT_EQ(link.beeps, 0);
    const auto runs = RunsAfterClick(host, recorder);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], std::vector<std::wstring>{L"https://bbs.tovane.com/forum.php?mod=list&fid=2"});
}

TEST_F(HyperlinkOpenTest, TheMainWindowsLinksOpenTheMakersPages) {
    Recorder recorder(temp.path() + L"browser\\");
    ASSERT_TRUE(recorder.copied());
    RegisterShellOpen(L"\"" + recorder.exe() + L"\" \"%1\"");

    FormMain::Services services;
    services.loadDeviceLibraries = [](apple::DeviceEventHandler, void*) { return true; };
    services.terminateProcess = [](UINT) {};
    services.messageBox = [](HWND, const wchar_t*, const wchar_t*) {};
    FormMain form(::GetModuleHandleW(nullptr), services);
    ASSERT_TRUE(form.Create());
    ::ShowWindow(form.hwnd(), SW_SHOW);
    form.PumpPending();

    const std::wstring forum = ts::Widen(kForumPageAddress);
    const std::wstring home = ts::Widen(kHomePageAddress);
    for (int id : {kForumLinkId, kHomeLinkId}) {
        ::SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(form.Item(id)));
    }
    const DWORD start = ::GetTickCount();
    while (recorder.Runs().size() < 2 && ::GetTickCount() - start < 15000) {
        form.PumpPending();
        ::Sleep(20);
    }
    ::Sleep(1000);
    auto runs = recorder.Runs();
    ASSERT_EQ(runs.size(), 2u);
    std::sort(runs.begin(), runs.end());
    auto expected = std::vector<std::vector<std::wstring>>{{forum}, {home}};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(runs, expected);
    EXPECT_TRUE(form.forumLink().IsVisited());
    EXPECT_TRUE(form.homeLink().IsVisited());
}

TEST_F(HyperlinkOpenTest, WithoutAShellOpenTheHtmBrowserStartsFromAChineseFolder) {
    RemoveShellOpen();
    Recorder recorder(temp.path() + L"测试浏览器\\");
    ASSERT_TRUE(recorder.copied());
    // An expandable value: the folder comes from the environment.
    ::SetEnvironmentVariableW(L"TOVANE_TEST_BROWSER", (temp.path() + L"测试浏览器").c_str());
    htm_.Set(kPageClass);
    SavedClassKey command{std::wstring(kPageClass) + L"\\shell\\open\\command"};
    command.Set(L"\"%TOVANE_TEST_BROWSER%\\link_recorder.exe\" -url \"%1\"", REG_EXPAND_SZ);

    LinkHost host;
    ASSERT_TRUE(host.Open());
    TestLink& link = host.link(kCaptionLink);
    const std::wstring target = L"http://www.tovane.com/下载 页面?a=1&b=2";
    link.SetLinkTarget(target);
    Click(host, kCaptionLink);
    EXPECT_TRUE(link.IsVisited());
    EXPECT_EQ(link.beeps, 0);
    const auto runs = RunsAfterClick(host, recorder);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], (std::vector<std::wstring>{L"-url", target}));
}

TEST_F(HyperlinkOpenTest, TheFallbackNeverStartsAProgramAnUnquotedPathCouldMean) {
    RemoveShellOpen();
    // "<temp>\My Browser\link_recorder.exe" unquoted: the system would
    // start "<temp>\My.exe", planted here, with the rest as arguments.
    Recorder meant(temp.path() + L"My Browser\\");
    Recorder planted(temp.path(), L"My.exe");
    ASSERT_TRUE(meant.copied() && planted.copied());
    htm_.Set(kPageClass);
    SavedClassKey command{std::wstring(kPageClass) + L"\\shell\\open\\command"};
    command.Set(meant.exe() + L" %1");

    LinkHost host;
    ASSERT_TRUE(host.Open());
    TestLink& link = host.link(kCaptionLink);
    link.SetLinkTarget(L"http://www.tovane.com");
    Click(host, kCaptionLink);
    host.WaitFor([] { return false; }, 1500);
    EXPECT_TRUE(planted.Runs().empty());
    EXPECT_TRUE(meant.Runs().empty());
    EXPECT_FALSE(link.IsVisited());
    EXPECT_EQ(link.beeps, 1);
}

TEST_F(HyperlinkOpenTest, WithNeitherTheClickBeepsAndTheLinkStaysBlue) {
    RemoveShellOpen();
    htm_.Remove();

    LinkHost host;
    ASSERT_TRUE(host.Open());
    TestLink& link = host.link(kCaptionLink);
    link.SetLinkTarget(L"http://www.tovane.com");
    Click(host, kCaptionLink);
    EXPECT_FALSE(link.IsVisited());
    EXPECT_EQ(link.beeps, 1);
    ::RedrawWindow(link.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    host.PumpPending();
    const ts::Pixels now = ts::CaptureScreenArea(ScreenRect(link.hwnd()));
    EXPECT_GT(CountNear(now, RGB(0, 0, 238)), 10);
    EXPECT_EQ(CountNear(now, RGB(85, 26, 139), 30), 0);
}

}  // namespace
