// The control gallery under test: its dialog opened in the test's own
// process under one of its two themes, a control's screen pixels read by
// control id, the solid-colour test theme's table (which picture or theme
// colour a screen colour is), and real mouse input.
//
// A test executable uses one theme: the engine holds one theme per process.
// Typical use, for a new control skin:
//
//     GalleryUnderTest gallery;                   // the test theme
//     EXPECT_EQ(gallery.NameAt(IDC_GALLERY_EDIT, 1, 1), "gallery.edit.frame.normal");
//     gallery.MoveTo(IDC_GALLERY_EDIT, 5, 5);      // the real mouse
//     EXPECT_TRUE(gallery.WaitForName(IDC_GALLERY_EDIT, 1, 1, "gallery.edit.frame.over"));
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "examples/gallery/gallery_controls.h"

namespace gallery_test {

// One line of the test theme's table (test-colours.tsv): a picture's or a
// theme colour's unique colour, kind ("picture", "colour", or "cell" for one
// cell of a sheet such as the scroll-bar picture), name and size.
struct ThemeColour {
    uint32_t rgb = 0;  // 0x00RRGGBB
    std::string kind;
    std::string name;
    int width = 0;
    int height = 0;
};

class ThemeColours {
public:
    // The table the build wrote beside the test theme.
    static const ThemeColours& Get();
    // The entry of a screen colour (exactly; the test colours lie far
    // apart), or null.
    const ThemeColour* ByColour(uint32_t rgb) const;
    // Its name; "" for a colour of none of the entries.
    std::string NameOf(uint32_t rgb) const;
    // The entry named so, or null.
    const ThemeColour* ByName(const std::string& name) const;
    // Its colour; 0xFFFFFFFF (no screen colour) when missing.
    uint32_t Of(const std::string& name) const;
    const std::vector<ThemeColour>& All() const { return entries_; }

private:
    std::vector<ThemeColour> entries_;
};

enum class GalleryTheme { Test, Showcase };

class GalleryUnderTest {
public:
    explicit GalleryUnderTest(GalleryTheme theme = GalleryTheme::Test);
    ~GalleryUnderTest();
    GalleryUnderTest(const GalleryUnderTest&) = delete;
    GalleryUnderTest& operator=(const GalleryUnderTest&) = delete;

    // False when the theme did not load or the dialog was not made.
    bool Ready() const { return dialog_ != nullptr; }
    HWND Dialog() const { return dialog_; }
    // A control by id, band children of the rebar too.
    HWND Control(int id) const;
    // The table's row of a control.
    static const GalleryControl* Row(int id);

    // The screen pixel at a client point of a control, 0x00RRGGBB.
    uint32_t Pixel(int id, int x, int y) const;
    // The test theme's name for what the screen shows there; "" when it
    // is none of the theme's pictures or colours.
    std::string NameAt(int id, int x, int y) const;
    // Pumps messages until NameAt gives `name` or `ms` pass.
    bool WaitForName(int id, int x, int y, const std::string& name, DWORD ms = 2000) const;
    // The client rectangle of a control.
    RECT ClientRect(int id) const;
    // A point of the dialog's client area that no control covers.
    POINT EmptyDialogPoint() const;

    // Repaints a control now (invalidate, update, pump).
    void Repaint(int id) const;
    // Real mouse input, through the system's input queue.
    void MoveTo(int id, int x, int y) const;
    void Press() const;
    void Release() const;
    void Click(int id, int x, int y) const;
    void MoveAway() const;

    // The dialog as the screen shows it, as a PNG.
    bool SaveScreenshot(const std::string& path) const;
    // The same as <suite>_<test>.png beside the test executable, for the
    // reader of a failure; the path, or "" when it could not be written.
    std::string SaveFailureScreenshot() const;

private:
    HWND dialog_ = nullptr;
};

// Whether any pixel of the client rectangle `area` of `window` shows `rgb`
// (0x00RRGGBB) on the screen.
bool AreaShows(HWND window, RECT area, uint32_t rgb);

// The test theme's name for what the screen shows at a client point of any
// window (a control's part, a window outside the table).
std::string ClientNameAt(HWND window, int x, int y);

}  // namespace gallery_test
