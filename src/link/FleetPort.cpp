#include "link/FleetPort.h"

#include "codec/MemoryMap.h"
#include "document/RadioIdentity.h"
#include "files/BackupStore.h"
#include "files/ChannelFile.h"
#include "link/CodecTransfer.h"
#include "link/RawTransferCodec.h"
#include "codec/ImageCodec.h"
#include "codec/MemoryImage.h"

#include <algorithm>

#include <ctime>

namespace vn574::link {

namespace {

constexpr int probeIntervalMs = 1000;
constexpr int unansweredUntilGone = 3;
constexpr int answeredUntilThere = 2;

std::string ownIdOf(const codec::MemoryImage& image) {
    // Changed in place rather than compared and copied: GCC 12 at -O3 takes the short
    // string's comparison for a read of uninitialised bytes and fails the release build.
    files::BackupIdentity identity = files::identityOfImage(image);
    if (identity.tag == "none") {
        identity.tag.clear();
    }
    return std::move(identity.tag);
}

std::string joined(const std::vector<std::string>& messages) {
    std::string text;
    for (const auto& message : messages) {
        text += (text.empty() ? "" : " ") + message;
    }
    return text;
}

// Opens the plan into `editor` as a write would take it; "" or why it cannot be written.
std::string openPlan(document::Editor& editor, FleetPrompts& prompts, const std::string& plan) {
    prompts.messages.clear();
    if (!files::openChannelFile(editor, plan).ok()) {
        return plan + ": the plan cannot be opened: " + joined(prompts.messages);
    }
    editor.UpdateAllArray();
    return {};
}

// Whether the editor's document encodes; "" or the encoder's reasons.
std::string encodes(document::Editor& editor, FleetPrompts& prompts) {
    prompts.messages.clear();
    codec::ImageCodec imageCodec(editor);
    CodecTransfer transfer(imageCodec);
    if (encodeDocumentWrite(editor, transfer, false, {}).refused) {
        return prompts.messages.empty() ? std::string("the data cannot be encoded")
                                        : joined(prompts.messages);
    }
    return {};
}

} // namespace

std::string checkFleet(const app::ProcessSettings& settings, const std::string& planPath,
                       const std::vector<files::RadioRow>& radios, const std::string& listName) {
    app::ProcessSettings scratch = settings;
    FleetPrompts prompts;
    document::Editor editor(scratch, prompts);
    editor.load();
    if (std::string error = openPlan(editor, prompts, planPath); !error.empty()) {
        return error;
    }
    bool anyInUse = false;
    for (int row = 1; row <= 100 && !anyInUse; ++row) {
        anyInUse = codec::isRowWritten(editor, row);
    }
    if (!anyInUse) {
        return planPath + ": the plan has no channel in use";
    }
    if (std::string error = encodes(editor, prompts); !error.empty()) {
        return planPath + ": the plan cannot be written: " + error;
    }
    for (const auto& radio : radios) {
        const bool hasIdentity = radio.identity.selfId ||
                                 std::any_of(radio.identity.dtmf.begin(), radio.identity.dtmf.end(),
                                             [](const auto& code) { return code.has_value(); });
        if (!hasIdentity) {
            continue;
        }
        const std::string where = listName + " line " + std::to_string(radio.line) + ", column " +
                                  (radio.identity.selfId ? "self_id" : "dtmf") + ": ";
        (void)openPlan(editor, prompts, planPath);
        if (std::string refusal = document::applyIdentity(editor, radio.identity);
            !refusal.empty()) {
            return where + refusal;
        }
        if (std::string error = encodes(editor, prompts); !error.empty()) {
            return where + "the plan cannot be written with this identity: " += error;
        }
    }
    return {};
}

void FleetPrompts::startRadio(std::string password) {
    messages.clear();
    m_password = std::move(password);
}

void FleetPrompts::message(const std::string& text, app::Icon /*icon*/) {
    messages.push_back(text);
}

app::Answer FleetPrompts::ask(const std::string& /*text*/, app::Buttons buttons) {
    return buttons == app::Buttons::Ok ? app::Answer::Ok : app::Answer::No;
}

std::optional<std::string> FleetPrompts::chooseSaveFile(const std::string& /*filter*/,
                                                        const std::string& /*suggestedFile*/) {
    return std::nullopt;
}

std::optional<std::string> FleetPrompts::chooseOpenFile(const std::string& /*filter*/) {
    return std::nullopt;
}

std::optional<std::string> FleetPrompts::askPassword() {
    return std::exchange(m_password, std::nullopt);
}

// The chain's view of the radio being programmed.
class FleetPort::RadioView final : public ChainView {
public:
    explicit RadioView(FleetPort& port) : m_port(port) {}
    void stepStarted(ChainStep step) override {
        const FleetPhase phase = step == ChainStep::Backup  ? FleetPhase::Backup
                                 : step == ChainStep::Write ? FleetPhase::Write
                                                            : FleetPhase::Verify;
        m_port.setPhase(phase, m_port.m_radios[m_port.m_next - 1].line);
    }
    void showProgress(ChainStep /*step*/, const std::string& text, int value) override {
        m_port.m_listener.progress(m_port.portName(), m_port.m_radios[m_port.m_next - 1].line, text,
                                   value);
    }
    void setStartCaption(const std::string& /*caption*/) override {}
    void chainEnded() override { m_port.radioEnded(); }

private:
    FleetPort& m_port;
};

FleetPort::FleetPort(app::ProcessSettings settings, FleetSettings fleet,
                     std::vector<files::RadioRow> radios, SerialPort& port, TickTimer& timer,
                     FrameTimer& frameTimer, FleetListener& listener)
    : m_settings(std::move(settings)), m_editor(m_settings, m_prompts), m_fleet(std::move(fleet)),
      m_radios(std::move(radios)), m_port(port), m_timer(timer), m_frameTimer(frameTimer),
      m_listener(listener), m_view(std::make_unique<RadioView>(*this)), m_frames(port, frameTimer) {
    if (!m_radios.empty()) {
        m_settings.commPort = m_radios.front().port;
    }
    m_settings.radioPassword.clear();
    m_editor.load();
}

FleetPort::~FleetPort() = default;

void FleetPort::setPhase(FleetPhase phase, int line) {
    m_phase = phase;
    m_listener.phaseChanged(portName(), line, phase);
}

void FleetPort::start() {
    if (m_radios.empty()) {
        setPhase(FleetPhase::Done, 0);
        return;
    }
    startRadio();
}

std::string FleetPort::prepare(const files::RadioRow& radio, const codec::MemoryImage* backup) {
    std::string refusal;
    if (backup != nullptr) {
        // What the radio held goes in as it is; the row's values over it were checked
        // with the list.
        refusal =
            document::applyIdentity(m_editor, files::identityOfImage(m_settings, *backup), false);
    }
    if (refusal.empty()) {
        refusal = document::applyIdentity(m_editor, radio.identity);
    }
    m_selfIdAfter = document::identityOfDocument(m_editor).selfId.value_or(std::string());
    return refusal;
}

void FleetPort::startRadio() {
    const files::RadioRow& radio = m_radios[m_next++];
    m_radioStart = std::chrono::steady_clock::now();
    m_prompts.startRadio(radio.password);
    // Every radio starts from the plan as it is on disk: no identity of the radio before
    // it may stay behind. The plan was checked before any radio was touched.
    m_state = TransferState{};
    m_settings.radioPassword.clear();
    (void)files::openChannelFile(m_editor, m_fleet.planPath);
    m_editor.UpdateAllArray();
    m_selfIdAfter.clear();

    ChainPlan plan;
    plan.backup = true;
    plan.verify = true;
    plan.onlyChanged = m_fleet.onlyChanged;
    plan.fastWrite = m_fleet.fast;
    plan.passwordModify = radio.newPassword.has_value();
    plan.newPassword = radio.newPassword.value_or(std::string());
    plan.file = m_fleet.planPath;
    plan.backupFolder = m_fleet.backupFolder;
    plan.backupLabel = radio.label.empty() ? std::to_string(radio.line) : radio.label;
    plan.intervals = m_fleet.intervals;
    if (m_fleet.keepIdentity) {
        plan.prepareWrite = [this, &radio](const codec::MemoryImage& backup) {
            return prepare(radio, &backup);
        };
    } else if (const std::string refusal = prepare(radio, nullptr); !refusal.empty()) {
        m_prompts.message(refusal, app::Icon::Error);
    }
    if (m_chain) {
        m_spentChains.push_back(std::move(m_chain));
    }
    m_chain = std::make_unique<TransferChain>(m_editor, m_state, m_port, m_timer, m_frameTimer,
                                              *m_view, std::move(plan));
    m_chain->start();
}

void FleetPort::radioEnded() {
    const files::RadioRow& radio = m_radios[m_next - 1];
    const ChainResult& result = m_chain->result();
    const codec::MemoryImage& backup = m_chain->backupImage();
    const bool backedUp = !result.backupPath.empty();

    files::FleetLogRow row;
    row.time = std::time(nullptr);
    row.port = portName();
    row.label = radio.label;
    row.model = backedUp ? modelCodeOfImage(backup) : std::string();
    row.selfIdBefore = backedUp ? ownIdOf(backup) : std::string();
    row.selfIdAfter = result.blocksWritten > 0 ? m_selfIdAfter : std::string();
    row.plan = m_fleet.planPath;
    row.planSha256 = m_fleet.planSha256;
    row.backup = result.backupPath;
    row.blocksWritten = result.blocksWritten;
    const bool verified =
        result.ok || (result.failedStep == ChainStep::Verify && !result.transferFailed);
    row.verify = !verified ? std::string() : result.ok ? "ok" : "differs";
    row.ok = result.ok;
    const std::string completed = m_editor.langText("RW", "msg3");
    std::erase(m_prompts.messages, completed);
    if (!result.ok && result.stepOutcome == CloneOutcome::Closed && !m_stopping) {
        // The gate asked again: the list's password was not the radio's, or none was given.
        m_prompts.messages.emplace_back(
            radio.password.empty() ? "the radio has a password; give it in the password column"
                                   : "the password in the radio list is not the radio's");
    }
    row.message = joined(m_prompts.messages);
    row.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_radioStart).count();
    m_listener.radioFinished(row);

    if (m_stopping || m_next >= m_radios.size()) {
        setPhase(FleetPhase::Done, 0);
        return;
    }
    waitForNextRadio();
}

void FleetPort::waitForNextRadio() {
    setPhase(FleetPhase::Waiting, 0);
    m_radioGone = false;
    m_streak = 0;
    m_probeSent = false;
    m_timer.setInterval(probeIntervalMs);
    m_timer.start();
}

void FleetPort::probe() {
    if (m_probeSent) {
        // What came back since the last probe: the echo alone is no answer.
        const bool answered = m_rx.FindPattern(okLine) >= 0;
        if (!m_radioGone) {
            m_streak = answered ? 0 : m_streak + 1;
            if (m_streak >= unansweredUntilGone) {
                m_radioGone = true;
                m_streak = 0;
            }
        } else {
            m_streak = answered ? m_streak + 1 : 0;
            if (m_streak >= answeredUntilThere) {
                m_timer.stop();
                if (m_port.isOpen()) {
                    m_port.close();
                }
                startRadio();
                return;
            }
        }
    }
    m_rx.clear();
    m_probeSent = false;
    if (!m_port.isOpen()) {
        const auto line = LineSettings::parse(m_settings.commSettings);
        if (!line || !m_port.open(portName(), *line, Handshake::None).empty()) {
            // A port that cannot be opened now (an adapter being changed) has no radio.
            m_probeSent = true;
            return;
        }
    }
    m_port.discardInput();
    m_frames.send(identFrame(), shortFramePauseMs);
    m_probeSent = true;
}

void FleetPort::stop() {
    if (m_phase == FleetPhase::Done || m_stopping) {
        return;
    }
    m_stopping = true;
    if (m_phase == FleetPhase::Waiting) {
        m_timer.stop();
        if (m_port.isOpen() && !m_frames.busy()) {
            m_port.close();
        }
        setPhase(FleetPhase::Done, 0);
        return;
    }
    m_chain->stop();
}

void FleetPort::tick() {
    if (m_phase == FleetPhase::Waiting) {
        if (!m_frames.busy()) {
            probe();
        }
        return;
    }
    if (m_chain && m_phase != FleetPhase::Done) {
        m_chain->tick();
    }
}

void FleetPort::frameTimerStep() {
    if (m_phase == FleetPhase::Waiting || (m_phase == FleetPhase::Done && m_frames.busy())) {
        m_frames.step();
        if (m_phase == FleetPhase::Done && !m_frames.busy() && m_port.isOpen()) {
            m_port.close();
        }
        return;
    }
    if (m_chain && m_phase != FleetPhase::Done) {
        m_chain->frameTimerStep();
    }
}

void FleetPort::receiveEvent() {
    if (m_phase == FleetPhase::Waiting) {
        if (m_port.isOpen()) {
            m_rx.append(m_port.readAll());
        }
        return;
    }
    if (m_chain && m_phase != FleetPhase::Done) {
        m_chain->receiveEvent();
    }
}

bool FleetPort::sendingFrame() const {
    if (m_phase == FleetPhase::Waiting || m_phase == FleetPhase::Done) {
        return m_frames.busy();
    }
    return m_chain && m_chain->sendingFrame();
}

} // namespace vn574::link
