#pragma once

#include <QComboBox>

#include <string>
#include <vector>

namespace vn574::ui {

// The drop-down list every list editor of the grid uses: it holds only its entries and
// accepts no typed text.
class ListEditor : public QComboBox {
    Q_OBJECT
public:
    explicit ListEditor(QWidget* parent = nullptr);

    // Replaces the entries and shows `shown` without that counting as a choice. A
    // position outside the entries shows `asIs` instead, a cell value that is none of
    // them; the list then shows no entry and its text is empty until the user picks.
    void setEntries(const std::vector<std::string>& entries, int shown = 0,
                    const std::string& asIs = {});
    // Shows `shown` (or `asIs`) again without that counting as a choice.
    void showEntry(int shown, const std::string& asIs = {});
    [[nodiscard]] std::string shownText() const { return currentText().toStdString(); }
    // Whether the user picked an entry since the entries were set.
    [[nodiscard]] bool picked() const { return m_picked; }

private:
    bool m_picked = false;
};

} // namespace vn574::ui
