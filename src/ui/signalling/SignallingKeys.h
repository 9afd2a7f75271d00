#pragma once

#include <QObject>

#include <functional>

class QLineEdit;

namespace vn574::ui::signalling {

// The key rules of the signalling dialogs' text boxes: copy, paste and cut are
// discarded (typed text is the only way in, so the character rules below cannot be
// bypassed), Enter moves to the next control, control keys such as backspace pass, and
// only the characters of the box's kind are accepted, lower case turned upper where the
// kind says so.
class SignallingKeyFilter : public QObject {
public:
    enum class Accept {
        Digits,    // 0-9
        HexCode,   // 0-9, A-F (a-f become upper case)
        SpecialId, // 0-9 and A (a becomes A)
        Message,   // 0-9, A-Z (a-z become upper case)
    };

    SignallingKeyFilter(Accept accept, QObject* parent);

    // Installs a filter on `edit` and takes away the ways around it (context menu, drops).
    static void install(QLineEdit* edit, Accept accept);

    // The character a typed character becomes, or 0 when it is refused.
    static QChar accepted(Accept accept, QChar typed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Accept m_accept;
};

// Calls `left` whenever `widget` loses the focus to another control of its own window.
// Focus lost to another window (a message box, a list's popup) is no leaving: the
// control gets the focus back when that window closes.
void onFocusLeft(QWidget* widget, std::function<void()> left);

} // namespace vn574::ui::signalling
