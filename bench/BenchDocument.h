#pragma once

// A document with every channel in use and every signalling record filled: the worst
// case for the editor's whole-document operations.
#include "app/ProcessSettings.h"
#include "app/UserPrompts.h"
#include "document/Editor.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vn574::bench {

// The fastest repetition: on a shared machine the median carries the neighbours' load,
// the fastest run comes nearest to the operation's own cost.
inline double fastest(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

class SilentPrompts : public app::UserPrompts {
public:
    void message(const std::string& /*text*/, app::Icon /*icon*/) override {}
    app::Answer ask(const std::string& /*text*/, app::Buttons /*buttons*/) override {
        return app::Answer::No;
    }
    std::optional<std::string> chooseSaveFile(const std::string& /*filter*/,
                                              const std::string& /*suggestedFile*/) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseOpenFile(const std::string& /*filter*/) override {
        return std::nullopt;
    }
    std::optional<std::string> askPassword() override { return std::nullopt; }
};

// Every channel in use with name, tones and 5-tone signalling; every signalling record
// filled.
inline void fillDocument(document::Editor& editor) {
    editor.selectModel(2);
    for (int row = 1; row <= 102; ++row) {
        editor.setActiveStatus(row);
        editor.InitialSingleLine(row);
        editor.setCell(row, document::colName, "CH" + std::to_string(row));
        editor.setCell(row, document::colTxFreq, "144.41250");
        editor.setCell(row, document::colRxTone, "C:88.5");
        editor.setCell(row, document::colTxTone, "D:023N");
        editor.setCell(row, document::colOptSignal, "5Tone");
    }
    editor.UpdateAllArray();
    auto& tone = editor.document().toneData;
    for (auto& memory : tone.fiveToneMem) {
        memory.code = "1E2E3E4E5E";
        memory.codeLen = 10;
    }
    for (auto& memory : tone.twoToneMem) {
        memory = {3, 153, 3, 153, 6, 6};
    }
    editor.document().strAutoDial = "Ad|0123456789ABCD*#|1|2|3|4|5|6|7|8|";
}

// Settings as the program has them, with the English texts and every option installed.
inline void benchSettings(app::ProcessSettings& settings) {
    settings.paths.languageFolder = VN574_LANGUAGE_DIR;
    settings.paths.settingsFolder = std::filesystem::temp_directory_path().string();
    settings.language = app::Language(VN574_LANGUAGE_DIR, "english.ini");
    settings.optionFlags = app::OptionFlags::fromFeatureByte(0xE0);
}

struct BenchDocument {
    BenchDocument() : editor(settings, prompts) {
        benchSettings(settings);
        editor.load();
        fillDocument(editor);
    }

    app::ProcessSettings settings;
    SilentPrompts prompts;
    document::Editor editor;
};

} // namespace vn574::bench
