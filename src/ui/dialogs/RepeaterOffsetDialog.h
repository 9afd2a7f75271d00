#pragma once

#include "document/RowOperations.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace vn574::ui {

// Set Repeater Offset: the direction (+, -, simplex) and the offset in MHz. OK with an
// offset that is no number of MHz shows a message and keeps the dialog open.
class RepeaterOffsetDialog : public QDialog {
    Q_OBJECT
public:
    // Opens on the direction and offset grid row `row` has (the grid's current row).
    RepeaterOffsetDialog(document::Editor& editor, int row, QWidget* parent = nullptr);

    [[nodiscard]] document::OffsetDirection direction() const;
    // The offset accepted by OK (0 for simplex).
    [[nodiscard]] double offset() const { return m_offset; }

private:
    void commandOk();

    document::Editor& m_editor;
    QRadioButton* m_plus = nullptr;
    QRadioButton* m_minus = nullptr;
    QRadioButton* m_simplex = nullptr;
    QLineEdit* m_offsetBox = nullptr;
    double m_offset = 0;
};

} // namespace vn574::ui
