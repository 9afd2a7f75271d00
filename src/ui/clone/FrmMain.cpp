#include "ui/clone/FrmMain.h"

#include "app/AtomicFile.h"
#include "document/Editor.h"
#include "ui/Twips.h"

#include <filesystem>
#include <utility>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QPushButton>
#include <QVBoxLayout>

namespace vn574::ui::clone {
namespace {

constexpr int blockCount = 512;
constexpr int maxPasswordLength = 16;
// Window measures in twips: the write window is taller for its password controls.
constexpr int windowWidthTwips = 6000;
constexpr int readHeightTwips = 2000;
constexpr int writeHeightTwips = 3000;
// and taller again for the write's safety choices
constexpr int safeWriteHeightTwips = 4200;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

bool fileOnDisk(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

// The name of a chain's phase beside its progress.
const char* phaseKey(link::ChainStep step) {
    switch (step) {
    case link::ChainStep::Backup:
        return "rw043";
    case link::ChainStep::Write:
        return "rw044";
    case link::ChainStep::Verify:
        return "rw045";
    case link::ChainStep::Restore:
        break;
    }
    return "rw046";
}

} // namespace

frmMain::frmMain(document::Editor& editor, link::TransferState& state,
                 const CloneEnvironment& environment, const link::TransferTrace* lastTrace,
                 QWidget* parent)
    : QDialog(parent), m_editor(editor), m_state(state), m_intervals(environment.intervals),
      m_port(environment.makePort()), m_tracingPort(m_port->port(), m_trace),
      m_lastTrace(lastTrace), m_frameTimer(environment.realFramePauses), m_imageCodec(editor),
      m_codec(m_imageCodec) {
    setObjectName(QStringLiteral("frmMain"));
    setModal(true);

    m_progressText = new QLabel(QStringLiteral("0%"), this);
    m_progressText->setObjectName(QStringLiteral("lblPercent"));
    m_progressLabel = new QLabel(this);
    m_progressLabel->setObjectName(QStringLiteral("lblProgress"));
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setRange(0, blockCount);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    m_start = new QPushButton(this);
    m_start->setObjectName(QStringLiteral("cmdStart"));
    m_start->setDefault(true);
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("cmdClose"));
    m_saveTrace = new QPushButton(this);
    m_saveTrace->setObjectName(QStringLiteral("cmdSaveTrace"));
    m_saveTrace->setAutoDefault(false);
    m_passwordModify = new QCheckBox(QStringLiteral("Password modify"), this);
    m_passwordModify->setObjectName(QStringLiteral("chkPasswordModify"));
    m_newPassword = new QLineEdit(this);
    m_newPassword->setObjectName(QStringLiteral("txtNewPassword"));
    m_newPassword->setMaxLength(maxPasswordLength);
    m_fast = new QCheckBox(this);
    m_fast->setObjectName(QStringLiteral("chkFast"));
    m_backup = new QCheckBox(this);
    m_backup->setObjectName(QStringLiteral("chkBackup"));
    m_verify = new QCheckBox(this);
    m_verify->setObjectName(QStringLiteral("chkVerify"));
    m_onlyChanged = new QCheckBox(this);
    m_onlyChanged->setObjectName(QStringLiteral("chkOnlyChanged"));

    auto* progress = new QHBoxLayout;
    progress->addWidget(m_progressLabel);
    progress->addWidget(m_progressBar, 1);
    progress->addWidget(m_progressText);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_saveTrace);
    buttons->addStretch(1);
    buttons->addWidget(m_start);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(progress);
    layout->addWidget(m_fast);
    layout->addWidget(m_backup);
    layout->addWidget(m_verify);
    layout->addWidget(m_onlyChanged);
    layout->addWidget(m_passwordModify);
    layout->addWidget(m_newPassword);
    layout->addStretch(1);
    layout->addLayout(buttons);

    const bool writing = state.writing();
    m_passwordModify->setVisible(writing);
    m_newPassword->setVisible(false);
    m_backup->setVisible(writing);
    m_verify->setVisible(writing);
    m_onlyChanged->setVisible(writing);
    const int dpi = logicalDpiY();
    setFixedSize(twipsToPixels(windowWidthTwips, dpi),
                 twipsToPixels(writing ? safeWriteHeightTwips : readHeightTwips, dpi));

    connect(m_start, &QPushButton::clicked, this, &frmMain::onStart);
    connect(m_close, &QPushButton::clicked, this, &frmMain::closeRequested);
    connect(m_saveTrace, &QPushButton::clicked, this, &frmMain::onSaveTrace);
    connect(m_passwordModify, &QCheckBox::toggled, this, [this](bool checked) {
        m_newPassword->setVisible(checked);
        passwordControlsChanged();
    });
    connect(m_newPassword, &QLineEdit::textChanged, this, &frmMain::passwordControlsChanged);
    // Taken at the next reply, so switching it during a transfer changes its pace at once.
    connect(m_fast, &QCheckBox::toggled, this, [this](bool checked) {
        m_engine->setFastPacing(checked);
        m_editor.settings().setFastTransfer(checked);
    });

    for (QCheckBox* box : {m_backup, m_verify, m_onlyChanged}) {
        connect(box, &QCheckBox::toggled, this, &frmMain::safetyChanged);
    }

    link::CloneView& view = *this;
    m_engine = std::make_unique<link::CloneEngine>(
        editor, state, m_tracingPort, m_timer, m_frameTimer, view, m_codec, environment.intervals);
    m_port->setReceiveHandler([this] { m_engine->receiveEvent(); });
    // As before a tick, bytes already there are taken before the frame's next step.
    // A chain's transfers run on this window's port and timers, one engine after another.
    m_port->setReceiveHandler([this] {
        if (chainRunning()) {
            m_chain->receiveEvent();
        } else {
            m_engine->receiveEvent();
        }
    });
    // As before a tick, bytes already there are taken before the frame's next step.
    m_frameTimer.setHandler([this] {
        m_port->deliverWaitingBytes();
        if (chainRunning()) {
            m_chain->frameTimerStep();
        } else {
            m_engine->frameTimerStep();
        }
    });
    m_timer.setHandler([this] {
        // Bytes already there are taken before the tick looks at the buffer, as the
        // radio's reply would have raised its receive event before the next tick.
        m_port->deliverWaitingBytes();
        if (chainRunning()) {
            m_chain->tick();
        } else {
            m_engine->tick();
        }
    });

    m_engine->load();
    setWindowTitle(qt(m_engine->caption()));
    m_progressLabel->setText(qt(m_engine->text("rw006")));
    m_close->setText(qt(m_engine->text("rw005")));
    m_saveTrace->setText(qt(editor.langText("RW", "rw007")));
    m_fast->setText(qt(editor.langText("RW", "rw009")));
    {
        const QSignalBlocker quiet(m_fast);
        m_fast->setChecked(editor.settings().fastTransfer());
    }
    m_engine->setFastPacing(m_fast->isChecked());
    m_backup->setText(qt(editor.langText("RW", "rw040")));
    m_verify->setText(qt(editor.langText("RW", "rw041")));
    m_onlyChanged->setText(qt(editor.langText("RW", "rw042")));
    const app::WriteSafety safety = editor.settings().writeSafety();
    for (auto [box, on] : {std::pair{m_backup, safety.backup}, std::pair{m_verify, safety.verify},
                           std::pair{m_onlyChanged, safety.onlyChanged}}) {
        const QSignalBlocker quiet(box);
        box->setChecked(on);
    }
    m_onlyChanged->setEnabled(safety.backup);
}

void frmMain::setTask(CloneTask task) {
    m_task = std::move(task);
    if (m_task.kind == CloneTask::Kind::Transfer) {
        return;
    }
    // A verify or a restore has nothing to choose but its pace.
    for (QWidget* control : std::initializer_list<QWidget*>{m_backup, m_verify, m_onlyChanged,
                                                            m_passwordModify, m_newPassword}) {
        control->setVisible(false);
    }
    // A verify only reads, and its reads always go at the fast pace.
    m_fast->setVisible(m_task.kind == CloneTask::Kind::Restore);
    const int dpi = logicalDpiY();
    setFixedSize(twipsToPixels(windowWidthTwips, dpi), twipsToPixels(writeHeightTwips, dpi));
    // The engine's caption names the port after its prefix.
    QString caption = windowTitle();
    const qsizetype port = caption.indexOf(QStringLiteral("  (COMM Port:"));
    const char* key = m_task.kind == CloneTask::Kind::Verify ? "rw047" : "rw048";
    caption.replace(0, port < 0 ? 0 : port, qt(m_editor.langText("RW", key)));
    setWindowTitle(caption);
}

double frmMain::secondsSinceStart() const {
    if (!m_started) {
        return 0;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - *m_started).count();
}

frmMain::~frmMain() {
    // A window destroyed without being closed still ends its transfer.
    if (chainRunning()) {
        m_closeAfterChain = true;
        m_chain->stop();
    }
    if (m_engine->outcome() == link::CloneOutcome::Open) {
        m_engine->closeButton();
    }
    m_timer.setHandler({});
    m_frameTimer.setHandler({});
    m_port->setReceiveHandler({});
}

void frmMain::done(int result) {
    if (chainRunning()) {
        closeRequested(); // the chain's end closes the window
        return;
    }
    if (m_engine->outcome() == link::CloneOutcome::Open) {
        m_engine->closeButton(); // comes back through closeWindow()
        return;
    }
    QDialog::done(result);
}

void frmMain::showProgress(const std::string& text, int value) {
    m_progressText->setText(qt(text));
    m_progressBar->setValue(value);
}

void frmMain::setStartCaption(const std::string& caption) {
    if (m_start != nullptr) {
        m_start->setText(qt(caption));
    }
}

void frmMain::closeWindow() {
    QDialog::done(QDialog::Accepted);
}

bool frmMain::chainRunning() const {
    return m_chain && !m_chain->result().ended;
}

bool frmMain::runsChain() const {
    if (m_task.kind != CloneTask::Kind::Transfer) {
        return true;
    }
    // With both steps off the write is the plain write, frame for frame.
    return m_state.writing() && (m_backup->isChecked() || m_verify->isChecked());
}

void frmMain::closeRequested() {
    if (chainRunning()) {
        m_closeAfterChain = true;
        m_chain->stop();
        return;
    }
    m_engine->closeButton();
}

void frmMain::safetyChanged() {
    m_onlyChanged->setEnabled(m_backup->isChecked());
    m_editor.settings().setWriteSafety(
        {m_backup->isChecked(), m_verify->isChecked(), m_onlyChanged->isChecked()});
}

void frmMain::setChoicesEnabled(bool enabled) {
    m_backup->setEnabled(enabled);
    m_verify->setEnabled(enabled);
    m_onlyChanged->setEnabled(enabled && m_backup->isChecked());
    m_passwordModify->setEnabled(enabled);
    m_newPassword->setEnabled(enabled);
}

void frmMain::startChain() {
    link::ChainPlan plan;
    switch (m_task.kind) {
    case CloneTask::Kind::Transfer:
        plan.goal = link::ChainPlan::Goal::Write;
        plan.backup = m_backup->isChecked();
        plan.verify = m_verify->isChecked();
        plan.onlyChanged = plan.backup && m_onlyChanged->isChecked();
        plan.passwordModify = m_passwordModify->isChecked();
        plan.newPassword = m_newPassword->text().toStdString();
        plan.keptBackup = m_task.keptBackup;
        break;
    case CloneTask::Kind::Verify:
        plan.goal = link::ChainPlan::Goal::Verify;
        break;
    case CloneTask::Kind::Restore:
        plan.goal = link::ChainPlan::Goal::Restore;
        plan.image = m_task.image;
        break;
    }
    if (m_task.kind == CloneTask::Kind::Restore) {
        plan.file = m_task.file;
    } else if (const std::string& file = m_editor.fileName(); fileOnDisk(file)) {
        plan.file = file;
    }
    plan.fastWrite = m_fast->isChecked();
    plan.intervals = m_intervals;

    m_transferStarted = true;
    if (!m_started) {
        m_started = std::chrono::steady_clock::now();
    }
    m_stopRequested = false;
    m_chainStepStarted = false;
    setChoicesEnabled(false);
    link::ChainView& view = *this;
    m_chain = std::make_unique<link::TransferChain>(m_editor, m_state, m_tracingPort, m_timer,
                                                    m_frameTimer, view, std::move(plan));
    m_chain->start();
}

void frmMain::stepStarted(link::ChainStep step) {
    m_chainStepStarted = true;
    m_progressLabel->setText(qt(m_editor.langText("RW", phaseKey(step))));
    m_progressText->setText(QStringLiteral("0%"));
    m_progressBar->setValue(0);
}

void frmMain::showProgress(link::ChainStep /*step*/, const std::string& text, int value) {
    showProgress(text, value);
}

void frmMain::chainEnded() {
    const link::ChainResult& result = m_chain->result();
    m_lastChain = result;
    if (result.ok) {
        m_task.keptBackup.clear();
    } else if (result.radioChanged && !result.backupPath.empty()) {
        m_task.keptBackup = result.backupPath;
    }
    setChoicesEnabled(true);
    setStartCaption(m_editor.langText("RW", "rw003"));
    // Stopped by the user, or refused before a frame went out: the window stays for
    // another start, as the plain transfer's does.
    if ((m_stopRequested || !m_chainStepStarted) && !m_closeAfterChain) {
        return;
    }
    // The engine that loaded the window closes it, storing the option flags as always.
    m_engine->closeButton();
}

void frmMain::passwordControlsChanged() {
    // The engine turns the text into the radio's bytes, and refuses what it cannot hold.
    m_engine->setPasswordControls(m_passwordModify->isChecked(),
                                  m_newPassword->text().toStdString());
}

void frmMain::onStart() {
    if (chainRunning()) {
        m_stopRequested = true;
        m_chain->stop();
        return;
    }
    if (!m_plainStarted && runsChain()) {
        startChain();
        return;
    }
    if (!m_started) {
        m_started = std::chrono::steady_clock::now();
    }
    // Once the plain write has started, its start button is its stop and continue.
    m_plainStarted = true;
    m_lastChain.reset(); // a chain stopped before is no longer what the radio went through
    for (QCheckBox* box : {m_backup, m_verify, m_onlyChanged}) {
        box->setEnabled(false);
    }
    passwordControlsChanged();
    m_transferStarted = true;
    m_engine->startButton();
}

void frmMain::onSaveTrace() {
    // Until this window starts, the transfer a user asks about is the one before: a
    // transfer that failed has closed its window, and the user comes back here for it.
    const link::TransferTrace& trace =
        m_transferStarted || m_lastTrace == nullptr || m_lastTrace->empty() ? m_trace
                                                                            : *m_lastTrace;
    auto& prompts = m_editor.prompts();
    const std::optional<std::string> path =
        prompts.chooseSaveFile("Transfer trace (*.txt)|*.txt|All files (*.*)|*.*", "");
    if (!path) {
        return;
    }
    const std::string error = app::writeFileAtomically(*path, trace.text());
    if (!error.empty()) {
        prompts.message("The transfer trace could not be saved: " + error, app::Icon::Error);
    }
}

} // namespace vn574::ui::clone
