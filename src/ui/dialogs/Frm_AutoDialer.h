#pragma once

#include <QDialog>

#include "document/options/AutoDialer.h"

#include <array>

class QLineEdit;

namespace vn574::document {
class Editor;
}

namespace vn574::ui {

// The auto dialer dialog: the nine dial strings M1..M9, checked on every change, and
// written into the document's auto dialer record on OK.
class Frm_AutoDialer : public QDialog {
    Q_OBJECT
public:
    explicit Frm_AutoDialer(document::Editor& editor, QWidget* parent = nullptr);

    // Text1..Text9 as box(0)..box(8).
    [[nodiscard]] QLineEdit* box(int k) const { return m_boxes.at(static_cast<std::size_t>(k)); }

private:
    void boxChanged(int k);
    void commandOk();

    document::Editor& m_editor;
    document::AutoDialer m_dialer;
    std::array<QLineEdit*, document::AutoDialer::memoryCount> m_boxes{};
    bool m_checking = false;
};

} // namespace vn574::ui
