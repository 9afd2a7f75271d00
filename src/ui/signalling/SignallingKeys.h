#pragma once

#include <QObject>

#include <functional>

class QLineEdit;

namespace vn574::ui::signalling {

// The character sets of the signalling dialogs' text boxes, installed through the
// key filter every editor dialog shares.
class SignallingKeyFilter {
public:
    enum class Accept {
        Digits,    // 0-9
        HexCode,   // 0-9, A-F (a-f become upper case)
        SpecialId, // 0-9 and A (a becomes A)
        Message,   // 0-9, A-Z (a-z become upper case)
    };

    // Installs the filter on `edit` and takes away the ways around it (context menu, drops).
    static void install(QLineEdit* edit, Accept accept);
};

// Calls `left` whenever `widget` loses the focus to another control of its own window.
// Focus lost to another window (a message box, a list's popup) is no leaving: the
// control gets the focus back when that window closes.
void onFocusLeft(QWidget* widget, std::function<void()> left);

} // namespace vn574::ui::signalling
