#pragma once

#include <QDialog>

#include "document/options/RadioOptions.h"

#include <array>

class QCheckBox;
class QComboBox;
class QWidget;

namespace vn574::document {
class Editor;
}

namespace vn574::ui {

// The radio option dialog: one list or check box per option of the document's option
// record. The widgets only show RadioOptions; every choice goes to it, and OK writes its
// record into the document.
class Frm_Option : public QDialog {
    Q_OBJECT
public:
    explicit Frm_Option(document::Editor& editor, QWidget* parent = nullptr);

    // The control of option 1..27 (a QComboBox or a QCheckBox), named as the option.
    [[nodiscard]] QWidget* control(int option) const;
    [[nodiscard]] const document::RadioOptions& options() const { return m_options; }

private:
    void buildControls();
    void choose(int option, int item);
    void showOptions();
    void commandOk();

    document::Editor& m_editor;
    document::RadioOptions m_options;
    std::array<QComboBox*, document::RadioOptions::optionCount> m_lists{};
    std::array<QCheckBox*, document::RadioOptions::optionCount> m_checks{};
};

} // namespace vn574::ui
