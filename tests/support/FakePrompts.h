#pragma once

#include "app/UserPrompts.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace vn574::test {

// Scripted answers for every prompt, and a record of every text shown.
class FakePrompts : public app::UserPrompts {
public:
    struct Question {
        std::string text;
        app::Buttons buttons;
    };

    std::vector<std::string> messages;
    std::vector<app::Icon> icons;
    std::vector<Question> questions;
    std::deque<app::Answer> answers;                  // next answers to ask()
    std::deque<std::optional<std::string>> saveFiles; // next save dialogs
    std::deque<std::optional<std::string>> openFiles; // next open dialogs
    std::deque<std::optional<std::string>> passwords; // next password windows
    std::vector<std::string> saveFilters;
    std::vector<std::string> saveSuggestions; // the file each save dialog offered
    std::vector<std::string> openFilters;
    int passwordRequests = 0;

    void message(const std::string& text, app::Icon icon) override;
    app::Answer ask(const std::string& text, app::Buttons buttons) override;
    std::optional<std::string> chooseSaveFile(const std::string& filter,
                                              const std::string& suggestedFile) override;
    std::optional<std::string> chooseOpenFile(const std::string& filter) override;
    std::optional<std::string> askPassword() override;
};

} // namespace vn574::test
