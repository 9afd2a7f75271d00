#include "UiHarness.h"

#include "support/TestEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

namespace vn574::test {

UiHarness::UiHarness(const std::string& languageFile, app::OptionFlags flags) {
    settings.paths.languageFolder = languageFolder();
    settings.paths.settingsFolder = dir.path();
    settings.language = app::Language(languageFolder(), languageFile);
    settings.optionFlags = flags;
    m_window = std::make_unique<ui::Frm_Radio>(settings, prompts);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    if (!QTest::qWaitForWindowActive(m_window.get())) {
        qFatal("main window did not become active");
    }
}

std::string UiHarness::cell(int row, int column) const {
    return editor().cell(row, column);
}

void UiHarness::click(int row, int column) const {
    const QModelIndex index = grid().model()->index(row - 1, column - 1);
    grid().scrollTo(index);
    const QRect rect = grid().visualRect(index);
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

QWidget* UiHarness::openEditor() const {
    return grid().openCellEditor();
}

void UiHarness::leaveEditor() const {
    auto* selector = m_window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    selector->setFocus(Qt::MouseFocusReason);
}

app::OptionFlags allSignallingOptions() {
    app::OptionFlags flags;
    flags.has5Tone = 1;
    flags.has2Tone = 1;
    flags.hasDtmf = 1;
    return flags;
}

QAction* action(const UiHarness& ui, const char* name) {
    auto* found = ui.window().findChild<QAction*>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("no action %s", name);
    }
    return found;
}

} // namespace vn574::test
