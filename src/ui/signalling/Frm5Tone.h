#pragma once

#include "document/FiveToneEditor.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace vn574::ui::signalling {

class GridEditorBinding;
class SignallingGridModel;

// The 5-tone editor: the radio's own ID and its settings, the PTT ID codes, the 100
// code memories and the tone table of the standard last chosen. A thin view of
// document::FiveToneEditor; the special calls open FrmSpecial on top of it.
class Frm5Tone : public QDialog {
public:
    Frm5Tone(document::Editor& editor, QWidget* parent = nullptr);

    [[nodiscard]] document::FiveToneEditor& logic() { return m_logic; }

    void done(int result) override;

private:
    void buildControls();
    void connectControls();
    void showControls(); // every control from the logic's state
    void showInfo();
    void openSpecialCall(document::SpecialCallTarget target);
    void accepted();

    document::FiveToneEditor m_logic;
    bool m_closing = false;

    QLineEdit* m_selfId = nullptr;          // Text2
    std::array<QComboBox*, 5> m_settings{}; // Combo1(1..4); [0] unused
    QPlainTextEdit* m_info = nullptr;       // Text1
    QTableView* m_grid = nullptr;           // MSHFlexGrid1
    SignallingGridModel* m_model = nullptr;
    GridEditorBinding* m_binding = nullptr;
    std::array<QLineEdit*, 2> m_pttCode{};     // Text4(k)
    std::array<QComboBox*, 2> m_pttStandard{}; // Combo4(k)
    std::array<QComboBox*, 2> m_pttLength{};   // Combo5(k)
    std::array<QPushButton*, 3> m_special{};   // Command1..3
};

} // namespace vn574::ui::signalling
