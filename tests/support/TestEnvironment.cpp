#include "support/TestEnvironment.h"

namespace vn574::test {

std::string languageFolder() {
    return VN574_LANGUAGE_DIR;
}

EditorFixture::EditorFixture(const std::string& languageFile, app::OptionFlags flags)
    : editor(settings, prompts) {
    settings.paths.languageFolder = languageFolder();
    settings.paths.settingsFolder = dir.path();
    settings.language = app::Language(languageFolder(), languageFile);
    settings.optionFlags = flags;
    editor.load();
}

} // namespace vn574::test
