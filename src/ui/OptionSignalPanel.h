#pragma once

#include "document/FieldEditors.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;

namespace vn574::ui {

// The five option-signal frames under the grid (DTMF, 2 Tone, 5 Tone, DTMF PTT ID,
// 5Tone PTT ID). They show Editor::frames(); a pick goes to the current row.
class OptionSignalPanel : public QWidget {
    Q_OBJECT
public:
    OptionSignalPanel(document::Editor& editor, document::FieldEditors& fields,
                      QWidget* parent = nullptr);

    // Visibility and shown positions from the editor's frame state.
    void refresh();

    [[nodiscard]] QGroupBox* frame(document::FrameList list) const;
    [[nodiscard]] QComboBox* list(document::FrameList list) const;

private:
    struct Frame {
        QGroupBox* box = nullptr;
        QComboBox* list = nullptr;
    };

    document::Editor& m_editor;
    document::FieldEditors& m_fields;
    std::array<Frame, 5> m_frames{};
};

} // namespace vn574::ui
