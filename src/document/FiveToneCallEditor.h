#pragma once

#include "document/FiveToneEditor.h"

#include <array>
#include <string>

namespace vn574::document {

// FrmSpecial without its widgets: builds a special call and writes it, on OK, into the
// 5-tone editor's memory or PTT ID code chosen by its target. An emergency alarm on a
// memory also sets one channel to send that memory.
class SpecialCallEditor {
public:
    // The frames of the dialog; which one a kind shows.
    enum class Frame { None, DataMessage, EmergencyAlarm, Id };

    explicit SpecialCallEditor(FiveToneEditor& fiveTone);

    void open();

    [[nodiscard]] std::string caption(std::string_view key) const;
    [[nodiscard]] SpecialCallTarget target() const { return m_target; }
    // Label1(0): the memory label, or "PTTID BEGIN"/"PTTID END" for a PTT ID target.
    [[nodiscard]] std::string memoryLabel() const;
    [[nodiscard]] bool memoryListVisible() const { return m_target == SpecialCallTarget::Memory; }
    [[nodiscard]] std::string kindText(int kind) const;

    [[nodiscard]] int memory() const { return m_memory; }
    void setMemory(int memory);
    [[nodiscard]] int kind() const { return m_kind; }
    void chooseKind(int kind);
    [[nodiscard]] Frame frame() const;
    [[nodiscard]] std::string idFrameCaption() const; // Frame4 takes the kind's text
    [[nodiscard]] int channel() const { return m_channel; }
    void setChannel(int channel);

    // The two ID boxes: 0 of the data message, 1 of ANI and the remote calls.
    [[nodiscard]] const std::string& id(int box) const { return m_ids.at(index(box)); }
    void setId(int box, std::string text) { m_ids.at(index(box)) = std::move(text); }
    // An ID box losing the focus: warns when the ID is short. False after a warning.
    bool leaveId(int box);
    [[nodiscard]] const std::string& message() const { return m_message; }
    void setMessage(std::string text) { m_message = std::move(text); }

    // OK: false (and nothing written) when the kind's ID is short; true when the call
    // was written and the dialog closes.
    bool ok();

private:
    static std::size_t index(int box) { return static_cast<std::size_t>(box); }
    void warnShortId();

    FiveToneEditor& m_fiveTone;
    SpecialCallTarget m_target = SpecialCallTarget::Memory;
    int m_memory = 0;
    int m_kind = 0;
    int m_channel = 0;
    std::array<std::string, 2> m_ids{};
    std::string m_message;
};

} // namespace vn574::document
