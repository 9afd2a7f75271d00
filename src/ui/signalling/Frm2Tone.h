#pragma once

#include "document/TwoToneEditor.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;
class QTabWidget;
class QTableView;

namespace vn574::ui::signalling {

class GridEditorBinding;
class SignallingGridModel;

// The 2-tone editor: the 100 2-tone memories with their timing on the first tab, the
// radio's own 2-tone decoder on the second. A thin view of document::TwoToneEditor.
class Frm2Tone : public QDialog {
public:
    Frm2Tone(document::Editor& editor, QWidget* parent = nullptr);

    [[nodiscard]] document::TwoToneEditor& logic() { return m_logic; }

    void done(int result) override;

private:
    void buildControls();
    void showControls();
    void accepted();

    document::TwoToneEditor m_logic;
    bool m_closing = false;

    QTabWidget* m_tabs = nullptr; // SSTab1
    QTableView* m_grid = nullptr; // MSHFlexGrid1
    SignallingGridModel* m_model = nullptr;
    GridEditorBinding* m_binding = nullptr;
    std::array<QComboBox*, 4> m_timing{};  // Combo1(0..3)
    std::array<QComboBox*, 2> m_decoder{}; // Combo2(0) pair type, Combo2(1) response
    std::array<QLineEdit*, 4> m_boxes{};   // Text2(0..3): A..D
};

} // namespace vn574::ui::signalling
