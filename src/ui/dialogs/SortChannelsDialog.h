#pragma once

#include "document/RowOperations.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace vn574::ui {

// Sort Channels: the column to sort the 100 channels by, the direction, and whether the
// channels in use come first.
class SortChannelsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SortChannelsDialog(const document::Editor& editor, QWidget* parent = nullptr);

    [[nodiscard]] document::SortOrder order() const;

private:
    QComboBox* m_column = nullptr;
    QRadioButton* m_descending = nullptr;
    QCheckBox* m_inUseFirst = nullptr;
};

} // namespace vn574::ui
