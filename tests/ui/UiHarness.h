#pragma once

#include "app/ProcessSettings.h"
#include "support/FakePrompts.h"
#include "support/TempDir.h"
#include "ui/ChannelGridView.h"
#include "ui/Frm_Radio.h"

#include <QAction>

#include <memory>

namespace vn574::test {

// A shown and active main window with settings in a temporary folder and scripted
// prompts, and the user's actions on its grid.
struct UiHarness {
    explicit UiHarness(const std::string& languageFile = "english.ini",
                       app::OptionFlags flags = {});

    [[nodiscard]] ui::Frm_Radio& window() const { return *m_window; }
    [[nodiscard]] document::Editor& editor() const { return m_window->editor(); }
    [[nodiscard]] ui::ChannelGridView& grid() const { return *m_window->grid(); }
    [[nodiscard]] std::string cell(int row, int column) const;

    // A mouse click on grid cell (row 1..104, column 1..16).
    void click(int row, int column) const;
    // The in-place editor that is open, or nullptr.
    [[nodiscard]] QWidget* openEditor() const;
    template <typename T> [[nodiscard]] T* openEditorAs() const {
        return qobject_cast<T*>(openEditor());
    }
    // Leaves the open editor with a click on the model selector, as a user would.
    void leaveEditor() const;

    TempDir dir;
    app::ProcessSettings settings;
    FakePrompts prompts;

private:
    std::unique_ptr<ui::Frm_Radio> m_window;
};

app::OptionFlags allSignallingOptions();

// The window's action of that object name; a test without it cannot go on.
QAction* action(const UiHarness& ui, const char* name);

} // namespace vn574::test
