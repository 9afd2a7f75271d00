#include "ui/clone/FrmMain.h"

#include "app/AtomicFile.h"
#include "document/Editor.h"
#include "ui/Twips.h"

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

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

frmMain::frmMain(document::Editor& editor, link::TransferState& state,
                 const CloneEnvironment& environment, const link::TransferTrace* lastTrace,
                 QWidget* parent)
    : QDialog(parent), m_editor(editor), m_port(environment.makePort()),
      m_tracingPort(m_port->port(), m_trace), m_lastTrace(lastTrace),
      m_frameTimer(environment.realFramePauses), m_imageCodec(editor), m_codec(m_imageCodec) {
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
    layout->addWidget(m_passwordModify);
    layout->addWidget(m_newPassword);
    layout->addStretch(1);
    layout->addLayout(buttons);

    const bool writing = state.writing();
    m_passwordModify->setVisible(writing);
    m_newPassword->setVisible(false);
    const int dpi = logicalDpiY();
    setFixedSize(twipsToPixels(windowWidthTwips, dpi),
                 twipsToPixels(writing ? writeHeightTwips : readHeightTwips, dpi));

    connect(m_start, &QPushButton::clicked, this, &frmMain::onStart);
    connect(m_close, &QPushButton::clicked, this, [this] { m_engine->closeButton(); });
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

    link::CloneView& view = *this;
    m_engine = std::make_unique<link::CloneEngine>(
        editor, state, m_tracingPort, m_timer, m_frameTimer, view, m_codec, environment.intervals);
    m_port->setReceiveHandler([this] { m_engine->receiveEvent(); });
    // As before a tick, bytes already there are taken before the frame's next step.
    m_frameTimer.setHandler([this] {
        m_port->deliverWaitingBytes();
        m_engine->frameTimerStep();
    });
    m_timer.setHandler([this] {
        // Bytes already there are taken before the tick looks at the buffer, as the
        // radio's reply would have raised its receive event before the next tick.
        m_port->deliverWaitingBytes();
        m_engine->tick();
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
}

frmMain::~frmMain() {
    // A window destroyed without being closed still ends its transfer.
    if (m_engine->outcome() == link::CloneOutcome::Open) {
        m_engine->closeButton();
    }
    m_timer.setHandler({});
    m_frameTimer.setHandler({});
    m_port->setReceiveHandler({});
}

void frmMain::done(int result) {
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

void frmMain::passwordControlsChanged() {
    // The engine turns the text into the radio's bytes, and refuses what it cannot hold.
    m_engine->setPasswordControls(m_passwordModify->isChecked(),
                                  m_newPassword->text().toStdString());
}

void frmMain::onStart() {
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
