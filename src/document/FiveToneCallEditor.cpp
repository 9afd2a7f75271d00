#include "document/FiveToneCallEditor.h"

namespace vn574::document {
namespace {

constexpr std::string_view designId = "12345";

} // namespace

SpecialCallEditor::SpecialCallEditor(FiveToneEditor& fiveTone) : m_fiveTone(fiveTone) {}

std::string SpecialCallEditor::caption(std::string_view key) const {
    return m_fiveTone.caption(key);
}

void SpecialCallEditor::open() {
    m_target = m_fiveTone.specialCallTarget();
    const int row = m_fiveTone.gridRow();
    m_memory = row >= 1 ? row - 1 : 0;
    m_channel = 0;
    m_ids.fill(std::string(designId));
    m_message.clear();
    chooseKind(0);
}

std::string SpecialCallEditor::memoryLabel() const {
    switch (m_target) {
    case SpecialCallTarget::PttIdBegin:
        return "PTTID BEGIN";
    case SpecialCallTarget::PttIdEnd:
        return "PTTID END";
    case SpecialCallTarget::Memory:
        break;
    }
    return caption("60063");
}

std::string SpecialCallEditor::kindText(int kind) const {
    if (kind < 0 || kind >= specialCallKindCount) {
        return {};
    }
    return specialCallKindText(static_cast<SpecialCallKind>(kind), m_fiveTone.optionTexts());
}

void SpecialCallEditor::setMemory(int memory) {
    if (memory >= 0 && memory < 100) {
        m_memory = memory;
    }
}

void SpecialCallEditor::chooseKind(int kind) {
    if (kind >= 0 && kind < specialCallKindCount) {
        m_kind = kind;
    }
}

SpecialCallEditor::Frame SpecialCallEditor::frame() const {
    switch (static_cast<SpecialCallKind>(m_kind)) {
    case SpecialCallKind::DataMessage:
        return Frame::DataMessage;
    case SpecialCallKind::EmergencyAlarm:
        return Frame::EmergencyAlarm;
    case SpecialCallKind::AlarmReset:
        return Frame::None;
    case SpecialCallKind::Ani:
    case SpecialCallKind::RemoteStun:
    case SpecialCallKind::RemoteRevive:
        return Frame::Id;
    }
    return Frame::None;
}

std::string SpecialCallEditor::idFrameCaption() const {
    return frame() == Frame::Id ? kindText(m_kind) : std::string("ANI");
}

void SpecialCallEditor::setChannel(int channel) {
    if (channel >= 0 && channel < 100) {
        m_channel = channel;
    }
}

void SpecialCallEditor::warnShortId() {
    m_fiveTone.editor().prompts().message(m_fiveTone.editor().langText("MSG", "900C"));
}

bool SpecialCallEditor::leaveId(int box) {
    if (m_ids.at(index(box)).size() < specialIdLength) {
        warnShortId();
        return false;
    }
    return true;
}

bool SpecialCallEditor::ok() {
    const auto kind = static_cast<SpecialCallKind>(m_kind);
    const int idBox = kind == SpecialCallKind::DataMessage ? 0 : 1;
    const bool needsId = kind == SpecialCallKind::DataMessage || kind == SpecialCallKind::Ani ||
                         kind == SpecialCallKind::RemoteStun ||
                         kind == SpecialCallKind::RemoteRevive;
    if (needsId && m_ids[index(idBox)].size() < specialIdLength) {
        warnShortId();
        return false;
    }
    const std::string& id = m_ids[index(idBox)];
    const bool forPttId = m_target != SpecialCallTarget::Memory;
    const std::string code =
        specialCallCode(kind, forPttId, id, m_message, m_fiveTone.selfIdText());

    if (forPttId) {
        const int k = m_target == SpecialCallTarget::PttIdBegin ? 0 : 1;
        m_fiveTone.setPttCode(k, code);
        m_fiveTone.leavePttCode(k);
        return true;
    }

    std::string details;
    switch (kind) {
    case SpecialCallKind::DataMessage:
        details = id + " " + caption("60084") + m_message;
        break;
    case SpecialCallKind::Ani:
    case SpecialCallKind::RemoteStun:
    case SpecialCallKind::RemoteRevive:
        details = id;
        break;
    case SpecialCallKind::EmergencyAlarm:
    case SpecialCallKind::AlarmReset:
        break;
    }
    m_fiveTone.applySpecialCall(m_memory, Add5ToneE(code), kindText(m_kind), std::move(details));

    if (kind == SpecialCallKind::EmergencyAlarm) {
        // The alarm is sent by the channel chosen here, which from now on signals with
        // this memory. Unlike the memory itself, this goes into the document at once, so
        // it is a change even if the 5-tone editor is cancelled.
        Editor& editor = m_fiveTone.editor();
        Document& document = editor.document();
        const int row = m_channel + 1;
        document.writeBack(document.strChData.at(row, colOptSignal), std::string("5Tone"));
        document.writeBack(document.strChData.at(row, colOptMemory), std::to_string(m_memory));
        // A channel not in use keeps "---" on screen; its table row holds the setting.
        if (editor.isRowActive(row) && editor.cell(row, colOptSignal) != "5Tone") {
            editor.setCell(row, colOptSignal, "5Tone");
            document.bModify = true;
        }
        editor.notify(GridChanged);
    }
    return true;
}

} // namespace vn574::document
