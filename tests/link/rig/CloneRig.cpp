#include "rig/CloneRig.h"

#include "codec/HexText.h"
#include "link/CloneFrames.h"
#include "support/TestEnvironment.h"

#include <algorithm>

namespace vn574::test {

std::string SimulatedLine::open(const std::string& name, const link::LineSettings& settings,
                                link::Handshake handshake) {
    if (!openError.empty()) {
        return openError;
    }
    m_open = true;
    ++opens;
    openedNames.push_back(name);
    lastSettings = settings;
    lastHandshake = handshake;
    return {};
}

void SimulatedLine::close() {
    m_open = false;
    ++closes;
    m_inFlight.clear(); // what arrives at a closed port is lost
}

void SimulatedLine::write(std::string_view bytes) {
    writes.push_back({m_clock.now, std::string(bytes), timer != nullptr && timer->isActive()});
    if (!m_open || m_radio == nullptr) {
        return;
    }
    for (const auto& emission : m_radio->receive(bytes)) {
        Chunk chunk{m_clock.now + emission.delayMs, emission.bytes};
        const auto at = std::upper_bound(m_inFlight.begin(), m_inFlight.end(), chunk.due,
                                         [](long long due, const Chunk& c) { return due < c.due; });
        m_inFlight.insert(at, std::move(chunk));
    }
}

void SimulatedLine::discardInput() {
    ++discards;
    while (!m_inFlight.empty() && m_inFlight.front().due <= m_clock.now) {
        m_inFlight.pop_front();
    }
}

int SimulatedLine::bytesWaiting() const {
    int count = 0;
    for (const auto& chunk : m_inFlight) {
        if (chunk.due <= m_clock.now) {
            count += static_cast<int>(chunk.bytes.size());
        }
    }
    return count;
}

std::string SimulatedLine::readAll() {
    std::string bytes;
    while (!m_inFlight.empty() && m_inFlight.front().due <= m_clock.now) {
        bytes += m_inFlight.front().bytes;
        m_inFlight.pop_front();
    }
    return bytes;
}

std::optional<long long> SimulatedLine::nextArrival() const {
    for (const auto& chunk : m_inFlight) {
        if (!chunk.notified) {
            return chunk.due;
        }
    }
    return std::nullopt;
}

void SimulatedLine::notified() {
    for (auto& chunk : m_inFlight) {
        chunk.notified = chunk.notified || chunk.due <= m_clock.now;
    }
}

void ImageCodec::decodeBlock(std::string_view rx, int dataStart, int block,
                             link::TransferState& state) {
    const std::string_view digits = rx.substr(static_cast<std::size_t>(dataStart), 32);
    const auto value = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : (c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1);
    };
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t k = 0; k < 16; ++k) {
        const int high = value(digits[2 * k]);
        const int low = value(digits[2 * k + 1]);
        if (high < 0 || low < 0) {
            sawBadDigits = true;
        }
        bytes[k] = static_cast<std::uint8_t>((high & 0xF) * 16 + (low & 0xF));
    }
    decodedBlocks.push_back(block);
    std::copy(bytes.begin(), bytes.end(), received.begin() + block * 16);

    if (block == 0 && state.bPreRead) {
        const std::string code(digits.substr(2, 6));
        state.ModelCheck = code == selectedModelCode                             ? 0
                           : code.substr(0, 2) == selectedModelCode.substr(0, 2) ? 1
                                                                                 : 2;
    }
    if (block == 4) {
        std::string password;
        for (const auto byte : bytes) {
            password.push_back(byte == 0xFF ? '\0' : static_cast<char>(byte));
        }
        password = codec::TrimAtNul(password) + '\0';
        password.resize(16, ' ');
        m_settings.radioPassword = password;
        state.bPreRead = false;
    }
    if (block == 18) {
        for (int row = 1; row <= 104; ++row) {
            const std::uint8_t byte = bytes[static_cast<std::size_t>((row - 1) / 8)];
            m_inUse[static_cast<std::size_t>(row)] = ((byte >> (7 - (row - 1) % 8)) & 1) != 0;
        }
    }
}

std::string ImageCodec::encodeBlock(int block, const std::string& newPassword) {
    if (block == errorBlock) {
        return errorText;
    }
    if (block == 4) {
        sim::Memory memory{};
        std::copy(newPassword.begin(), newPassword.end(), memory.begin() + 64);
        return sim::blockDigits(memory, 4);
    }
    return sim::blockDigits(source, block);
}

bool ImageCodec::channelInUse(int row) const {
    return m_inUse[static_cast<std::size_t>(row)];
}

void ObservingPrompts::message(const std::string& text, app::Icon icon) {
    FakePrompts::message(text, icon);
    seen.push_back(
        {text, timer != nullptr && timer->isActive(), line != nullptr ? line->writes.size() : 0});
}

CloneRig::CloneRig(const sim::Memory& radioMemory, sim::Faults faults, bool radioConnected)
    : editor(settings, prompts), radio(radioMemory, faults),
      line(clock, radioConnected ? &radio : nullptr) {
    settings.paths.languageFolder = languageFolder();
    settings.paths.settingsFolder = dir.path();
    settings.language = app::Language(languageFolder(), "english.ini");
    settings.commPort = "ttyUSB0";
    editor.load();
    line.timer = &timer;
    prompts.timer = &timer;
    prompts.line = &line;
    openWindow(link::TransferMode::Read);
}

void CloneRig::openWindow(link::TransferMode mode) {
    state.mode = mode;
    m_engine = std::make_unique<link::CloneEngine>(editor, state, line, timer, frameTimer, view,
                                                   *m_codec, intervals);
    m_engine->load();
}

bool CloneRig::step(long long limitMs) {
    const auto arrival = line.nextArrival();
    const bool ticking = timer.isActive();
    const auto framePart = frameTimer.due();
    if (!arrival && !ticking && !framePart) {
        return false;
    }
    // Bytes that arrive no later than the timers come first, as the event loop would
    // have delivered them while waiting; then the frame's next part, then the tick.
    // While a frame goes out, the engine takes the bytes only once it is sent.
    const bool sending = m_chain != nullptr ? m_chain->sendingFrame() : m_engine->sendingFrame();
    const bool arrivalFirst = arrival && !sending && (!framePart || *arrival <= *framePart) &&
                              (!ticking || *arrival <= timer.nextDue());
    if (framePart && !arrivalFirst && (!ticking || *framePart <= timer.nextDue())) {
        if (*framePart > limitMs) {
            return false;
        }
        clock.now = std::max(clock.now, *framePart);
        frameTimer.fired();
        if (m_chain != nullptr) {
            m_chain->frameTimerStep();
        } else {
            m_engine->frameTimerStep();
        }
        return true;
    }
    if (arrivalFirst) {
        if (*arrival > limitMs) {
            return false;
        }
        clock.now = std::max(clock.now, *arrival);
        if (line.isOpen() && m_chain != nullptr) {
            m_chain->receiveEvent();
            line.notified();
        } else if (line.isOpen()) {
            m_engine->receiveEvent();
            line.notified();
        } else {
            line.readAll();
        }
        return true;
    }
    if (timer.nextDue() > limitMs) {
        return false;
    }
    clock.now = std::max(clock.now, timer.nextDue());
    timer.advance();
    if (m_chain != nullptr) {
        m_chain->tick();
    } else {
        m_engine->tick();
    }
    return true;
}

bool CloneRig::runUntil(const std::function<bool()>& done, long long limitMs) {
    while (!done()) {
        if (!step(limitMs)) {
            return done();
        }
    }
    return true;
}

bool CloneRig::runUntilClosed(long long limitMs) {
    return runUntil([this] { return m_engine->outcome() != link::CloneOutcome::Open; }, limitMs);
}

void CloneRig::runFor(long long ms) {
    const long long until = clock.now + ms;
    runUntil([] { return false; }, until);
    clock.now = std::max(clock.now, until);
}

std::vector<int> CloneRig::readBlocks() const {
    std::vector<int> blocks;
    for (const auto& frame : radio.frames()) {
        if (frame.size() == 9 && frame[8] == 'R') {
            blocks.push_back(std::stoi(frame.substr(4, 4), nullptr, 16) / 16);
        }
    }
    return blocks;
}

int CloneRig::framesNamed(const std::string& text) const {
    return static_cast<int>(std::count(radio.frames().begin(), radio.frames().end(), text));
}

bool CloneRig::lastMessageEndedCleanly() const {
    if (prompts.seen.empty()) {
        return false;
    }
    const auto& last = prompts.seen.back();
    return !last.tickActive && last.writesBefore == line.writes.size() && !timer.isActive();
}

sim::Memory sampleRadio(int channels, std::string_view password) {
    sim::Memory memory{};
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i] = static_cast<std::uint8_t>((i * 7 + i / 16) & 0xFF);
    }
    const std::uint8_t code[3] = {0x66, 0xAA, 0x33};
    std::copy(code, code + 3, memory.begin() + 1);
    std::fill(memory.begin() + 64, memory.begin() + 80, 0);
    std::copy(password.begin(), password.end(), memory.begin() + 64);
    std::fill(memory.begin() + 18 * 16, memory.begin() + 19 * 16, 0);
    for (int row = 1; row <= channels; ++row) {
        memory[static_cast<std::size_t>(18 * 16 + (row - 1) / 8)] |=
            static_cast<std::uint8_t>(0x80 >> ((row - 1) % 8));
    }
    return memory;
}

void setGridRowsInUse(document::Editor& editor, int active) {
    for (int row = 1; row <= 100; ++row) {
        if (row <= active) {
            editor.setActiveStatus(row);
        } else {
            editor.setInactiveStatus(row);
        }
    }
}

} // namespace vn574::test
