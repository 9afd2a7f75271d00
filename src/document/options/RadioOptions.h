#pragma once

#include "app/Language.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::document {

struct Document;

// Shown by a list that is switched off (and by the "change" lists of a fresh dialog)
// in place of an item; new documents also carry it as the value of some options.
inline constexpr std::string_view hyphenRun = "----------------";

// One choice of an option: the language key of its text (section "OPTION"), or no key
// when the stored value is also the text in every language.
struct OptionItem {
    std::string_view key;
    std::string_view stored;
};

// One of the 27 radio options: its control, the caption's language key, its choices in
// list order (for a check box: unchecked, then checked), the fresh-dialog selection (-1
// shows the hyphen run) and stored value, and the item that a recorded value matching
// none of the stored values selects (none: such a value leaves the option alone).
struct OptionDefinition {
    enum class Kind { List, CheckBox };

    std::string_view name;
    std::string_view captionKey;
    Kind kind = Kind::List;
    std::vector<OptionItem> items;
    int freshItem = 0;
    std::string_view freshStored;
    std::optional<int> otherValueItem;
};

// The radio option editor without its widgets. It keeps one stored value per option,
// which follows the selected item, and the dependent-control rules: the display mode
// decides whether VFO/MR/CALL or the six per-key "change" permissions can be edited,
// and the time-out timer whether the penalty can. Loading a record selects its values
// one by one exactly as the user would, so the rules run in the record's order.
class RadioOptions {
public:
    static constexpr int optionCount = 27;

    // Option numbers: the position of each option in the record after "setup".
    enum Option : int {
        Indication = 1,
        Vfo,
        MrNo,
        SqlNo,
        TxPower,
        ScanStart,
        TxPowerChange,
        KeyLockChange,
        MoniKey,
        CtcssDcsChange,
        TbstOutput,
        DtmfBurstDelay,
        Dtmf1stDigit,
        DtmfTxInterval,
        TbstFreq,
        TimeoutTimer,
        TimeoutPenalty,
        KeyLock,
        Apo,
        BeepSound,
        ScanningMode,
        LampMode,
        SecurityMode,
        ModelLock,
        PowerSelect,
        Scrambler,
        Aftersound,
    };
    // The per-key "change" permissions, editable only in Channel mode.
    static constexpr int firstChangeOption = ScanStart;
    static constexpr int lastChangeOption = TbstOutput;

    struct State {
        int selected = 0; // item index; -1 while the control shows the hyphen run
        std::string stored;
        bool enabled = true;
        bool operator==(const State&) const = default;
    };

    // The 27 options in record order; element n - 1 is option n.
    static const std::array<OptionDefinition, optionCount>& definitions();
    static const OptionDefinition& definition(int option);
    // The text an item shows in the current language.
    static std::string itemText(const OptionItem& item, const app::Language& language);

    // A fresh dialog, before any record is applied.
    RadioOptions();

    // Applies a record over the fresh state. An empty record leaves the fresh state;
    // values that select nothing (missing, or matching no item of a list that has no
    // catch-all item) leave their option as it stands.
    void load(std::string_view record);
    void open(const Document& document);
    // OK: the document's option record becomes the composed record.
    void accept(Document& document) const;

    // The user (or the record) selects `item` of option `option`; check boxes: 0
    // unchecked, 1 checked. Runs the dependent-control rules.
    void select(int option, int item);

    [[nodiscard]] const State& state(int option) const;
    [[nodiscard]] const std::string& stored(int option) const { return state(option).stored; }
    [[nodiscard]] int selected(int option) const { return state(option).selected; }
    [[nodiscard]] bool enabled(int option) const { return state(option).enabled; }
    [[nodiscard]] bool showsHyphens(int option) const { return state(option).selected < 0; }

    // "setup|" and the 27 stored values joined with "|".
    [[nodiscard]] std::string record() const;

    // The item that a recorded value selects, if any.
    [[nodiscard]] static std::optional<int> itemForValue(int option, std::string_view value);

private:
    State& at(int option);
    void applyDisplayMode(int item);
    void applyTimeout(int item);

    std::array<State, optionCount> m_states;
};

} // namespace vn574::document
