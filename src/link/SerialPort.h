#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vn574::link {

// The line settings of CommSettings, "9600,n,8,1".
struct LineSettings {
    int baudRate = 9600;
    char parity = 'n'; // 'n', 'e', 'o', 'm' or 's'
    int dataBits = 8;
    int stopBits = 1;

    // Parses "baud,parity,data,stop"; nullopt when the text is no such setting.
    static std::optional<LineSettings> parse(std::string_view text);
    bool operator==(const LineSettings&) const = default;
};

enum class Handshake { None, RtsCts };

// The one serial port of a transfer. The Qt adapter puts it on QSerialPort; tests put
// a simulated radio behind it.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the port named `name` (a platform name such as "ttyUSB0", "COM3" or a full
    // device path). Returns "" or the platform's description of the error.
    virtual std::string open(const std::string& name, const LineSettings& settings,
                             Handshake handshake) = 0;
    virtual void close() = 0;
    [[nodiscard]] virtual bool isOpen() const = 0;

    // Sizes of the input and output buffers, set before the port is opened.
    virtual void setBufferSizes(int inputBytes, int outputBytes) = 0;

    virtual void write(std::string_view bytes) = 0;
    // Throws away whatever has arrived and not been read.
    virtual void discardInput() = 0;
    [[nodiscard]] virtual int bytesWaiting() const = 0;
    // Every waiting byte, as bytes.
    virtual std::string readAll() = 0;
};

} // namespace vn574::link
