#include "ui/clone/LoadFrmLink.h"

#include "app/ProcessSettings.h"
#include "app/UserPrompts.h"
#include "link/CloneFrames.h"
#include "app/PortNames.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace vn574::ui::clone {
namespace {

constexpr int replyLength = 13; // echo of "VN575" CR LF, then CR LF "OK" CR LF
constexpr const char* identification = "VN575\r\n";
constexpr const char* cannotOpen = "Cannot Open Communication Port.";

} // namespace

LoadFrmLink::LoadFrmLink(app::ProcessSettings& settings, app::UserPrompts& prompts,
                         const CloneEnvironment& environment, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_prompts(prompts), m_environment(environment),
      m_port(environment.makePort()) {
    setObjectName(QStringLiteral("LoadFrmLink"));
    setWindowTitle(QStringLiteral("Initial Setup"));

    m_instructions = new QLabel(instructionText(settings), this);
    m_instructions->setObjectName(QStringLiteral("Label1"));
    m_instructions->setWordWrap(true);
    auto* portLabel = new QLabel(QStringLiteral("Com Port"), this);
    portLabel->setObjectName(QStringLiteral("Label2"));
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("Combo1"));
    m_list->setEditable(true);
    m_list->setInsertPolicy(QComboBox::NoInsert);
    m_list->setMinimumContentsLength(16);
    portLabel->setBuddy(m_list);
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* portRow = new QHBoxLayout;
    portRow->addWidget(portLabel);
    portRow->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_instructions);
    layout->addLayout(portRow);
    layout->addLayout(buttons);
    setMinimumWidth(480);

    m_linkWait = new QTimer(this);
    m_linkWait->setObjectName(QStringLiteral("LinkWaitTimer"));
    m_linkWait->setSingleShot(true);
    m_linkWait->setInterval(environment.linkWaitMs);
    m_end = new QTimer(this);
    m_end->setObjectName(QStringLiteral("EndTimer"));
    m_end->setSingleShot(true);
    m_end->setInterval(environment.linkEndMs);
    connect(m_linkWait, &QTimer::timeout, this, &LoadFrmLink::onLinkWait);
    connect(m_end, &QTimer::timeout, this, &QDialog::accept);

    // There is no fixed list of port numbers to offer here: the machine's ports are
    // listed, and a device path may be typed.
    fillPortList(environment.discoverPorts());
    connect(m_list, &QComboBox::editTextChanged, this,
            [this](const QString& text) { m_settings.commPort = text.trimmed().toStdString(); });
    connect(m_ok, &QPushButton::clicked, this, &LoadFrmLink::onOk);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_port->setReceiveHandler([this] { onReceive(); });
}

LoadFrmLink::~LoadFrmLink() {
    m_port->setReceiveHandler({});
    m_port->port().close();
}

QString LoadFrmLink::instructionText(const app::ProcessSettings& settings) {
    const auto msg = [&settings](const char* key) { return settings.language.text("MSG", key); };
    const std::string text = msg("9014") + "\r\n\r\n" + msg("9010") + "\r\n" + msg("9011") +
                             "\r\n" + msg("9012") + "\r\n" + msg("9013");
    return QString::fromStdString(text);
}

void LoadFrmLink::fillPortList(const std::vector<std::string>& ports) {
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const std::string& port : ports) {
        m_list->addItem(QString::fromStdString(port));
    }
    m_list->setEditText(QString::fromStdString(m_settings.commPort));
}

void LoadFrmLink::onOk() {
    if (m_settings.commPort.empty()) {
        const std::vector<std::string> ports = m_environment.discoverPorts();
        m_settings.commPort = app::machineDefaultPort(ports);
        fillPortList(ports);
        if (m_settings.commPort.empty()) {
            // Said with the program's own words rather than with an empty box.
            m_prompts.message("No Com Port!", app::Icon::Warning);
        }
    }
    if (const std::string reason = initComm2(); !reason.empty()) {
        // The message the window has always shown, then what the user can do about it,
        // in the words the clone window uses.
        std::string text = cannotOpen;
        if (reason != cannotOpen) {
            text += "\n\n" + reason;
        }
        m_prompts.message(text, app::Icon::Error);
        return;
    }
    WriteLink2();
}

std::string LoadFrmLink::initComm2() {
    link::SerialPort& port = m_port->port();
    if (port.isOpen()) {
        port.close();
    }
    if (m_settings.commPort.empty()) {
        return cannotOpen;
    }
    // The link test is the one exchange made with RTS/CTS handshaking.
    return port.open(m_settings.commPort, link::LineSettings{}, link::Handshake::RtsCts);
}

void LoadFrmLink::WriteLink2() {
    m_port->port().discardInput();
    m_port->port().write(identification);
    m_linkWait->start();
}

void LoadFrmLink::onReceive() {
    link::SerialPort& port = m_port->port();
    // The receive threshold: nothing happens before a whole reply's worth is there, so
    // the echo of a radio that does not answer never raises the event.
    if (!port.isOpen() || port.bytesWaiting() < replyLength) {
        return;
    }
    if (link::IsLink2(port.readAll())) {
        m_linkWait->stop();
        m_settings.firstRun = false;
        m_end->start();
    }
}

void LoadFrmLink::onLinkWait() {
    m_linkWait->stop();
    m_prompts.message("Communication Error!", app::Icon::Information);
}

void LoadFrmLink::done(int result) {
    m_linkWait->stop();
    m_end->stop();
    m_port->port().close();
    QDialog::done(result);
}

} // namespace vn574::ui::clone
