// Benchmark (under Wine): start-up of the installer to its first skinned
// paint beside a minimal dialog program (one dialog from a template with one
// button), both measured the same way from outside: the process is started,
// and the screen's device context is polled until the program's window is
// visible and shows its painted content (the installer: the status button's
// warning face; the minimal dialog: its button's face and dark lower edge);
// then the process is ended. The installer runs against the device
// simulator with no device attached, so it does not stop at its "提示" box.
// The installer also starts on a display of 144 DPI (150 %): under Wine a
// program takes the display's DPI from the prefix's LogPixels when it
// starts, so the value is set for those starts and put back after each.
// The programs take turns; each figure is the median of its runs.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "common/win_handles.h"
#include "image/picture.h"
#include "support/win_test_support.h"

namespace ts = testing_support;

namespace {

constexpr int kRuns = 15;  // each program, after one start not counted
constexpr double kTimeoutMs = 30000;
constexpr int kInstallerStatusId = 1003;
// A point of the status button away from its centred text.
constexpr int kFaceX = 8, kFaceY = 21;

uint32_t ScreenPixel(HDC screen, int x, int y) {
    COLORREF c = ::GetPixel(screen, x, y);
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        int d = static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF);
        if (std::abs(d) > tolerance) return false;
    }
    return true;
}

int Brightness(uint32_t c) { return static_cast<int>((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF)) / 3; }

// The visible dialog of the process, if there is one yet.
HWND VisibleDialogOf(DWORD processId) {
    struct Search {
        DWORD id;
        HWND found;
    } search{processId, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            wchar_t cls[16] = {};
            ::GetClassNameW(window, cls, 16);
            if (owner != s->id || !::IsWindowVisible(window) || std::wstring(cls) != L"#32770") return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Program {
    const char* name;
    std::wstring exe;
    // True once the screen shows the window's painted content.
    bool (*painted)(HDC screen, HWND dialog, uint32_t face);
    uint32_t face;  // the colour the check looks for, 0x00RRGGBB
    std::vector<double> visibleMs, paintedMs;
    int dpi = 0;  // the display's DPI for the program's starts; 0 leaves the prefix's
};

// The display's DPI as the programs started from now on see it (the user's
// LogPixels), put back as it was when the scope ends.
class DisplayDpi {
public:
    explicit DisplayDpi(int dpi) {
        if (dpi <= 0 || ::RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0,
                                        KEY_QUERY_VALUE | KEY_SET_VALUE, key_.receive()) != ERROR_SUCCESS) {
            return;
        }
        DWORD size = sizeof old_;
        had_ = ::RegQueryValueExW(key_.get(), L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
               ERROR_SUCCESS;
        const DWORD value = static_cast<DWORD>(dpi);
        set_ = ::RegSetValueExW(key_.get(), L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                sizeof value) == ERROR_SUCCESS;
    }
    ~DisplayDpi() {
        if (!set_) return;
        if (had_)
            ::RegSetValueExW(key_.get(), L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
        else
            ::RegDeleteValueW(key_.get(), L"LogPixels");
    }
    DisplayDpi(const DisplayDpi&) = delete;
    DisplayDpi& operator=(const DisplayDpi&) = delete;

private:
    win::ScopedRegKey key_;
    DWORD old_ = 0;
    bool had_ = false, set_ = false;
};

bool InstallerPainted(HDC screen, HWND dialog, uint32_t face) {
    HWND status = ::GetDlgItem(dialog, kInstallerStatusId);
    RECT r{};
    if (!status || !::GetWindowRect(status, &r) || r.right - r.left < 399) return false;
    // The point of the face at the window's scale (399 pixels wide at 96 DPI).
    const double scale = (r.right - r.left) / 399.0;
    return Near(
        ScreenPixel(screen, r.left + static_cast<int>(kFaceX * scale), r.top + static_cast<int>(kFaceY * scale)), face,
        16);
}

// The button's face (even, near the system's face colour, left of its
// centred caption) and its 3D edge, clearly darker, along the lower side.
bool MinimalPainted(HDC screen, HWND dialog, uint32_t face) {
    HWND button = ::GetDlgItem(dialog, IDOK);
    RECT r{};
    if (!button || !::GetWindowRect(button, &r)) return false;
    const int y = (r.top + r.bottom) / 2;
    const uint32_t seen = ScreenPixel(screen, r.left + 10, y);
    if (!Near(seen, face, 16)) return false;
    for (int x : {8, 12, 16})
        if (ScreenPixel(screen, r.left + x, y) != seen) return false;
    int darkest = 255;
    for (int row = r.bottom - 4; row < r.bottom; ++row)
        darkest = std::min(darkest, Brightness(ScreenPixel(screen, r.left + 10, row)));
    return darkest + 64 <= Brightness(seen);
}

// True when the installer's status button has its width at `dpi`.
bool AtDpi(HWND dialog, int dpi) {
    RECT r{};
    HWND status = ::GetDlgItem(dialog, kInstallerStatusId);
    return status && ::GetWindowRect(status, &r) && std::abs((r.right - r.left) - 399 * dpi / 96) <= 2;
}

// One start: false when the window did not show its content in time.
bool StartOnce(Program& p, HDC screen) {
    LARGE_INTEGER frequency, start, now;
    ::QueryPerformanceFrequency(&frequency);
    auto elapsed = [&] {
        ::QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
    };
    double visible = -1, painted = -1;
    {
        DisplayDpi display(p.dpi);
        ts::ChildProcess child;  // ended on destruction
        ::QueryPerformanceCounter(&start);
        if (!child.Start(p.exe)) return false;
        while (elapsed() < kTimeoutMs) {
            if (HWND dialog = VisibleDialogOf(child.id())) {
                if (visible < 0) visible = elapsed();
                if (p.painted(screen, dialog, p.face)) {
                    painted = elapsed();
                    if (p.dpi > 0 && !AtDpi(dialog, p.dpi)) {
                        std::fprintf(stderr, "%s: the window is not laid out for %d DPI\n", p.name, p.dpi);
                        return false;
                    }
                    break;
                }
            }
            ::Sleep(2);
        }
    }
    ::Sleep(400);  // the screen clears before the next start
    if (painted < 0) {
        std::fprintf(stderr, "%s: %s within %.0f s\n", p.name,
                     visible < 0 ? "no visible window" : "the window never showed its painted content",
                     kTimeoutMs / 1000);
        return false;
    }
    p.visibleMs.push_back(visible);
    p.paintedMs.push_back(painted);
    return true;
}

uint32_t WarningFaceColor() {
    std::ifstream in(TOVANE_SOURCE_DIR "/res/skin/skin/warning.png", std::ios::binary);
    if (!in) in.open("Z:" TOVANE_SOURCE_DIR "/res/skin/skin/warning.png", std::ios::binary);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    tovane::Picture picture = tovane::DecodePng(file.data(), file.size());
    if (picture.Empty() || picture.width != 399 || picture.height != 42 || picture.Alpha(kFaceX, kFaceY) != 255)
        return 0xFFFFFFFF;
    const uint8_t* px = picture.Row(kFaceY) + kFaceX * 4;
    return static_cast<uint32_t>(px[2]) << 16 | static_cast<uint32_t>(px[1]) << 8 | px[0];
}

}  // namespace

int main() {
    const uint32_t warning = WarningFaceColor();
    if (warning == 0xFFFFFFFF) {
        std::fprintf(stderr, "the warning face picture is missing or not opaque at the checked point\n");
        return 1;
    }
    const COLORREF buttonFace = ::GetSysColor(COLOR_BTNFACE);

    // The simulated device libraries where the installer looks for Apple's,
    // and an empty device folder, so the window stays up waiting.
    ts::AppleRegistry registry;
    const std::wstring devsim = ts::ToWindowsPath(DEVSIM_DIR) + L"\\";
    registry.Set(devsim + L"iTunesMobileDevice.dll", devsim);
    ts::TempFolder root;
    ::SetEnvironmentVariableW(L"DEVSIM_ROOT", root.path().c_str());
    ::CreateDirectoryW((root.path() + L"devices").c_str(), nullptr);

    Program installer{"installer", ts::ToWindowsPath(TOVANE_EXE), &InstallerPainted, warning, {}, {}};
    Program installer150{"installer 150 %", ts::ToWindowsPath(TOVANE_EXE), &InstallerPainted, warning, {}, {}, 144};
    Program minimal{"minimal dialog",
                    ts::ToWindowsPath(MINIMAL_DIALOG_EXE),
                    &MinimalPainted,
                    (buttonFace & 0xFF) << 16 | (buttonFace & 0xFF00) | (buttonFace >> 16 & 0xFF),
                    {},
                    {}};
    HDC screen = ::GetDC(nullptr);
    bool ok = true;
    for (int run = 0; run <= kRuns && ok; ++run) {
        for (Program* p : {&minimal, &installer, &installer150}) {
            if (!StartOnce(*p, screen)) {
                ok = false;
                break;
            }
            if (run == 0) p->visibleMs.clear(), p->paintedMs.clear();  // the start that fills the caches
        }
    }
    ::ReleaseDC(nullptr, screen);
    if (!ok) return 1;

    for (const Program* p : {&installer, &installer150, &minimal})
        std::printf("%-15s window visible %7.1f ms, painted %7.1f ms (median of %d; fastest %.1f, slowest %.1f)\n",
                    p->name, Median(p->visibleMs), Median(p->paintedMs), static_cast<int>(p->paintedMs.size()),
                    *std::min_element(p->paintedMs.begin(), p->paintedMs.end()),
                    *std::max_element(p->paintedMs.begin(), p->paintedMs.end()));
    const auto fastest = [](const Program& p) { return *std::min_element(p.paintedMs.begin(), p.paintedMs.end()); };
    std::printf("start-up to the first painted window: installer / minimal dialog = %.2fx (fastest runs: %.2fx)\n",
                Median(installer.paintedMs) / Median(minimal.paintedMs), fastest(installer) / fastest(minimal));
    std::printf("start-up to the first painted window: installer at 144 / 96 DPI = %.2fx (fastest runs: %.2fx)\n",
                Median(installer150.paintedMs) / Median(installer.paintedMs),
                fastest(installer150) / fastest(installer));
    return 0;
}
