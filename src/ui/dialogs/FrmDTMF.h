#pragma once

#include <QDialog>

#include "document/options/DtmfMemories.h"

#include <array>

class QLineEdit;

namespace vn574::document {
class Editor;
}

namespace vn574::ui {

// The DTMF memory dialog: the codes C0..C6 and, read-only, CP, written straight into
// the document's signalling record on OK.
class FrmDTMF : public QDialog {
    Q_OBJECT
public:
    explicit FrmDTMF(document::Editor& editor, QWidget* parent = nullptr);

    // Text1(k): the box of memory k, 0..7.
    [[nodiscard]] QLineEdit* box(int k) const { return m_boxes.at(static_cast<std::size_t>(k)); }

private:
    void boxChanged(int k);
    void commandOk();

    document::Editor& m_editor;
    document::DtmfMemories m_memories;
    std::array<QLineEdit*, document::DtmfMemories::memoryCount> m_boxes{};
};

} // namespace vn574::ui
