#pragma once

#include "app/UserPrompts.h"

#include <optional>
#include <string>

namespace vn574::cli {

// The command line has nobody to ask. Messages go to stderr; questions are printed with
// the answer given, which never saves anything the command line did not name and never
// waits: "No" to Yes/No and Yes/No/Cancel questions (a save-first question discards),
// "Cancel" to OK/Cancel questions (no printing, no save before an open), "OK" to an
// OK-only box. File dialogs return the name a command has set, else they are cancelled;
// the password window returns the password a command has set, else it is cancelled.
class CliPrompts : public app::UserPrompts {
public:
    void message(const std::string& text, app::Icon icon) override;
    app::Answer ask(const std::string& text, app::Buttons buttons) override;
    std::optional<std::string> chooseSaveFile(const std::string& filter,
                                              const std::string& suggestedFile) override;
    std::optional<std::string> chooseOpenFile(const std::string& filter) override;
    std::optional<std::string> askPassword() override;

    // Answers for the next dialog of each kind; each is used once.
    std::optional<std::string> nextSaveFile;
    std::optional<std::string> nextOpenFile;
    std::optional<std::string> password;

    [[nodiscard]] int messageCount() const { return m_messages; }

private:
    int m_messages = 0;
};

} // namespace vn574::cli
