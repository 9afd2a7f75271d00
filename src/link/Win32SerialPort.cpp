#include "link/Win32SerialPort.h"

#include "app/FileSystem.h"

#include <windows.h>

namespace vn574::link {
namespace {

HANDLE handleOf(void* handle) {
    return static_cast<HANDLE>(handle);
}

// The system's own description of an error, as a failed open shows it to the user.
std::string describe(DWORD error) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 && text != nullptr ? std::string(text, length)
                                                        : "Error " + std::to_string(error);
    ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.')) {
        message.pop_back();
    }
    return message;
}

BYTE parityOf(char parity) {
    switch (parity) {
    case 'e':
        return EVENPARITY;
    case 'o':
        return ODDPARITY;
    case 'm':
        return MARKPARITY;
    case 's':
        return SPACEPARITY;
    default:
        return NOPARITY;
    }
}

} // namespace

Win32SerialPort::~Win32SerialPort() {
    close();
}

std::string Win32SerialPort::open(const std::string& name, const LineSettings& settings,
                                  Handshake handshake) {
    if (isOpen()) {
        return {};
    }
    // COM10 and above are reachable only through the device namespace.
    const std::string device = name.starts_with("\\\\.\\") ? name : "\\\\.\\" + name;
    const HANDLE handle = ::CreateFileW(app::pathOf(device).c_str(), GENERIC_READ | GENERIC_WRITE,
                                        0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return describe(::GetLastError());
    }
    const auto failWith = [&](DWORD error) {
        ::CloseHandle(handle);
        return describe(error);
    };
    ::SetupComm(handle, static_cast<DWORD>(m_inputBytes), static_cast<DWORD>(m_outputBytes));
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (::GetCommState(handle, &dcb) == 0) {
        return failWith(::GetLastError());
    }
    const bool rtsCts = handshake == Handshake::RtsCts;
    dcb.BaudRate = static_cast<DWORD>(settings.baudRate);
    dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
    dcb.Parity = parityOf(settings.parity);
    dcb.fParity = dcb.Parity != NOPARITY ? TRUE : FALSE;
    dcb.StopBits = settings.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fOutxCtsFlow = rtsCts ? TRUE : FALSE;
    dcb.fRtsControl = rtsCts ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    if (::SetCommState(handle, &dcb) == 0) {
        return failWith(::GetLastError());
    }
    // A read returns at once with what has arrived; a write may take its time.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutConstant = 5000;
    if (::SetCommTimeouts(handle, &timeouts) == 0) {
        return failWith(::GetLastError());
    }
    // Some drivers (and Wine's ports on a pseudo-terminal) have no DTR line: that is no
    // reason to refuse the port, the cable does not need it.
    ::EscapeCommFunction(handle, SETDTR);
    ::PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
    m_handle = handle;
    return {};
}

void Win32SerialPort::close() {
    if (m_handle != nullptr) {
        ::CloseHandle(handleOf(m_handle));
        m_handle = nullptr;
    }
}

bool Win32SerialPort::isOpen() const {
    return m_handle != nullptr;
}

void Win32SerialPort::setBufferSizes(int inputBytes, int outputBytes) {
    m_inputBytes = inputBytes;
    m_outputBytes = outputBytes;
}

void Win32SerialPort::write(std::string_view bytes) {
    if (!isOpen()) {
        return;
    }
    while (!bytes.empty()) {
        DWORD written = 0;
        if (::WriteFile(handleOf(m_handle), bytes.data(), static_cast<DWORD>(bytes.size()),
                        &written, nullptr) == 0 ||
            written == 0) {
            return; // the line is gone; the transfer notices by the missing answer
        }
        bytes.remove_prefix(written);
    }
}

void Win32SerialPort::discardInput() {
    if (isOpen()) {
        ::PurgeComm(handleOf(m_handle), PURGE_RXCLEAR);
    }
}

int Win32SerialPort::bytesWaiting() const {
    if (!isOpen()) {
        return 0;
    }
    DWORD errors = 0;
    COMSTAT status{};
    if (::ClearCommError(handleOf(m_handle), &errors, &status) == 0) {
        return 0;
    }
    return static_cast<int>(status.cbInQue);
}

std::string Win32SerialPort::readAll() {
    std::string bytes;
    if (!isOpen()) {
        return bytes;
    }
    char chunk[1024];
    for (;;) {
        DWORD read = 0;
        if (::ReadFile(handleOf(m_handle), chunk, sizeof chunk, &read, nullptr) == 0 || read == 0) {
            break;
        }
        bytes.append(chunk, read);
    }
    return bytes;
}

} // namespace vn574::link
