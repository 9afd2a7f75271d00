#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vn574::app {

// A rectangle on the desktop, in the window system's pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ScreenRect&) const = default;
};

// The main window as the user left it: its size and position when not maximised, whether
// it was maximised, and the widths of the grid's visible columns (grid column 1..16 ->
// pixels). Kept in mysetup.ini, section "window"; anything missing or unreadable there is
// simply not restored.
struct WindowPlacement {
    std::optional<ScreenRect> normal;
    bool maximized = false;
    std::map<int, int> columnWidths;

    static WindowPlacement load(const std::string& settingsFile);
    // False when the settings file cannot be written.
    bool save(const std::string& settingsFile) const;

    bool operator==(const WindowPlacement&) const = default;
};

// Whether a window put at `window` could be reached on one of `screens`: enough of its
// top edge, where the title bar is, lies on one screen to be grabbed. A placement saved on
// a monitor that has since gone fails this and the window keeps its usual size instead.
bool reachableOnScreens(const ScreenRect& window, const std::vector<ScreenRect>& screens);

} // namespace vn574::app
