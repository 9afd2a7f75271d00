#include "cli/CliPrompts.h"

#include <iostream>
#include <utility>

namespace vn574::cli {
namespace {

std::optional<std::string> takeOnce(std::optional<std::string>& slot) {
    return std::exchange(slot, std::nullopt);
}

const char* answerName(app::Answer answer) {
    switch (answer) {
    case app::Answer::Ok:
        return "OK";
    case app::Answer::Cancel:
        return "Cancel";
    case app::Answer::Yes:
        return "Yes";
    case app::Answer::No:
        return "No";
    }
    return "";
}

} // namespace

void CliPrompts::message(const std::string& text, app::Icon /*icon*/) {
    ++m_messages;
    std::cerr << "vn574-cli: " << text << '\n';
}

app::Answer CliPrompts::ask(const std::string& text, app::Buttons buttons) {
    app::Answer answer = app::Answer::No;
    switch (buttons) {
    case app::Buttons::Ok:
        answer = app::Answer::Ok;
        break;
    case app::Buttons::OkCancel:
        answer = app::Answer::Cancel;
        break;
    case app::Buttons::YesNo:
    case app::Buttons::YesNoCancel:
        answer = app::Answer::No;
        break;
    }
    std::cerr << "vn574-cli: " << text << " [answered " << answerName(answer) << "]\n";
    return answer;
}

std::optional<std::string> CliPrompts::chooseSaveFile(const std::string& /*filter*/,
                                                      const std::string& /*suggestedFile*/) {
    return takeOnce(nextSaveFile);
}

std::optional<std::string> CliPrompts::chooseOpenFile(const std::string& /*filter*/) {
    return takeOnce(nextOpenFile);
}

std::optional<std::string> CliPrompts::askPassword() {
    return takeOnce(password);
}

} // namespace vn574::cli
