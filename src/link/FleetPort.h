#pragma once

#include "app/ProcessSettings.h"
#include "app/UserPrompts.h"
#include "document/Editor.h"
#include "files/FleetLog.h"
#include "files/RadioList.h"
#include "link/CloneFrames.h"
#include "link/RxBuffer.h"
#include "link/TransferChain.h"

#include <memory>
#include <string>
#include <vector>

namespace vn574::link {

// What every radio of a fleet run shares.
struct FleetSettings {
    std::string planPath;   // the channel data file every radio gets
    std::string planSha256; // of its bytes, for the log
    bool fast = false;      // the writes' pacing; backups and verifies are always fast
    bool keepIdentity = false;
    bool onlyChanged = false;
    std::string backupFolder; // "" for the standard backups folder
    TickIntervals intervals;
};

enum class FleetPhase { Backup, Write, Verify, Waiting, Done };

// What a host shows of a fleet run, port by port.
class FleetListener {
public:
    virtual ~FleetListener() = default;
    // `line` is the radio's line in the radio list (0 while waiting for the next radio).
    virtual void phaseChanged(const std::string& port, int line, FleetPhase phase) = 0;
    virtual void progress(const std::string& port, int line, const std::string& text,
                          int value) = 0;
    virtual void radioFinished(const files::FleetLogRow& row) = 0;
};

// The prompts of one port's radios: messages are collected for the log, questions are
// answered no, and the password window gets the radio's password from the list once;
// a wrong one is asked for again, answered nothing, and fails that radio.
class FleetPrompts final : public app::UserPrompts {
public:
    void startRadio(std::string password);
    void message(const std::string& text, app::Icon icon) override;
    app::Answer ask(const std::string& text, app::Buttons buttons) override;
    std::optional<std::string> chooseSaveFile(const std::string& filter,
                                              const std::string& suggestedFile) override;
    std::optional<std::string> chooseOpenFile(const std::string& filter) override;
    std::optional<std::string> askPassword() override;

    std::vector<std::string> messages; // of the radio being programmed

private:
    std::optional<std::string> m_password;
};

// Checks a fleet before any radio is touched: the plan opens, has a channel in use and
// encodes, and so does the plan with each radio's identity applied. "" or the refusal,
// naming the file, and for a radio its line in `listName` and the column.
std::string checkFleet(const app::ProcessSettings& settings, const std::string& planPath,
                       const std::vector<files::RadioRow>& radios, const std::string& listName);

// The radios of one port, one after another: each gets the safe write (backup, the plan
// with its identity, verify). Between two radios the port sends the identification frame
// once a second: three unanswered in a row (the cable's echo is no answer) and the radio
// is gone; two answered in a row and the next one is there. Each port has its own
// document, password and option flags, so that ports run side by side on one event loop.
class FleetPort {
public:
    FleetPort(app::ProcessSettings settings, FleetSettings fleet,
              std::vector<files::RadioRow> radios, SerialPort& port, TickTimer& timer,
              FrameTimer& frameTimer, FleetListener& listener);
    ~FleetPort();
    FleetPort(const FleetPort&) = delete;
    FleetPort& operator=(const FleetPort&) = delete;

    void start();
    // Ends the radio being programmed after its current frame, or the wait; no radio
    // after it is started.
    void stop();

    void tick();
    void frameTimerStep();
    void receiveEvent();
    [[nodiscard]] bool sendingFrame() const;

    [[nodiscard]] const std::string& portName() const { return m_settings.commPort; }
    [[nodiscard]] bool finished() const { return m_phase == FleetPhase::Done; }
    [[nodiscard]] FleetPhase phase() const { return m_phase; }

private:
    class RadioView;

    void startRadio();
    void radioEnded();
    void waitForNextRadio();
    void probe();
    void setPhase(FleetPhase phase, int line);
    [[nodiscard]] std::string prepare(const files::RadioRow& radio,
                                      const codec::MemoryImage* backup);

    app::ProcessSettings m_settings;
    FleetPrompts m_prompts;
    document::Editor m_editor;
    FleetSettings m_fleet;
    std::vector<files::RadioRow> m_radios;
    SerialPort& m_port;
    TickTimer& m_timer;
    FrameTimer& m_frameTimer;
    FleetListener& m_listener;
    std::unique_ptr<RadioView> m_view;

    std::size_t m_next = 0; // the radio to program next
    FleetPhase m_phase = FleetPhase::Waiting;
    bool m_stopping = false;
    TransferState m_state;
    std::unique_ptr<TransferChain> m_chain;
    std::vector<std::unique_ptr<TransferChain>> m_spentChains;
    std::chrono::steady_clock::time_point m_radioStart;
    std::string m_selfIdAfter;

    // Waiting for the next radio.
    FrameSender m_frames;
    RxBuffer m_rx;
    bool m_probeSent = false;
    bool m_radioGone = false;
    int m_streak = 0; // unanswered probes until gone, answered ones after
};

} // namespace vn574::link
