// Whatever arrives on the serial port during a read or a write: echoes, the radio's
// answers cut, dropped, corrupted or mixed with noise, and a port that goes away.
// The engine must never decode outside its buffer, never send after it has ended
// the transfer, and finish once the radio behaves again.
//
// Built twice: fuzz_clone_read and fuzz_clone_write (VN574_FUZZ_WRITE).
//
// Input: a script of one-byte steps (some take the next byte as an argument):
//   0, 1  tick                       2  deliver what the radio sent
//   3 n   deliver n bytes of it      4 n  deliver n bytes of the script (noise)
//   5     drop what the radio sent   6 x  corrupt the next byte the radio sent
//   7 n   n < 8: the port goes away (a pulled USB adapter); else tick and deliver
#include "FuzzSupport.h"
#include "codec/ImageCodec.h"
#include "files/ChannelFile.h"
#include "link/CloneEngine.h"
#include "link/CodecTransfer.h"
#include "sim/RadioModel.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace {

using namespace vn574;

class NoTimer final : public link::TickTimer {
public:
    void start() override { active = true; }
    void stop() override { active = false; }
    [[nodiscard]] bool isActive() const override { return active; }
    void setInterval(int milliseconds) override { ms = milliseconds; }
    [[nodiscard]] int interval() const override { return ms; }
    bool active = false;
    int ms = 0;
};

// A frame's pauses take no time here: the script finishes every frame at once.
class InstantFrameTimer final : public link::FrameTimer {
public:
    void start(int /*milliseconds*/) override { running = true; }
    void stop() override { running = false; }
    bool running = false;
};

class NoView final : public link::CloneView {
public:
    void showProgress(const std::string& /*text*/, int /*value*/) override {}
    void setStartCaption(const std::string& /*caption*/) override {}
    void closeWindow() override { ++closed; }
    int closed = 0;
};

// The line with the simulated radio behind it; what the radio answers waits in
// `pending` until the script delivers it.
class ScriptedLine final : public link::SerialPort {
public:
    explicit ScriptedLine(sim::RadioModel& radio) : m_radio(radio) {}

    std::string open(const std::string& /*name*/, const link::LineSettings& /*settings*/,
                     link::Handshake /*handshake*/) override {
        if (gone) {
            return "No such file or directory";
        }
        m_open = true;
        return {};
    }
    void close() override { m_open = false; }
    [[nodiscard]] bool isOpen() const override { return m_open; }
    void setBufferSizes(int /*inputBytes*/, int /*outputBytes*/) override {}
    void write(std::string_view bytes) override {
        ++writes;
        if (!m_open) {
            return;
        }
        for (const auto& emission : m_radio.receive(bytes)) {
            pending += emission.bytes;
        }
    }
    void discardInput() override { arrived.clear(); }
    [[nodiscard]] int bytesWaiting() const override { return static_cast<int>(arrived.size()); }
    std::string readAll() override { return std::exchange(arrived, {}); }

    bool gone = false;
    int writes = 0;
    std::string pending;
    std::string arrived;

private:
    sim::RadioModel& m_radio;
    bool m_open = false;
};

sim::Memory radioMemory() {
    std::ifstream in(VN574_TEST_DATA_DIR "/image-2m.img", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    sim::Memory memory{};
    if (bytes.size() != memory.size()) {
        std::abort();
    }
    std::copy(bytes.begin(), bytes.end(), memory.begin());
    return memory;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const sim::Memory memory = radioMemory();
#ifdef VN574_FUZZ_WRITE
    constexpr auto mode = link::TransferMode::Write;
#else
    constexpr auto mode = link::TransferMode::Read;
#endif
    fuzz::LoadedEditor loaded;
    if (mode == link::TransferMode::Write &&
        files::openChannelFile(loaded.editor, VN574_TEST_DATA_DIR "/image-2m.decoded.vd").status !=
            files::OpenStatus::Opened) {
        std::abort();
    }
    sim::RadioModel radio(memory);
    ScriptedLine line(radio);
    NoTimer timer;
    InstantFrameTimer frameTimer;
    NoView view;
    codec::ImageCodec imageCodec(loaded.editor);
    link::CodecTransfer codec(imageCodec);
    link::TransferState state;
    state.mode = mode;
    link::CloneEngine engine(loaded.editor, state, line, timer, frameTimer, view, codec);
    // Every step of a frame follows at once; a frame is a few steps, never an endless run.
    const auto finishFrame = [&] {
        for (int steps = 0; frameTimer.running; ++steps) {
            if (steps > 16) {
                __builtin_trap();
            }
            frameTimer.running = false;
            engine.frameTimerStep();
        }
    };
    engine.load();
    engine.startButton();
    finishFrame();

    int writesAtEnd = -1;
    const auto receive = [&](std::string bytes) {
        if (!line.isOpen()) {
            return; // a closed port reports nothing
        }
        line.arrived += bytes;
        engine.receiveEvent();
        finishFrame();
    };
    const auto tick = [&] {
        if (timer.isActive()) {
            engine.tick();
            finishFrame();
        }
    };
    const auto watch = [&] {
        if (engine.outcome() != link::CloneOutcome::Open) {
            if (writesAtEnd < 0) {
                writesAtEnd = line.writes;
            }
            // Ended means ended: no tick, no frame, the window gone once.
            if (timer.isActive() || line.writes != writesAtEnd || view.closed != 1) {
                __builtin_trap();
            }
        }
    };

    std::size_t at = 0;
    const auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
    while (at < size) {
        switch (next() % 8) {
        case 0:
        case 1:
            tick();
            break;
        case 2:
            receive(std::exchange(line.pending, {}));
            break;
        case 3: {
            const std::size_t n = std::min<std::size_t>(next(), line.pending.size());
            receive(line.pending.substr(0, n));
            line.pending.erase(0, n);
            break;
        }
        case 4: {
            const std::size_t n = std::min<std::size_t>(next() % 64, size - at);
            receive(std::string(reinterpret_cast<const char*>(data + at), n));
            at += n;
            break;
        }
        case 5:
            line.pending.clear();
            break;
        case 6: {
            const std::uint8_t x = next();
            if (!line.pending.empty()) {
                line.pending[0] = static_cast<char>(line.pending[0] ^ x);
            }
            break;
        }
        default:
            if (next() < 8) {
                line.gone = true;
                line.close();
            } else {
                tick();
                receive(std::exchange(line.pending, {}));
            }
            break;
        }
        watch();
    }

    // The radio behaves from now on: the transfer has to come to an end.
    for (int steps = 0; timer.isActive() && steps < 20000; ++steps) {
        tick();
        receive(std::exchange(line.pending, {}));
        watch();
    }
    if (timer.isActive() && engine.outcome() == link::CloneOutcome::Open) {
        std::fprintf(stderr, "still running: block %d, writes %d\n", state.CurBlock, line.writes);
        __builtin_trap();
    }
    watch();
    return 0;
}
