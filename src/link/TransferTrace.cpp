#include "link/TransferTrace.h"

#include <chrono>
#include <cstdio>

namespace vn574::link {

namespace {

std::string_view kindName(TransferTrace::Kind kind) {
    switch (kind) {
    case TransferTrace::Kind::Open:
        return "open ";
    case TransferTrace::Kind::Close:
        return "close";
    case TransferTrace::Kind::Sent:
        return "sent ";
    case TransferTrace::Kind::Received:
        return "recv ";
    case TransferTrace::Kind::Discarded:
        return "drop ";
    case TransferTrace::Kind::Note:
        break;
    }
    return "note ";
}

bool isBytes(TransferTrace::Kind kind) {
    return kind == TransferTrace::Kind::Sent || kind == TransferTrace::Kind::Received ||
           kind == TransferTrace::Kind::Discarded;
}

// What comes right before block 4's data: the write frame's head, and the address of
// a read reply (the colon never stands in data digits, so it marks the reply alone).
constexpr std::string_view passwordWriteHead = "ZT~F0040W";
constexpr std::string_view passwordReplyHead = "0040:";
constexpr int passwordDigits = 32;

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

std::string handshakeName(Handshake handshake) {
    return handshake == Handshake::RtsCts ? "RTS/CTS handshake" : "no handshake";
}

} // namespace

TransferTrace::TransferTrace(std::function<std::int64_t()> nowMs) : m_now(std::move(nowMs)) {
    if (!m_now) {
        m_now = [] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                .count();
        };
    }
}

std::int64_t TransferTrace::elapsed() const {
    return m_now() - m_start;
}

void TransferTrace::PasswordMask::apply(std::string& bytes) {
    for (char& c : bytes) {
        if (m_toMask > 0 && isHexDigit(c)) {
            c = '*';
            --m_toMask;
            continue;
        }
        m_toMask = 0;
        m_recent.push_back(c);
        if (m_recent.size() > passwordWriteHead.size()) {
            m_recent.erase(0, m_recent.size() - passwordWriteHead.size());
        }
        if (m_recent.ends_with(passwordWriteHead) || m_recent.ends_with(passwordReplyHead)) {
            m_toMask = passwordDigits;
        }
    }
}

void TransferTrace::add(Kind kind, std::string data) {
    if (isBytes(kind) && data.empty()) {
        return;
    }
    if (kind == Kind::Sent) {
        m_sentMask.apply(data);
    } else if (kind == Kind::Received || kind == Kind::Discarded) {
        m_receivedMask.apply(data);
    }
    if (m_start < 0) {
        m_start = m_now();
    }
    m_entries.push_back({elapsed(), kind, std::move(data)});
}

void TransferTrace::clear() {
    m_entries.clear();
    m_start = -1;
    m_sentMask.reset();
    m_receivedMask.reset();
}

std::string TransferTrace::escaped(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte >= 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::string TransferTrace::text() const {
    std::string out = "VN-574 transfer trace (block 4, the radio password, is masked: its "
                      "data digits show as *)\n"
                      "      ms  event  bytes  data (\\r, \\n and \\xNN stand for "
                      "control and non-ASCII bytes)\n";
    for (const Entry& entry : m_entries) {
        char head[40];
        std::snprintf(head, sizeof head, "%8lld  %s", static_cast<long long>(entry.ms),
                      std::string(kindName(entry.kind)).c_str());
        out += head;
        if (isBytes(entry.kind)) {
            char count[16];
            std::snprintf(count, sizeof count, "  %5zu  ", entry.data.size());
            out += count + escaped(entry.data);
        } else {
            out += "         " + entry.data;
        }
        out += '\n';
    }
    return out;
}

std::string TracingSerialPort::open(const std::string& name, const LineSettings& settings,
                                    Handshake handshake) {
    const bool wasOpen = m_inner.isOpen();
    std::string error = m_inner.open(name, settings, handshake);
    if (!wasOpen) {
        const std::string line = std::to_string(settings.baudRate) + "," + settings.parity + "," +
                                 std::to_string(settings.dataBits) + "," +
                                 std::to_string(settings.stopBits);
        m_trace.add(TransferTrace::Kind::Open,
                    name + " " + line + ", " + handshakeName(handshake) + ": " +
                        (error.empty() ? std::string("opened") : "failed: " + error));
    }
    return error;
}

void TracingSerialPort::close() {
    if (m_inner.isOpen()) {
        m_trace.add(TransferTrace::Kind::Close, "port closed");
    }
    m_inner.close();
}

void TracingSerialPort::write(std::string_view bytes) {
    m_trace.add(TransferTrace::Kind::Sent, std::string(bytes));
    m_inner.write(bytes);
}

void TracingSerialPort::discardInput() {
    // What the engine throws away can be the very reply a user needs to see, so it is
    // read out first; reading and dropping leaves the port as discarding would.
    if (m_inner.isOpen()) {
        m_trace.add(TransferTrace::Kind::Discarded, m_inner.readAll());
    }
    m_inner.discardInput();
}

std::string TracingSerialPort::readAll() {
    std::string bytes = m_inner.readAll();
    m_trace.add(TransferTrace::Kind::Received, bytes);
    return bytes;
}

} // namespace vn574::link
