#include "link/TransferChain.h"

#include "codec/HexText.h"
#include "codec/ImageCodec.h"
#include "codec/MemoryMap.h"
#include "document/Editor.h"
#include "files/BackupStore.h"
#include "files/TransferHistory.h"
#include "link/CodecTransfer.h"
#include "link/TransferRecords.h"

#include <ctime>
#include <span>

namespace vn574::link {

namespace {

constexpr int passwordBlock = 4;
constexpr int blockBytes = 16;

files::TransferOperation operationOf(ChainStep step) {
    switch (step) {
    case ChainStep::Backup:
        return files::TransferOperation::Backup;
    case ChainStep::Write:
        return files::TransferOperation::Write;
    case ChainStep::Verify:
        return files::TransferOperation::Verify;
    case ChainStep::Restore:
        break;
    }
    return files::TransferOperation::Restore;
}

void putBlock(codec::MemoryImage& image, int block, const std::string& digits) {
    codec::hexToBytes(digits, std::span<std::uint8_t>(image).subspan(
                                  static_cast<std::size_t>(block) * blockBytes, blockBytes));
}

} // namespace

std::string differenceLine(const BlockDifference& difference) {
    return "block " + std::to_string(difference.block) + " 0x" + BlockAddress(difference.block) +
           " sent " + difference.sent + " radio " + difference.held;
}

// Hands the engine's view calls of the running step to the chain.
class TransferChain::StepView final : public CloneView {
public:
    explicit StepView(TransferChain& chain) : m_chain(chain) {}
    void showProgress(const std::string& text, int value) override {
        m_chain.m_view.showProgress(m_chain.step(), text, value);
    }
    void setStartCaption(const std::string& caption) override {
        m_chain.m_view.setStartCaption(caption);
    }
    void closeWindow() override { m_chain.stepClosed(); }

private:
    TransferChain& m_chain;
};

TransferChain::TransferChain(document::Editor& editor, TransferState& state, SerialPort& port,
                             TickTimer& timer, FrameTimer& frameTimer, ChainView& view,
                             ChainPlan plan)
    : m_editor(editor), m_state(state), m_port(port), m_timer(timer), m_frameTimer(frameTimer),
      m_view(view), m_plan(std::move(plan)), m_stepView(std::make_unique<StepView>(*this)) {
    switch (m_plan.goal) {
    case ChainPlan::Goal::Write:
        if (m_plan.backup) {
            m_steps.push_back(ChainStep::Backup);
        }
        m_steps.push_back(ChainStep::Write);
        if (m_plan.verify) {
            m_steps.push_back(ChainStep::Verify);
        }
        break;
    case ChainPlan::Goal::Verify:
        m_steps.push_back(ChainStep::Verify);
        break;
    case ChainPlan::Goal::Restore:
        m_steps = {ChainStep::Restore, ChainStep::Verify};
        break;
    }
    m_result.backupPath = m_plan.keptBackup;
}

TransferChain::~TransferChain() = default;

std::string TransferChain::text(const std::string& key) const {
    return m_editor.langText("RW", key);
}

std::string TransferChain::expectedModelCode() const {
    return m_plan.image ? modelCodeOfImage(*m_plan.image)
                        : codec::modelCodeOf(m_editor.selectedModel());
}

bool TransferChain::start() {
    // Everything is encoded before the first frame, before the backup too: a document the
    // radio cannot take must not cost the user a read of the radio. A write prepared
    // after its backup is encoded once the backup is in.
    const bool encodeLater = m_plan.prepareWrite && m_steps.front() == ChainStep::Backup;
    if (m_plan.image) {
        m_documentBlocks = imageWriteBlocks(*m_plan.image);
    } else if (!encodeLater && !encodeDocument()) {
        m_result.transferFailed = true;
        endChain(false);
        return false;
    }
    startStep();
    return !m_result.ended || m_result.ok;
}

bool TransferChain::encodeDocument() {
    std::string newPassword;
    if (m_plan.passwordModify) {
        const auto bytes = codec::passwordBytes(m_plan.newPassword);
        if (!bytes) {
            m_editor.prompts().message(text("rw008"), app::Icon::Warning);
            return false;
        }
        newPassword = *bytes;
    }
    if (m_plan.documentCodec == nullptr) {
        m_imageCodec = std::make_unique<codec::ImageCodec>(m_editor);
        m_documentCodec = std::make_unique<CodecTransfer>(*m_imageCodec);
        m_plan.documentCodec = m_documentCodec.get();
    }
    const bool modify = m_plan.goal == ChainPlan::Goal::Write && m_plan.passwordModify;
    auto encoded = encodeDocumentWrite(m_editor, *m_plan.documentCodec, modify, newPassword);
    if (encoded.refused) {
        if (encoded.malformed) {
            m_editor.prompts().message(text("msg4"));
        }
        return false;
    }
    m_documentBlocks = std::move(encoded.blocks);
    return true;
}

void TransferChain::startStep() {
    const ChainStep current = step();
    m_view.stepStarted(current);
    m_stepStart = std::chrono::steady_clock::now();
    if (m_engine) {
        m_spentEngines.push_back(std::move(m_engine));
    }
    if (m_rawCodec) {
        m_spentCodecs.push_back(std::move(m_rawCodec));
    }

    const bool reading = current == ChainStep::Backup || current == ChainStep::Verify;
    TransferCodec* codec = m_plan.documentCodec;
    if (current != ChainStep::Write) {
        m_rawCodec = std::make_unique<RawTransferCodec>(m_editor.settings().radioPassword);
        if (current != ChainStep::Backup) {
            m_rawCodec->expectModel(expectedModelCode());
        }
        if (current == ChainStep::Restore) {
            m_rawCodec->setSource(*m_plan.image);
        }
        codec = m_rawCodec.get();
    }
    m_state.mode = reading ? TransferMode::Read : TransferMode::Write;
    m_engine = std::make_unique<CloneEngine>(m_editor, m_state, m_port, m_timer, m_frameTimer,
                                             *m_stepView, *codec, m_plan.intervals);
    CloneEngine& engine = *m_engine;
    engine.setChainStep(true, false);
    engine.load();
    if (!engine.loadError().empty()) {
        m_result.transferFailed = true;
        endChain(false);
        return;
    }
    // Backup and verify are our own transfers, with no original timing to keep.
    engine.setFastPacing(reading || m_plan.fastWrite);
    switch (current) {
    case ChainStep::Backup:
        break;
    case ChainStep::Write:
        engine.setPasswordControls(m_plan.passwordModify, m_plan.newPassword);
        engine.setWriteSource(m_documentBlocks);
        if (m_plan.onlyChanged && m_haveBackup) {
            engine.setWritePlanner([this](WriteBlocks& blocks) { planOnlyChanged(blocks); });
        }
        break;
    case ChainStep::Restore:
        engine.setWriteSource(m_documentBlocks);
        // Block 4 holds the password: it is written only when the radio's differs.
        engine.setWritePlanner([this](WriteBlocks& blocks) {
            if (imageBlockDigits(m_rawCodec->image(), passwordBlock) == blocks[passwordBlock]) {
                blocks.erase(passwordBlock);
            }
        });
        break;
    case ChainStep::Verify: {
        const WriteBlocks& compared = m_sentBlocks.empty() ? m_documentBlocks : m_sentBlocks;
        std::vector<int> list;
        for (const auto& entry : compared) {
            list.push_back(entry.first);
        }
        engine.setReadList(std::move(list));
        engine.setModelCheckedRead(true);
        break;
    }
    }
    engine.startButton();
    if (!m_state.bRunning) {
        // The port could not be opened or the new password is no radio's: said already.
        m_result.transferFailed = true;
        m_result.failedStep = current;
        endChain(false);
    }
}

void TransferChain::planOnlyChanged(WriteBlocks& blocks) const {
    // A block the backup did not read (a channel the radio had not in use) is unknown,
    // so it is sent; block 4 is in the write only for a new password, and always goes.
    for (auto entry = blocks.begin(); entry != blocks.end();) {
        const int block = entry->first;
        const bool same = block != passwordBlock && m_backupRead[static_cast<std::size_t>(block)] &&
                          imageBlockDigits(m_backupImage, block) == entry->second;
        entry = same ? blocks.erase(entry) : std::next(entry);
    }
}

void TransferChain::stop() {
    if (m_engine && !m_result.ended) {
        m_engine->closeButton();
    }
}

void TransferChain::tick() {
    if (m_engine && !m_result.ended) {
        m_engine->tick();
    }
}

void TransferChain::frameTimerStep() {
    if (m_engine && !m_result.ended) {
        m_engine->frameTimerStep();
    }
}

void TransferChain::receiveEvent() {
    if (m_engine && !m_result.ended) {
        m_engine->receiveEvent();
    }
}

bool TransferChain::sendingFrame() const {
    return m_engine && m_engine->sendingFrame();
}

void TransferChain::stepClosed() {
    if (m_result.ended) {
        return;
    }
    const ChainStep current = step();
    const bool completed = m_engine->outcome() == CloneOutcome::Completed;
    const bool writing = current == ChainStep::Write || current == ChainStep::Restore;
    if (writing) {
        m_sentBlocks = m_engine->writeBlocks();
        m_result.blocksWritten = m_engine->blocksAcknowledged();
        if (!completed && m_engine->writeFramesSent() > 0) {
            m_result.radioChanged = true;
        }
    }
    if (!completed) {
        failStep(current == ChainStep::Backup ? text("rw027") : std::string());
        return;
    }
    switch (current) {
    case ChainStep::Backup:
        if (!finishBackup()) {
            return;
        }
        break;
    case ChainStep::Write:
    case ChainStep::Restore:
        finishWrite();
        break;
    case ChainStep::Verify:
        if (!finishVerify()) {
            return;
        }
        break;
    }
    if (++m_stepIndex < m_steps.size()) {
        startStep();
    } else {
        endChain(true);
    }
}

bool TransferChain::finishBackup() {
    m_backupImage = m_rawCodec->image();
    for (int block = 0; block < blockCount; ++block) {
        m_backupRead[static_cast<std::size_t>(block)] = m_rawCodec->received(block);
    }
    m_haveBackup = true;
    if (m_plan.keptBackup.empty()) {
        const files::BackupStore store = m_plan.backupFolder.empty()
                                             ? files::BackupStore::standard()
                                             : files::BackupStore(m_plan.backupFolder);
        files::BackupIdentity identity = files::identityOfImage(m_backupImage);
        if (!m_plan.backupLabel.empty()) {
            identity.tag = files::safeBackupLabel(m_plan.backupLabel);
        }
        const auto saved = store.save(m_backupImage, std::time(nullptr), identity);
        if (!saved.error.empty()) {
            std::string message = text("rw028");
            if (const auto at = message.find("%1"); at != std::string::npos) {
                message.replace(at, 2, saved.error);
            }
            failStep(message);
            return false;
        }
        m_result.backupPath = saved.path;
    }
    m_view.backupSaved(m_result.backupPath);
    record(ChainStep::Backup, true, {}, 0, 0);
    // The wrong radio on the cable is refused before anything is written to it.
    const int check = compareModelCodes(modelCodeOfImage(m_backupImage), expectedModelCode());
    if (check != 0) {
        m_editor.prompts().message(text(check == 2 ? "msgmodeltypedif" : "msgbanddif"));
        m_result.failedStep = ChainStep::Backup;
        endChain(false);
        return false;
    }
    if (m_plan.prepareWrite) {
        const std::string refusal = m_plan.prepareWrite(m_backupImage);
        if (!refusal.empty()) {
            m_editor.prompts().message(refusal, app::Icon::Error);
        }
        if (!refusal.empty() || !encodeDocument()) {
            m_result.failedStep = ChainStep::Backup;
            m_result.transferFailed = true;
            endChain(false);
            return false;
        }
    }
    return true;
}

void TransferChain::finishWrite() {
    const ChainStep current = step();
    record(current, true, {}, static_cast<int>(m_sentBlocks.size()), 0);
    // The gates of the transfers still to come meet the password just written.
    if (m_sentBlocks.contains(passwordBlock)) {
        codec::MemoryImage written{};
        putBlock(written, passwordBlock, m_sentBlocks.at(passwordBlock));
        m_state.strEnteredPassword = codec::TrimAtNul(
            codec::radioPasswordOfBlock(std::span<const std::uint8_t>(written).subspan(
                static_cast<std::size_t>(passwordBlock) * blockBytes, blockBytes)));
    }
}

bool TransferChain::finishVerify() {
    const WriteBlocks& compared = m_sentBlocks.empty() ? m_documentBlocks : m_sentBlocks;
    m_result.differences.clear();
    for (const auto& [block, sent] : compared) {
        std::string held = imageBlockDigits(m_rawCodec->image(), block);
        if (held != sent) {
            m_result.differences.push_back({block, sent, std::move(held)});
        }
    }
    if (m_result.differences.empty()) {
        record(ChainStep::Verify, true, {}, 0, 0);
        return true;
    }
    std::string message = text("rw029");
    for (const auto& difference : m_result.differences) {
        message += "\n" + differenceLine(difference);
    }
    m_editor.prompts().message(message, app::Icon::Error);
    // A radio that took a block and holds it otherwise is a write that failed.
    m_result.radioChanged = m_plan.goal != ChainPlan::Goal::Verify && !m_sentBlocks.empty();
    m_result.failedStep = ChainStep::Verify;
    record(ChainStep::Verify, false, text("rw029"), 0,
           static_cast<int>(m_result.differences.size()));
    endChain(false);
    return false;
}

void TransferChain::failStep(const std::string& extraMessage) {
    const ChainStep current = step();
    m_result.failedStep = current;
    m_result.transferFailed = true;
    m_result.stepOutcome = m_engine->outcome();
    const std::string& key = m_engine->failureKey();
    std::string why = key.empty() ? text("rw010") : m_engine->text(key);
    if (!extraMessage.empty()) {
        m_editor.prompts().message(extraMessage, app::Icon::Error);
        why += " " + extraMessage;
    }
    const bool writing = current == ChainStep::Write || current == ChainStep::Restore;
    record(current, false, why, writing ? m_engine->blocksAcknowledged() : 0, 0);
    endChain(false);
}

void TransferChain::endChain(bool ok) {
    m_timer.stop();
    if (m_port.isOpen()) {
        m_port.close();
    }
    m_result.ended = true;
    m_result.ok = ok;
    if (ok) {
        m_editor.prompts().message(text("msg3"));
    }
    m_view.chainEnded();
}

void TransferChain::record(ChainStep recorded, bool ok, const std::string& message, int blocksSent,
                           int blocksDiffering) {
    // What the radio holds, as far as this chain knows it: the backup (or the image
    // restored) with every block sent laid over it.
    const codec::MemoryImage radio =
        imageAfterWrite(m_plan.image ? *m_plan.image : m_backupImage, m_sentBlocks);
    const bool backupStep = recorded == ChainStep::Backup;
    RecordedTransfer row;
    row.operation = operationOf(recorded);
    row.radio = backupStep ? &m_backupImage : &radio;
    row.model = backupStep ? std::string() : expectedModelCode();
    row.file = backupStep ? m_result.backupPath : m_plan.file;
    row.backup = m_plan.goal == ChainPlan::Goal::Restore ? m_plan.file : m_result.backupPath;
    row.blocksSent = blocksSent;
    row.blocksDiffering = blocksDiffering;
    row.ok = ok;
    row.message = message;
    row.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_stepStart).count();
    recordTransfer(m_editor, row);
}

} // namespace vn574::link
