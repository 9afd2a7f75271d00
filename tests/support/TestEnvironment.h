#pragma once

#include "app/ProcessSettings.h"
#include "document/Editor.h"
#include "support/FakePrompts.h"
#include "support/TempDir.h"

#include <string>

namespace vn574::test {

// The language folder of the source tree.
std::string languageFolder();

// A started editor as the main window has it after loading: settings in a temporary
// folder, the English (or given) language file, the option flags given, model 9 selected
// and the document reset.
struct EditorFixture {
    explicit EditorFixture(const std::string& languageFile = "english.ini",
                           app::OptionFlags flags = {});

    TempDir dir;
    app::ProcessSettings settings;
    FakePrompts prompts;
    document::Editor editor;
};

} // namespace vn574::test
