#include "gallery/gallery_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "examples/gallery/gallery_dialog.h"
#include "skin/skin_test_dialog.h"
#include "skin/windows/skin_api_win32.h"
#include "support/win_test_support.h"

namespace gallery_test {

const ThemeColours& ThemeColours::Get() {
    static const ThemeColours table = [] {
        ThemeColours t;
        std::ifstream in(TOVANE_GALLERY_COLOURS);
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream fields(line);
            ThemeColour c;
            std::string hex;
            if (!(fields >> hex >> c.kind >> c.name >> c.width >> c.height)) continue;
            c.rgb = static_cast<uint32_t>(std::stoul(hex, nullptr, 16));
            t.entries_.push_back(c);
        }
        return t;
    }();
    return table;
}

std::string ThemeColours::NameOf(uint32_t rgb) const {
    const ThemeColour* c = ByColour(rgb);
    return c ? c->name : std::string();
}

const ThemeColour* ThemeColours::ByColour(uint32_t rgb) const {
    for (const ThemeColour& c : entries_)
        if (c.rgb == rgb) return &c;
    return nullptr;
}

const ThemeColour* ThemeColours::ByName(const std::string& name) const {
    for (const ThemeColour& c : entries_)
        if (c.name == name) return &c;
    return nullptr;
}

uint32_t ThemeColours::Of(const std::string& name) const {
    const ThemeColour* c = ByName(name);
    return c ? c->rgb : 0xFFFFFFFFu;
}

namespace {

// The engine holds one theme per process: the first fixture loads it.
bool LoadTheme(GalleryTheme theme) {
    static const GalleryTheme loadedTheme = theme;
    static const bool loaded =
        LoadSkinResource(L"DATA", theme == GalleryTheme::Test ? IDR_THEME_TEST : IDR_THEME_SHOWCASE, nullptr) == 1;
    return loaded && loadedTheme == theme;
}

}  // namespace

GalleryUnderTest::GalleryUnderTest(GalleryTheme theme) {
    if (!LoadTheme(theme)) return;
    GalleryOptions options;
    options.themeName = theme == GalleryTheme::Test ? L"test" : L"showcase";
    dialog_ = GalleryCreate(::GetModuleHandleW(nullptr), options, false);
    if (!dialog_) return;
    ::SetWindowPos(dialog_, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetForegroundWindow(dialog_);
    ::SetActiveWindow(dialog_);
    ::RedrawWindow(dialog_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    skin_test::Pump(100);
}

GalleryUnderTest::~GalleryUnderTest() {
    if (dialog_ && ::IsWindow(dialog_)) ::DestroyWindow(dialog_);
    skin_test::Pump(20);
}

const GalleryControl* GalleryUnderTest::Row(int id) {
    for (const GalleryControl& c : kGalleryControls)
        if (c.id == id) return &c;
    return nullptr;
}

HWND GalleryUnderTest::Control(int id) const {
    const GalleryControl* row = Row(id);
    HWND parent = row && row->inRebar ? ::GetDlgItem(dialog_, IDC_GALLERY_REBAR) : dialog_;
    return parent ? ::GetDlgItem(parent, id) : nullptr;
}

uint32_t GalleryUnderTest::Pixel(int id, int x, int y) const {
    HWND control = Control(id);
    return control ? skin_test::ClientPixel(control, x, y) : 0xFFFFFFFFu;
}

std::string GalleryUnderTest::NameAt(int id, int x, int y) const { return ThemeColours::Get().NameOf(Pixel(id, x, y)); }

std::string ClientNameAt(HWND window, int x, int y) {
    return ThemeColours::Get().NameOf(skin_test::ClientPixel(window, x, y));
}

bool GalleryUnderTest::WaitForName(int id, int x, int y, const std::string& name, DWORD ms) const {
    return skin_test::PumpUntil([&] { return NameAt(id, x, y) == name; }, ms);
}

RECT GalleryUnderTest::ClientRect(int id) const {
    RECT r{};
    if (HWND control = Control(id)) ::GetClientRect(control, &r);
    return r;
}

POINT GalleryUnderTest::EmptyDialogPoint() const {
    RECT client{};
    ::GetClientRect(dialog_, &client);
    // Every point of a 7 x 7 square free of children, so a pixel read
    // there is the dialog's own.
    for (int y = client.bottom / 3; y < client.bottom - 3; y += 4) {
        for (int x = 3; x < client.right - 3; x += 4) {
            bool free = true;
            for (int dy = -3; dy <= 3 && free; dy += 3)
                for (int dx = -3; dx <= 3 && free; dx += 3)
                    free = ::ChildWindowFromPointEx(dialog_, POINT{x + dx, y + dy}, CWP_ALL) == dialog_;
            if (free) return POINT{x, y};
        }
    }
    return POINT{-1, -1};
}

void GalleryUnderTest::Repaint(int id) const {
    HWND control = Control(id);
    ::InvalidateRect(control, nullptr, FALSE);
    ::UpdateWindow(control);
    skin_test::Pump(30);
}

void GalleryUnderTest::MoveTo(int id, int x, int y) const { skin_test::MoveMouseTo(Control(id), x, y); }
void GalleryUnderTest::Press() const { skin_test::MouseDown(); }
void GalleryUnderTest::Release() const { skin_test::MouseUp(); }
void GalleryUnderTest::MoveAway() const { skin_test::MoveMouseAway(); }

void GalleryUnderTest::Click(int id, int x, int y) const {
    MoveTo(id, x, y);
    Press();
    Release();
}

bool GalleryUnderTest::SaveScreenshot(const std::string& path) const {
    RECT r{};
    ::GetWindowRect(dialog_, &r);
    return testing_support::WritePng(testing_support::CaptureScreenArea(r), path);
}

}  // namespace gallery_test

namespace gallery_test {

std::string GalleryUnderTest::SaveFailureScreenshot() const {
    wchar_t exe[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder(exe, n);
    folder = folder.substr(0, folder.find_last_of(L"\\/") + 1);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "_" + info->name() : "gallery";
    std::string path = testing_support::Narrow(folder) + name + ".png";
    return SaveScreenshot(path) ? path : std::string();
}

bool AreaShows(HWND window, RECT area, uint32_t rgb) {
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    testing_support::Pixels pixels = testing_support::CaptureScreenArea(area);
    for (uint32_t p : pixels.data)
        if (p == rgb) return true;
    return false;
}

}  // namespace gallery_test
