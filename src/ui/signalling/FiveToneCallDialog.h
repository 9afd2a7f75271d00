#pragma once

#include "document/FiveToneCallEditor.h"

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace vn574::ui::signalling {

// The special-call editor, opened by the 5-tone editor's "Special" buttons: builds a
// data message, an alarm, an ANI or a remote call into a memory or a PTT ID code.
// A thin view of document::SpecialCallEditor.
class FrmSpecial : public QDialog {
public:
    FrmSpecial(document::FiveToneEditor& fiveTone, QWidget* parent = nullptr);

    [[nodiscard]] document::SpecialCallEditor& logic() { return m_logic; }

    void done(int result) override;

private:
    void buildControls();
    void showKind();
    void accepted();

    document::SpecialCallEditor m_logic;
    bool m_closing = false;

    QLabel* m_memoryLabel = nullptr;   // Label1(0)
    QComboBox* m_memory = nullptr;     // Combo1(0)
    QComboBox* m_kind = nullptr;       // Combo1(1)
    QGroupBox* m_dataFrame = nullptr;  // Frame2
    QGroupBox* m_alarmFrame = nullptr; // Frame3
    QGroupBox* m_idFrame = nullptr;    // Frame4
    std::array<QLineEdit*, 2> m_id{};  // Text1(0), Text1(1)
    QLineEdit* m_message = nullptr;    // Text2
    QComboBox* m_channel = nullptr;    // Combo2
};

} // namespace vn574::ui::signalling
