#pragma once

#include "link/SerialPort.h"

namespace vn574::link {

// A serial port on the Win32 communications functions, for a Windows build without Qt:
// "COM3" opens \\.\COM3. Reads never wait: a read takes what has arrived.
class Win32SerialPort final : public SerialPort {
public:
    Win32SerialPort() = default;
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    std::string open(const std::string& name, const LineSettings& settings,
                     Handshake handshake) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override;
    void setBufferSizes(int inputBytes, int outputBytes) override;
    void write(std::string_view bytes) override;
    void discardInput() override;
    [[nodiscard]] int bytesWaiting() const override;
    std::string readAll() override;

private:
    void* m_handle = nullptr; // a HANDLE; null while closed
    int m_inputBytes = 4096;
    int m_outputBytes = 4096;
};

} // namespace vn574::link
