#pragma once

#include "document/Editor.h"
#include "document/FieldEditors.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::document {

// Rows 1..100 hold the memory channels, the only rows that change places; the scan
// limits, the call channel and the VFO stay where they are.
inline constexpr int firstChannelRow = 1;
inline constexpr int lastChannelRow = 100;

// What an in-place editor took from the user, so that the same entry can go through the
// column's rule in other rows: the typed text or the picked entry, and for the tone
// editor the list it was picked from.
struct CellEntry {
    int column = 0;
    std::string text;
    ToneList toneList = ToneList::Kind;
};

enum class OffsetDirection { Plus, Minus, Simplex };

struct SortOrder {
    int column = colName; // grid column 2..16
    bool descending = false;
    bool inUseFirst = true;
};

// Reorganising the memory channels and editing many rows at once. A channel moves whole:
// its table row (columns 1..18), its grid cells and its row step, and every PRI reference
// to it and the radio's MR channel (option MR No) follow it. Each operation is one undo step;
// refusals are shown in one message and returned.
class RowOperations {
public:
    RowOperations(Editor& editor, FieldEditors& fields) : m_editor(editor), m_fields(fields) {}

    // A new channel, not in use, before `row`; the channels from there on move down one.
    // Refused with a message while channel 99 is in use, as it would be pushed out.
    bool insertChannel(int row);
    // Deletes the channels among `rows`; the ones after them move up and the last rows
    // become channels not in use. References to a deleted channel become "off".
    bool deleteChannels(const std::vector<int>& rows);
    // Each channel among `rows` swaps with its neighbour above (below), so a selection
    // moves as a block. Returns the rows the channels are now in; empty when the block
    // is at the top (bottom) already.
    std::vector<int> moveUp(const std::vector<int>& rows);
    std::vector<int> moveDown(const std::vector<int>& rows);
    // Stable sort of the 100 channels by one column, renumbering them 0..99. A row not in
    // use sorts by the value it keeps for when it is put back in use; empty values last.
    bool sortChannels(const SortOrder& order);

    // The entry the user made in `editedRow` goes through the column's rule in every
    // other row of `rows` that is in use. Rows whose rule refuses keep their values and
    // are listed in one message and returned.
    std::vector<int> setColumn(int editedRow, const std::vector<int>& rows, const CellEntry& entry);
    // Tx = Rx + or - the offset (Rx for simplex), snapped with the row's step and checked
    // against the model's transmit band, in every row of `rows` that is in use.
    std::vector<int> setRepeaterOffset(const std::vector<int>& rows, OffsetDirection direction,
                                       double offsetMHz);
    // An offset as typed: a number of MHz, not negative, "." as decimal separator.
    [[nodiscard]] static std::optional<double> parseOffset(std::string_view text);

    [[nodiscard]] static std::vector<int> channelRows(const std::vector<int>& rows);
    [[nodiscard]] static bool canMoveUp(const std::vector<int>& rows);
    [[nodiscard]] static bool canMoveDown(const std::vector<int>& rows);
    // The columns Sort can order by, in grid order.
    [[nodiscard]] static std::vector<int> sortColumns();

private:
    // Puts old channel row source[p - 1] at row p (0: a new channel not in use), and
    // points every PRI reference and the MR channel at where its channel went. Returns
    // the MR channel when it was not kept and fell back to the new-document value.
    std::optional<int> rearrange(const std::vector<int>& source);
    std::optional<int> followMrChannel(const std::vector<int>& source);
    void showMrFallback(std::optional<int> lostChannel);
    [[nodiscard]] std::string sortKey(int row, int column) const;
    void normaliseSignalMemories(int row);
    void showRefused(std::string_view key, const std::vector<int>& refused,
                     const std::string& detail = {});

    Editor& m_editor;
    FieldEditors& m_fields;
};

} // namespace vn574::document
