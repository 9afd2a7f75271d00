#include "link/qt/QtSerialPort.h"

#include "app/PortNames.h"
#include "link/qt/PortErrorText.h"

#include <QSerialPortInfo>

#include <unistd.h>
#include <utility>

namespace vn574::link {

namespace {

// At 9600 bit/s a whole frame leaves in under 50 ms; a line that takes nothing for
// longer is dead anyway.
constexpr int closeDrainMs = 100;

QSerialPort::Parity toParity(char parity) {
    switch (parity) {
    case 'e':
        return QSerialPort::EvenParity;
    case 'o':
        return QSerialPort::OddParity;
    case 'm':
        return QSerialPort::MarkParity;
    case 's':
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

// Bytes stay bytes: no text codec between the radio and the receive buffer.
std::string toBytes(const QByteArray& data) {
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

std::string devicePath(const std::string& name) {
    return name.starts_with('/') ? name : "/dev/" + name;
}

// The platform's error as the user can act on it.
PortFailure failureOf(QSerialPort::SerialPortError error, const std::string& name) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return PortFailure::NoSuchDevice;
    case QSerialPort::PermissionError:
        return classifyPermissionError(devicePath(name));
    case QSerialPort::ResourceError:
        return PortFailure::Vanished;
    default:
        return PortFailure::Other;
    }
}

} // namespace

QtSerialPort::QtSerialPort() {
    QObject::connect(&m_port, &QSerialPort::readyRead, [this] {
        if (m_onReceive) {
            m_onReceive();
        }
    });
    // A USB adapter that is unplugged makes every further read fail; without this the
    // transfer would only run into its time-out and blame the radio. The loss is kept
    // until it is reported: to the vanished handler when there is one, else by the next
    // open, so that a running transfer ends at its next tick with the reason.
    QObject::connect(
        &m_port, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError error) {
            // Depending on the driver an unplugged adapter shows as a resource error or
            // as a failed read or write on a device node that udev has already removed.
            const bool gone =
                error == QSerialPort::ResourceError ||
                ((error == QSerialPort::ReadError || error == QSerialPort::WriteError) &&
                 ::access(devicePath(m_name).c_str(), F_OK) != 0);
            if (!gone || !m_port.isOpen()) {
                return;
            }
            m_lost = portFailureText(PortFailure::Vanished, m_name, {});
            // Closed from the event loop rather than inside the port's own notification.
            QMetaObject::invokeMethod(
                &m_port,
                [this] {
                    if (!m_port.isOpen()) {
                        return;
                    }
                    m_port.close();
                    if (m_onVanished) {
                        m_onVanished(std::exchange(m_lost, {}));
                    }
                },
                Qt::QueuedConnection);
        });
}

QtSerialPort::~QtSerialPort() {
    m_port.close();
}

std::string QtSerialPort::open(const std::string& name, const LineSettings& settings,
                               Handshake handshake) {
    if (m_port.isOpen()) {
        return {};
    }
    if (!m_lost.empty()) {
        return std::exchange(m_lost, {});
    }
    if (name.empty()) {
        return "Cannot Open Communication Port.";
    }
    m_port.setPortName(QString::fromStdString(name));
    m_port.setBaudRate(settings.baudRate);
    m_port.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits));
    m_port.setParity(toParity(settings.parity));
    m_port.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    m_port.setFlowControl(handshake == Handshake::RtsCts ? QSerialPort::HardwareControl
                                                         : QSerialPort::NoFlowControl);
    m_name = name;
    if (!m_port.open(QIODevice::ReadWrite)) {
        const std::string error = portFailureText(failureOf(m_port.error(), name), name,
                                                  m_port.errorString().toStdString());
        m_port.clearError();
        return error;
    }
    return {};
}

void QtSerialPort::deliverWaitingBytes() {
    if (m_port.isOpen()) {
        // Reads what the system holds and emits readyRead for it; returns at once when
        // nothing is there.
        m_port.waitForReadyRead(0);
    }
}

void QtSerialPort::close() {
    if (m_port.isOpen()) {
        // What the engine handed over is on the line before the port goes: closing
        // would throw away bytes the system could not take yet.
        if (m_port.bytesToWrite() > 0) {
            m_port.waitForBytesWritten(closeDrainMs);
        }
        m_port.close();
    }
}

bool QtSerialPort::isOpen() const {
    return m_port.isOpen();
}

void QtSerialPort::setBufferSizes(int inputBytes, int /*outputBytes*/) {
    // QSerialPort queues output without a limit of its own; only the input side has a
    // buffer size to set.
    m_port.setReadBufferSize(inputBytes);
}

void QtSerialPort::write(std::string_view bytes) {
    if (!m_port.isOpen()) {
        return;
    }
    m_port.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // The frame's pause is timed from now, so the bytes go to the system at once rather
    // than when the loop next runs. Never waiting for them: what the system cannot take
    // yet (a full pseudo-terminal) goes out from the event loop, in order, and the
    // window goes on repainting meanwhile.
    m_port.flush();
}

void QtSerialPort::discardInput() {
    if (!m_port.isOpen()) {
        return;
    }
    m_port.clear(QSerialPort::Input);
    m_port.readAll();
}

int QtSerialPort::bytesWaiting() const {
    return m_port.isOpen() ? static_cast<int>(m_port.bytesAvailable()) : 0;
}

std::string QtSerialPort::readAll() {
    if (!m_port.isOpen()) {
        return {};
    }
    return toBytes(m_port.readAll());
}

std::vector<std::string> availablePortNames() {
#ifdef _WIN32
    // The registry's list, in its own order; bNT6 stays false, so the fixed list of
    // COM1 to COM256 is never used (Windows 8 and later report version 6.2 to a program
    // without a manifest, which would otherwise list 256 ports that mostly do not exist).
    return app::serialCommPorts(app::readSerialComm);
#endif
    std::vector<std::string> names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        names.push_back(info.portName().toStdString());
    }
    return app::sortPortNames(std::move(names));
}

} // namespace vn574::link
