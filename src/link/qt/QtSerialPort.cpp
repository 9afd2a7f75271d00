#include "link/qt/QtSerialPort.h"

#include "link/PortNames.h"

#include <QSerialPortInfo>

#include <utility>

namespace vn574::link {

namespace {

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

} // namespace

QtSerialPort::QtSerialPort() {
    QObject::connect(&m_port, &QSerialPort::readyRead, [this] {
        if (m_onReceive) {
            m_onReceive();
        }
    });
    // A vanished device leaves QSerialPort open and failing on every read and write;
    // close it so that the transfer sees the port gone instead of waiting for replies.
    QObject::connect(&m_port, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError && m_port.isOpen()) {
            m_lost = m_port.errorString().toStdString();
            if (m_lost.empty()) {
                m_lost = "the device is no longer there";
            }
            m_port.close();
        }
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
    if (!m_port.open(QIODevice::ReadWrite)) {
        const std::string error = m_port.errorString().toStdString();
        m_port.clearError();
        return error.empty() ? std::string("Cannot Open Communication Port.") : error;
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
    // The frame's pauses block the event loop, so the bytes must be on the line before
    // the pause starts rather than when the loop next runs.
    m_port.flush();
    if (m_port.bytesToWrite() > 0) {
        m_port.waitForBytesWritten(100);
    }
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
    std::vector<std::string> names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        names.push_back(info.portName().toStdString());
    }
    return sortPortNames(std::move(names));
}

} // namespace vn574::link
