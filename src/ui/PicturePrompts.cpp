#include "ui/PicturePrompts.h"

#include <cstdio>

namespace vn574::ui {

void PicturePrompts::message(const std::string& text, app::Icon /*icon*/) {
    std::fprintf(stderr, "vn574: %s\n", text.c_str());
}

app::Answer PicturePrompts::ask(const std::string& text, app::Buttons buttons) {
    std::fprintf(stderr, "vn574: %s\n", text.c_str());
    switch (buttons) {
    case app::Buttons::Ok:
        return app::Answer::Ok;
    case app::Buttons::OkCancel:
    case app::Buttons::YesNoCancel:
        return app::Answer::Cancel;
    case app::Buttons::YesNo:
        break;
    }
    return app::Answer::No;
}

std::optional<std::string> PicturePrompts::chooseSaveFile(const std::string& /*filter*/,
                                                          const std::string& /*suggestedFile*/) {
    return std::nullopt;
}

std::optional<std::string> PicturePrompts::chooseOpenFile(const std::string& /*filter*/) {
    return std::nullopt;
}

std::optional<std::string> PicturePrompts::askPassword() {
    return std::nullopt;
}

} // namespace vn574::ui
