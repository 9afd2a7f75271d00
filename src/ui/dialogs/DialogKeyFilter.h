#pragma once

#include <QObject>

#include "document/options/TextBoxKeyFilter.h"

class QKeyEvent;
class QLineEdit;

namespace vn574::ui {

// The key filter shared by the text boxes of every editor dialog: install one on each
// box with the characters that box accepts. Clipboard keys are swallowed, Enter moves
// the focus on as Tab would, and of the printable keys only the accepted ones (mapped to
// upper case where the box asks for it) reach the box.
class DialogKeyFilter : public QObject {
    Q_OBJECT
public:
    explicit DialogKeyFilter(document::TextBoxKeyFilter rule, QObject* parent = nullptr);

    void install(QLineEdit* box);

    // How the filter sees a key press.
    static document::KeyPress classify(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    document::TextBoxKeyFilter m_rule;
    bool m_forwarding = false;
};

} // namespace vn574::ui
