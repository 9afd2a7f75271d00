#include "app/WindowPlacement.h"

#include "app/IniFile.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace vn574::app {
namespace {

constexpr const char* section = "window";
constexpr int firstColumn = 1;
constexpr int lastColumn = 16;
// Sizes beyond any screen are damage in the file, not a user's choice.
constexpr int largestSize = 100000;
// How much of the top edge must lie on a screen: enough to grab the title bar.
constexpr int grabWidth = 100;
constexpr int grabHeight = 20;

std::optional<int> number(const std::string& file, const std::string& key) {
    const std::string text = IniFile::readString(file, section, key);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool validSize(int size) {
    return size > 0 && size <= largestSize;
}

std::string columnKey(int column) {
    return "Column" + std::to_string(column);
}

} // namespace

WindowPlacement WindowPlacement::load(const std::string& settingsFile) {
    WindowPlacement placement;
    const auto x = number(settingsFile, "X");
    const auto y = number(settingsFile, "Y");
    const auto width = number(settingsFile, "Width");
    const auto height = number(settingsFile, "Height");
    if (x && y && width && height && validSize(*width) && validSize(*height)) {
        placement.normal = ScreenRect{*x, *y, *width, *height};
    }
    placement.maximized = number(settingsFile, "Maximized").value_or(0) == 1;
    for (int column = firstColumn; column <= lastColumn; ++column) {
        const auto width = number(settingsFile, columnKey(column));
        if (width && validSize(*width)) {
            placement.columnWidths[column] = *width;
        }
    }
    return placement;
}

bool WindowPlacement::save(const std::string& settingsFile) const {
    std::vector<std::pair<std::string, std::string>> entries;
    if (normal) {
        entries.emplace_back("X", std::to_string(normal->x));
        entries.emplace_back("Y", std::to_string(normal->y));
        entries.emplace_back("Width", std::to_string(normal->width));
        entries.emplace_back("Height", std::to_string(normal->height));
    }
    entries.emplace_back("Maximized", maximized ? "1" : "0");
    for (const auto& [column, width] : columnWidths) {
        if (column >= firstColumn && column <= lastColumn) {
            entries.emplace_back(columnKey(column), std::to_string(width));
        }
    }
    return IniFile::writeStrings(settingsFile, section, entries);
}

bool reachableOnScreens(const ScreenRect& window, const std::vector<ScreenRect>& screens) {
    const int needWidth = std::min(grabWidth, window.width);
    const int needHeight = std::min(grabHeight, window.height);
    return std::any_of(screens.begin(), screens.end(), [&](const ScreenRect& screen) {
        const int left = std::max(window.x, screen.x);
        const int right = std::min(window.x + window.width, screen.x + screen.width);
        const int top = std::max(window.y, screen.y);
        const int bottom = std::min(window.y + needHeight, screen.y + screen.height);
        return right - left >= needWidth && bottom - top >= needHeight;
    });
}

} // namespace vn574::app
