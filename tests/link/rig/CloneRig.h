#pragma once

#include "app/ProcessSettings.h"
#include "document/Editor.h"
#include "link/CloneEngine.h"
#include "link/TransferChain.h"
#include "sim/RadioModel.h"
#include "support/FakePrompts.h"
#include "support/TempDir.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vn574::test {

// Virtual time in milliseconds; nothing in these tests ever sleeps.
struct ManualClock {
    long long now = 0;
};

class FakeTickTimer final : public link::TickTimer {
public:
    explicit FakeTickTimer(ManualClock& clock) : m_clock(clock) {}
    void start() override {
        m_active = true;
        m_nextDue = m_clock.now + m_interval;
    }
    void stop() override { m_active = false; }
    [[nodiscard]] bool isActive() const override { return m_active; }
    // As a QTimer does, a running timer starts its new interval from now.
    void setInterval(int milliseconds) override {
        m_interval = milliseconds;
        if (m_active) {
            m_nextDue = m_clock.now + m_interval;
        }
    }
    [[nodiscard]] int interval() const override { return m_interval; }
    [[nodiscard]] long long nextDue() const { return m_nextDue; }
    void advance() { m_nextDue += m_interval; }

private:
    ManualClock& m_clock;
    bool m_active = false;
    int m_interval = 0;
    long long m_nextDue = 0;
};

class FakeFrameTimer final : public link::FrameTimer {
public:
    explicit FakeFrameTimer(ManualClock& clock) : m_clock(clock) {}
    void start(int milliseconds) override {
        m_due = m_clock.now + milliseconds;
        started.push_back(milliseconds);
    }
    void stop() override { m_due.reset(); }
    [[nodiscard]] std::optional<long long> due() const { return m_due; }
    void fired() { m_due.reset(); }
    std::vector<int> started; // every wait asked for, in order

private:
    ManualClock& m_clock;
    std::optional<long long> m_due;
};

class RecordingView final : public link::CloneView {
public:
    void showProgress(const std::string& text, int value) override {
        progressTexts.push_back(text);
        progressValues.push_back(value);
    }
    void setStartCaption(const std::string& caption) override { startCaption = caption; }
    void closeWindow() override { ++closed; }

    std::vector<std::string> progressTexts;
    std::vector<int> progressValues;
    std::string startCaption;
    int closed = 0;
};

// The serial line with the simulated radio behind it: what the engine writes reaches
// the radio at once; what the radio answers arrives at the port when its time comes.
class SimulatedLine final : public link::SerialPort {
public:
    struct Write {
        long long at;
        std::string bytes;
        bool tickActive;
    };

    SimulatedLine(ManualClock& clock, sim::RadioModel* radio) : m_clock(clock), m_radio(radio) {}

    std::string open(const std::string& name, const link::LineSettings& settings,
                     link::Handshake handshake) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_open; }
    void setBufferSizes(int inputBytes, int outputBytes) override {
        inputBufferSize = inputBytes;
        outputBufferSize = outputBytes;
    }
    void write(std::string_view bytes) override;
    void discardInput() override;
    [[nodiscard]] int bytesWaiting() const override;
    std::string readAll() override;

    // Another radio on the cable (nullptr: nothing, not even the echo).
    void setRadio(sim::RadioModel* radio) { m_radio = radio; }

    // The time the next bytes arrive, if any are on their way that the receiver has not
    // been told of: bytes it leaves waiting are announced once, as a port's signal is.
    [[nodiscard]] std::optional<long long> nextArrival() const;
    void notified();

    std::string openError; // what open() reports while set
    const link::TickTimer* timer = nullptr;
    std::vector<Write> writes;
    std::vector<std::string> openedNames;
    link::LineSettings lastSettings;
    link::Handshake lastHandshake = link::Handshake::RtsCts;
    int opens = 0;
    int closes = 0;
    int discards = 0;
    int inputBufferSize = 0;
    int outputBufferSize = 0;

private:
    struct Chunk {
        long long due;
        std::string bytes;
        bool notified = false;
    };
    ManualClock& m_clock;
    sim::RadioModel* m_radio;
    bool m_open = false;
    std::deque<Chunk> m_inFlight;
};

// The transfer codec of these tests: it copies the blocks it is given into an image
// and encodes blocks from another, with just the decoder duties the engine relies on
// (model comparison, password, end of the pre-read, in-use bits).
class ImageCodec final : public link::TransferCodec {
public:
    explicit ImageCodec(app::ProcessSettings& settings) : m_settings(settings) {}

    void decodeBlock(std::string_view rx, int dataStart, int block,
                     link::TransferState& state) override;
    std::string encodeBlock(int block, const std::string& newPassword) override;
    [[nodiscard]] bool channelInUse(int row) const override;

    sim::Memory received{};
    std::vector<int> decodedBlocks;
    bool sawBadDigits = false;
    std::string selectedModelCode = "66AA33";
    sim::Memory source{};
    int errorBlock = -1;
    std::string errorText = "error"; // what encodeBlock gives for errorBlock

private:
    app::ProcessSettings& m_settings;
    std::array<bool, 105> m_inUse{};
};

// Prompts that remember, for every message, whether the tick was still on and how
// many bytes had been sent when it was shown.
class ObservingPrompts final : public FakePrompts {
public:
    struct Seen {
        std::string text;
        bool tickActive;
        std::size_t writesBefore;
    };
    void message(const std::string& text, app::Icon icon) override;

    const link::TickTimer* timer = nullptr;
    const SimulatedLine* line = nullptr;
    std::vector<Seen> seen;
};

// A clone window in virtual time: the editor with the English texts, the engine and
// the radio on the simulated line.
class CloneRig {
public:
    explicit CloneRig(const sim::Memory& radioMemory, sim::Faults faults = {},
                      bool radioConnected = true);

    // A new clone window on the same process state (the typed password survives).
    void openWindow(link::TransferMode mode);
    // Windows opened from now on use `codec` instead of the image-copying one.
    void useCodec(link::TransferCodec& codec) {
        m_codec = &codec;
        openWindow(state.mode);
    }
    link::CloneEngine& engine() { return *m_engine; }
    // From now on the events go to `chain` instead of the window's engine.
    void drive(link::TransferChain& chain) { m_chain = &chain; }

    // Delivers arrivals and ticks in time order until the window closes or the virtual
    // time limit passes. Returns whether the window closed.
    bool runUntilClosed(long long limitMs = 3'600'000);
    // The same until `done` says so (checked after every event).
    bool runUntil(const std::function<bool()>& done, long long limitMs = 3'600'000);
    void runFor(long long ms);

    // Frames the radio understood, by kind.
    [[nodiscard]] std::vector<int> readBlocks() const;
    [[nodiscard]] std::vector<int> writtenBlocks() const { return radio.writtenBlocks(); }
    [[nodiscard]] int framesNamed(const std::string& text) const;
    [[nodiscard]] std::string text(const std::string& key) const { return m_engine->text(key); }
    // Whether every message so far was shown with the tick off and nothing sent after
    // the last one.
    [[nodiscard]] bool lastMessageEndedCleanly() const;

    TempDir dir;
    app::ProcessSettings settings;
    ObservingPrompts prompts;
    document::Editor editor;
    ManualClock clock;
    FakeTickTimer timer{clock};
    FakeFrameTimer frameTimer{clock};
    RecordingView view;
    sim::RadioModel radio;
    SimulatedLine line;
    ImageCodec codec{settings};
    link::TransferState state;
    link::TickIntervals intervals;

private:
    bool step(long long limitMs);
    std::unique_ptr<link::CloneEngine> m_engine;
    link::TransferChain* m_chain = nullptr;
    link::TransferCodec* m_codec = &codec;
};

// A radio memory of model 9 with `channels` channels in use, every byte of the image
// filled with recognisable values.
sim::Memory sampleRadio(int channels, std::string_view password = "");

// Sets the grid status of rows 1..100: the first `active` rows in use, the rest not.
void setGridRowsInUse(document::Editor& editor, int active);

} // namespace vn574::test
