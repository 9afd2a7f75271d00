#pragma once

#include <optional>
#include <string>

namespace vn574::app {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
enum class Icon { Information, Warning, Error, Question };

// Every message, question and file or password window of the program goes through
// this interface: the Qt front end shows real dialogs, the command-line tool answers
// without asking, and tests script the answers and record the texts.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    virtual void message(const std::string& text, Icon icon = Icon::Information) = 0;
    virtual Answer ask(const std::string& text, Buttons buttons) = 0;
    // A question whose answer is an action: a button named `action` (Yes) beside Close
    // (No). Where no such button can be shown, the Yes/No question.
    virtual Answer askAction(const std::string& text, const std::string& action) {
        (void)action;
        return ask(text, Buttons::YesNo);
    }

    // filter: "name (*.ext)|*.ext|All files (*.*)|*.*" as the dialogs have always used.
    // suggestedFile: the path the save dialog offers ("" offers no name).
    virtual std::optional<std::string> chooseSaveFile(const std::string& filter,
                                                      const std::string& suggestedFile) = 0;
    virtual std::optional<std::string> chooseOpenFile(const std::string& filter) = 0;

    virtual std::optional<std::string> askPassword() = 0;
};

} // namespace vn574::app
