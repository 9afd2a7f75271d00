#pragma once

#include "link/SerialPort.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::link {

// A record of one transfer as it went over the line: every byte sent, every byte
// received (also bytes thrown away unread), the port opening and closing, with the
// milliseconds since the record started. A user whose radio refuses a transfer can
// save it and show exactly what happened. Only the radio password is left out: the
// data digits of block 4, in read replies and in write frames (and their echo), are
// recorded as '*', so that a trace never gives away the password of a locked radio.
class TransferTrace {
public:
    enum class Kind { Open, Close, Sent, Received, Discarded, Note };
    struct Entry {
        std::int64_t ms = 0;
        Kind kind = Kind::Note;
        std::string data; // bytes for Sent/Received/Discarded, text otherwise
    };

    // `nowMs` gives the current time in milliseconds; the steady clock when empty.
    explicit TransferTrace(std::function<std::int64_t()> nowMs = {});

    void add(Kind kind, std::string data);
    void clear();
    [[nodiscard]] const std::vector<Entry>& entries() const { return m_entries; }
    [[nodiscard]] bool empty() const { return m_entries.empty(); }

    // The record as text: a heading, then one line per entry with its time, its kind,
    // the byte count and the bytes with control characters and non-ASCII bytes escaped
    // (\r, \n, \xNN), so that the frames read as they were sent.
    [[nodiscard]] std::string text() const;

    // Bytes as the trace shows them.
    static std::string escaped(std::string_view bytes);

private:
    // Finds block 4's data digits in one direction of the line, also when a frame or
    // a reply arrives in pieces.
    class PasswordMask {
    public:
        void apply(std::string& bytes);
        void reset() { *this = PasswordMask(); }

    private:
        std::string m_recent; // the last bytes seen, enough to hold a frame's start
        int m_toMask = 0;     // data digits still to come
    };

    [[nodiscard]] std::int64_t elapsed() const;

    std::function<std::int64_t()> m_now;
    PasswordMask m_sentMask;
    PasswordMask m_receivedMask;
    std::int64_t m_start = -1;
    std::vector<Entry> m_entries;
};

// A serial port that passes everything to `inner` and writes it into `trace`.
class TracingSerialPort final : public SerialPort {
public:
    TracingSerialPort(SerialPort& inner, TransferTrace& trace) : m_inner(inner), m_trace(trace) {}

    std::string open(const std::string& name, const LineSettings& settings,
                     Handshake handshake) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_inner.isOpen(); }
    void setBufferSizes(int inputBytes, int outputBytes) override {
        m_inner.setBufferSizes(inputBytes, outputBytes);
    }
    void write(std::string_view bytes) override;
    void discardInput() override;
    [[nodiscard]] int bytesWaiting() const override { return m_inner.bytesWaiting(); }
    std::string readAll() override;

private:
    SerialPort& m_inner;
    TransferTrace& m_trace;
};

} // namespace vn574::link
