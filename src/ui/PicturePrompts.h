#pragma once

#include "app/UserPrompts.h"

namespace vn574::ui {

// The prompts while the main window is only drawn into a picture (--screenshot): nobody
// is there to answer, so messages go to the error output and every question takes its
// cautious answer, as the command-line tool does.
class PicturePrompts final : public app::UserPrompts {
public:
    void message(const std::string& text, app::Icon icon) override;
    app::Answer ask(const std::string& text, app::Buttons buttons) override;
    std::optional<std::string> chooseSaveFile(const std::string& filter,
                                              const std::string& suggestedFile) override;
    std::optional<std::string> chooseOpenFile(const std::string& filter) override;
    std::optional<std::string> askPassword() override;
};

} // namespace vn574::ui
