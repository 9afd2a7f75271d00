#pragma once

#include <string>
#include <string_view>

namespace vn574::document {

// One key press in a dialog's text box, as the key filter sees it. The front end sorts
// the press into one of these kinds; the filter decides what happens to it.
struct KeyPress {
    enum class Kind {
        Enter,     // Return or keypad Enter
        Clipboard, // Ctrl+C, Ctrl+V, Ctrl+X (and the platform's other copy/cut/paste keys)
        Text,      // a key that types `text`
        Control,   // anything that types nothing printable: backspace, arrows, Ctrl+A ...
    };
    Kind kind = Kind::Control;
    std::string text; // what a Text press types
};

struct KeyDecision {
    enum class Action {
        Discard,   // the press is swallowed
        FocusNext, // the focus moves on to the next control
        Pass,      // the text box handles the press as usual
        Type,      // the box types `text` instead of what the key would have typed
    };
    Action action = Action::Pass;
    std::string text;

    bool operator==(const KeyDecision&) const = default;
};

// The key filter that every editor dialog's text boxes share: the clipboard keys are
// discarded so nothing unchecked reaches a box that way, Enter moves on to the next
// control, control keys pass, and of the printable characters only the box's own set
// is accepted. A box may map lower-case letters to upper case before the check.
class TextBoxKeyFilter {
public:
    enum class Case { AsTyped, Upper };

    explicit TextBoxKeyFilter(std::string accepted, Case mapping = Case::AsTyped);

    [[nodiscard]] KeyDecision decide(const KeyPress& press) const;

    // Whether `c`, after the case mapping, may be typed.
    [[nodiscard]] bool accepts(char c) const;
    [[nodiscard]] char mapped(char c) const;

private:
    std::string m_accepted;
    Case m_mapping;
};

} // namespace vn574::document
