// What the fuzz targets share: an editor as the main window has it after loading, with
// prompts that answer every question the cautious way and never block.
#pragma once

#include "app/ProcessSettings.h"
#include "app/UserPrompts.h"
#include "document/Editor.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

namespace vn574::fuzz {

class QuietPrompts final : public app::UserPrompts {
public:
    void message(const std::string& /*text*/, app::Icon /*icon*/) override { ++messages; }
    app::Answer ask(const std::string& /*text*/, app::Buttons buttons) override {
        return buttons == app::Buttons::Ok || buttons == app::Buttons::OkCancel
                   ? app::Answer::Cancel
                   : app::Answer::No;
    }
    std::optional<std::string> chooseSaveFile(const std::string& /*filter*/,
                                              const std::string& /*suggestedFile*/) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseOpenFile(const std::string& /*filter*/) override {
        return std::nullopt;
    }
    std::optional<std::string> askPassword() override { return password; }

    int messages = 0;
    std::optional<std::string> password;
};

// A folder of this process for the files a target writes; removed at exit.
inline const std::string& scratchFolder() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vn574-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        static const std::string removeAtExit = pattern;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(removeAtExit, ignored);
        });
        return pattern;
    }();
    return folder;
}

// The editor after loading with the English texts and model 9, as in the program.
struct LoadedEditor {
    LoadedEditor() : editor(settings, prompts) {
        settings.paths.languageFolder = VN574_LANGUAGE_DIR;
        settings.paths.settingsFolder = scratchFolder();
        settings.language = app::Language(VN574_LANGUAGE_DIR, "english.ini");
        settings.commPort = "ttyUSB0";
        editor.load();
    }

    app::ProcessSettings settings;
    QuietPrompts prompts;
    document::Editor editor;
};

} // namespace vn574::fuzz
