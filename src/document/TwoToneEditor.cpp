#include "document/TwoToneEditor.h"

namespace vn574::document {
namespace {

std::string memoryToneText(const ToneDivider& divider) {
    return std::to_string(frequencyFromDivider(divider, TwoToneUse::Memory));
}

void storeDecoderTone(const ToneDivider& divider, std::uint8_t& hi, std::uint8_t& lo,
                      std::uint8_t& frac) {
    hi = divider.hi;
    lo = divider.lo;
    frac = divider.frac;
}

} // namespace

TwoToneEditor::TwoToneEditor(Editor& editor) : m_editor(editor) {}

std::string TwoToneEditor::caption(std::string_view key) const {
    return m_editor.langText("OPTION", key);
}

std::string& TwoToneEditor::cellRef(int row, int column) {
    return m_grid.at(cellIndex(row, column));
}

const std::string& TwoToneEditor::cell(int row, int column) const {
    static const std::string none;
    if (row < 0 || row >= gridRows || column < 0 || column >= gridColumns) {
        return none;
    }
    return m_grid[cellIndex(row, column)];
}

void TwoToneEditor::open() {
    m_editRow = 0;
    m_editColumn = 0;
    m_editorVisible = false;
    m_editorText.clear();
    m_boxes.fill(std::string(twoToneBoxDefault));
    m_boxEnabled.fill(true);

    cellRef(0, 0) = caption("60053");
    cellRef(0, 1) = caption("60054");
    cellRef(0, 2) = caption("60055");
    for (int row = 1; row < gridRows; ++row) {
        cellRef(row, 0) = std::to_string(row - 1);
    }

    m_editor.document().toneDataEdit = m_editor.document().toneData;
    ToneData& data = edit();
    loadGrid();

    const auto inList = [](int value, TextList list) {
        return value >= 0 && static_cast<std::size_t>(value) < list.size();
    };
    choosePairType(data.twoToneType < twoTonePairTypeCount ? data.twoToneType : 0);
    m_response = data.twoToneSel <= 2 ? data.twoToneSel : 0;
    const std::array<int, 3> timeDefaults{0, 0, twoToneDefaultLongTime};
    for (std::size_t k = 0; k < 3; ++k) {
        const int position = data.twoToneSet[k] - twoToneTimeOffset;
        m_timing[k] = inList(position, TwoToneTimeList()) ? position : timeDefaults[k];
    }
    m_timing[3] = inList(data.twoToneSet[3], TwoToneIntervalList()) ? data.twoToneSet[3]
                                                                    : twoToneDefaultInterval;

    // A decoder that was never set up has zero dividers; it is offered at 1000 Hz.
    const ToneDivider fallback = dividerFromFrequency(twoToneDefaultHz, TwoToneUse::Decoder);
    if (data.toneADivHi == 0 && data.toneADivLo == 0) {
        data.toneADivHi = fallback.hi;
        data.toneADivLo = fallback.lo;
        data.toneAFrac = 0;
    }
    if (data.toneBDivHi == 0 && data.toneBDivLo == 0) {
        data.toneBDivHi = fallback.hi;
        data.toneBDivLo = fallback.lo;
        data.toneBFrac = 0;
    }

    const TwoTonePairType& type = TwoTonePairTypes()[static_cast<std::size_t>(m_pairType)];
    const auto shown = [](std::uint8_t hi, std::uint8_t lo, std::uint8_t frac) {
        return std::to_string(frequencyFromDivider({hi, lo, frac}, TwoToneUse::Decoder));
    };
    m_boxes[static_cast<std::size_t>(type.first)] =
        shown(data.toneADivHi, data.toneADivLo, data.toneAFrac);
    if (type.second >= 0) {
        m_boxes[static_cast<std::size_t>(type.second)] =
            shown(data.toneBDivHi, data.toneBDivLo, data.toneBFrac);
    }
}

void TwoToneEditor::loadGrid() {
    for (int memory = 0; memory < 100; ++memory) {
        const TwoToneRec& rec = edit().twoToneMem[static_cast<std::size_t>(memory)];
        const ToneDivider first{rec.div1Hi, rec.div1Lo, rec.frac1};
        const ToneDivider second{rec.div2Hi, rec.div2Lo, rec.frac2};
        cellRef(memory + 1, 1) = first.isZero() ? "" : memoryToneText(first);
        cellRef(memory + 1, 2) = first.isZero() || second.isZero() ? "" : memoryToneText(second);
    }
}

bool TwoToneEditor::enterCell(int row, int column) {
    if (row < 1 || row >= gridRows || column < 1 || column >= gridColumns) {
        return false;
    }
    if (row == m_editRow && column == m_editColumn && m_editorVisible) {
        return true;
    }
    // A second tone needs a first one.
    if (column == 2 && cell(row, 1).empty()) {
        column = 1;
    }
    commit();
    m_editRow = row;
    m_editColumn = column;
    m_editorText = cell(row, column);
    m_editorVisible = true;
    return true;
}

void TwoToneEditor::commit() {
    if (m_editRow < 1 || m_editColumn < 1) {
        return;
    }
    TwoToneRec& rec = edit().twoToneMem[static_cast<std::size_t>(m_editRow - 1)];
    const auto hertz = limitedTwoToneFrequency(m_editorText);
    if (hertz) {
        cellRef(m_editRow, m_editColumn) = std::to_string(*hertz);
        const ToneDivider divider = dividerFromFrequency(*hertz, TwoToneUse::Memory);
        if (m_editColumn == 1) {
            rec.div1Hi = divider.hi;
            rec.div1Lo = divider.lo;
            rec.frac1 = divider.frac;
        } else {
            rec.div2Hi = divider.hi;
            rec.div2Lo = divider.lo;
            rec.frac2 = divider.frac;
        }
        return;
    }
    cellRef(m_editRow, m_editColumn).clear();
    if (m_editColumn == 1) {
        // The memory is empty now; its second tone must not stay on screen as if it
        // were still stored.
        rec = TwoToneRec{};
        cellRef(m_editRow, 2).clear();
    } else {
        rec.div2Hi = 0;
        rec.div2Lo = 0;
    }
}

void TwoToneEditor::scrolled() {
    commit();
    m_editorVisible = false;
}

void TwoToneEditor::setTiming(int k, int position) {
    const TextList list = k == 3 ? TwoToneIntervalList() : TwoToneTimeList();
    if (k < 0 || k > 3 || position < 0 || static_cast<std::size_t>(position) >= list.size()) {
        return;
    }
    m_timing[static_cast<std::size_t>(k)] = position;
}

void TwoToneEditor::choosePairType(int position) {
    if (position < 0 || position >= twoTonePairTypeCount) {
        return;
    }
    m_pairType = position;
    const TwoTonePairType& type = TwoTonePairTypes()[static_cast<std::size_t>(position)];
    m_boxEnabled.fill(false);
    m_boxEnabled[static_cast<std::size_t>(type.first)] = true;
    if (type.second >= 0) {
        m_boxEnabled[static_cast<std::size_t>(type.second)] = true;
    }
}

void TwoToneEditor::setResponse(int position) {
    if (position >= 0 && position <= 2) {
        m_response = position;
    }
}

void TwoToneEditor::setBoxText(int k, std::string text) {
    if (k >= 0 && k < boxCount) {
        m_boxes[static_cast<std::size_t>(k)] = std::move(text);
    }
}

void TwoToneEditor::leaveBox(int k) {
    if (k >= 0 && k < boxCount) {
        auto& text = m_boxes[static_cast<std::size_t>(k)];
        text = checkedTwoToneBox(text);
    }
}

void TwoToneEditor::ok() {
    ToneData& data = edit();
    data.twoToneSel = static_cast<std::uint8_t>(m_response);
    data.twoToneSet[3] = static_cast<std::uint8_t>(m_timing[3]);
    for (const std::size_t k : {std::size_t{2}, std::size_t{0}, std::size_t{1}}) {
        data.twoToneSet[k] = static_cast<std::uint8_t>(m_timing[k] + twoToneTimeOffset);
    }
    for (int k = 0; k < boxCount; ++k) {
        leaveBox(k);
    }

    data.twoToneType = static_cast<std::uint8_t>(m_pairType);
    const TwoTonePairType& type = TwoTonePairTypes()[static_cast<std::size_t>(m_pairType)];
    const int first = limitedTwoToneFrequency(box(type.first)).value_or(0);
    const int second = type.second >= 0 ? limitedTwoToneFrequency(box(type.second)).value_or(0) : 0;
    storeDecoderTone(dividerFromFrequency(first, TwoToneUse::Decoder), data.toneADivHi,
                     data.toneADivLo, data.toneAFrac);
    if (second > 0) {
        storeDecoderTone(dividerFromFrequency(second, TwoToneUse::Decoder), data.toneBDivHi,
                         data.toneBDivLo, data.toneBFrac);
    } else {
        data.toneBDivHi = 0;
        data.toneBDivLo = 0;
        data.toneBFrac = 0;
    }

    commit();
    m_editor.document().writeBack(m_editor.document().toneData, data);
}

} // namespace vn574::document
