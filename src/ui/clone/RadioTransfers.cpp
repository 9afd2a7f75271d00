#include "ui/clone/RadioTransfers.h"

#include "document/Editor.h"
#include "app/PortNames.h"
#include "ui/clone/DlgSetting.h"
#include "ui/clone/FrmMain.h"

namespace vn574::ui::clone {
namespace {

constexpr int firstChannelRow = 1;
constexpr int lastChannelRow = 100;
constexpr unsigned everythingShown = document::GridChanged | document::ModelChanged |
                                     document::LabelsChanged | document::OptionSignalsChanged |
                                     document::FramesChanged;

} // namespace

RadioTransfers::RadioTransfers(document::Editor& editor, QWidget* window)
    : m_editor(editor), m_window(window), m_environment(CloneEnvironment::system()) {}

bool RadioTransfers::portKnown() {
    const auto& settings = m_editor.settings();
    if (!settings.nt6 && settings.commPort.empty()) {
        m_editor.prompts().message("Please Set Com Port!", app::Icon::Warning);
        return false;
    }
    return true;
}

bool RadioTransfers::readChannelData() {
    if (!portKnown()) {
        return false;
    }
    // A read replaces the document, so unsaved changes are offered for saving first,
    // as the toolbar's read button always did.
    if (!m_editor.confirmDiscard()) {
        return false;
    }
    m_editor.beginRead();
    return read();
}

bool RadioTransfers::readButton() {
    if (!m_editor.confirmDiscard()) {
        return false;
    }
    // The reset belongs to the read: without a read that completes, it is taken back.
    m_editor.beginRead();
    m_editor.ClearAll();
    if (!portKnown()) {
        m_editor.endRead(false);
        return false;
    }
    return read();
}

bool RadioTransfers::read() {
    m_editor.prompts().message(m_editor.windowMessage(9007), app::Icon::Information);
    m_editor.setFileName("noname.vd");
    const link::CloneOutcome outcome = runCloneWindow(link::TransferMode::Read);
    m_editor.endRead(outcome == link::CloneOutcome::Completed);
    return true;
}

bool RadioTransfers::writeChannelData() {
    if (!portKnown()) {
        return false;
    }
    m_editor.prompts().message(m_editor.windowMessage(9007), app::Icon::Information);
    m_editor.UpdateAllArray();
    const std::string inUse = m_editor.langText("Channel", "50015");
    bool anyInUse = false;
    for (int row = firstChannelRow; row <= lastChannelRow && !anyInUse; ++row) {
        anyInUse = m_editor.cell(row, document::colStatus) == inUse;
    }
    if (!anyInUse) {
        m_editor.prompts().message("please active one channel in 0 to 99.", app::Icon::Warning);
        return false;
    }
    runCloneWindow(link::TransferMode::Write);
    return true;
}

link::CloneOutcome RadioTransfers::runCloneWindow(link::TransferMode mode) {
    m_state.mode = mode;
    link::CloneOutcome outcome = link::CloneOutcome::Open;
    {
        frmMain window(m_editor, m_state, m_environment, &m_lastTrace, m_window);
        if (m_hook) {
            m_hook(window);
        }
        window.exec();
        if (window.transferStarted()) {
            m_lastTrace = window.trace();
        }
        outcome = window.engine().outcome();
    }
    // The decoder has replaced model, grid, option flags and labels piece by piece;
    // show the whole result once more.
    m_editor.notify(everythingShown);
    return outcome;
}

void RadioTransfers::comPortMenu() {
    auto& settings = m_editor.settings();
    const std::vector<std::string> ports = m_environment.discoverPorts();
    if (!settings.nt6 && settings.commPort.empty()) {
        settings.commPort = app::initComPort(ports);
    }
    if (settings.commPort.empty()) {
        m_editor.prompts().message("No Com Port!", app::Icon::Warning);
        return;
    }
    if (m_portDialog != nullptr) {
        m_portDialog->raise();
        m_portDialog->activateWindow();
        return;
    }
    auto* dialog = new dlgSetting(settings, m_editor.prompts(), ports, m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_portDialog = dialog;
    dialog->show();
}

} // namespace vn574::ui::clone
