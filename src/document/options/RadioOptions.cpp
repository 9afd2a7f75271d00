#include "document/options/RadioOptions.h"

#include "app/TextUtil.h"
#include "document/Document.h"
#include "document/FieldRules.h"
#include "document/OptionLists.h"

#include <cmath>
#include <stdexcept>

namespace vn574::document {

namespace {

using Kind = OptionDefinition::Kind;

std::vector<OptionItem> numberItems(int last) {
    // The texts must outlive the definitions, which live for the whole process.
    static const std::array<std::string, 100> numbers = [] {
        std::array<std::string, 100> texts;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            texts[i] = std::to_string(i);
        }
        return texts;
    }();
    std::vector<OptionItem> items;
    for (int i = 0; i <= last; ++i) {
        items.push_back({{}, numbers[static_cast<std::size_t>(i)]});
    }
    return items;
}

std::vector<OptionItem> plainItems(std::initializer_list<std::string_view> texts) {
    std::vector<OptionItem> items;
    for (const auto text : texts) {
        items.push_back({{}, text});
    }
    return items;
}

// The timer and penalty lists: "off" takes its text from the language file, the other
// items show their stored value.
std::vector<OptionItem> timeoutItems(TextList list) {
    std::vector<OptionItem> items{{"60036", list[0]}};
    for (std::size_t i = 1; i < list.size(); ++i) {
        items.push_back({{}, list[i]});
    }
    return items;
}

const std::vector<OptionItem> enableItems{{"60034", "Disable"}, {"60035", "Enable"}};
const std::vector<OptionItem> offOnItems{{"60036", "off"}, {"60037", "on"}};
const std::vector<OptionItem> dtmfDigitItems = plainItems({"60ms", "80ms", "160ms", "200ms"});

OptionDefinition changeOption(std::string_view name, std::string_view captionKey) {
    return {name, captionKey, Kind::List, enableItems, -1, "Disable", 1};
}

std::array<OptionDefinition, RadioOptions::optionCount> makeDefinitions() {
    return {{
        {"Combo_Indication",
         "60001",
         Kind::List,
         {{"60026", "Frequency"}, {"60027", "Channel"}},
         0,
         "Frequency",
         1},
        {"Combo_VFO",
         "60002",
         Kind::List,
         {{"60028", "VFO"}, {"60029", "MR"}, {"60030", "CALL"}},
         1,
         "MR",
         2},
        {"Combo_MRNo", "60003", Kind::List, numberItems(99), 0, "0", std::nullopt},
        {"Combo_SQLNo", "60004", Kind::List, numberItems(20), 0, "0", std::nullopt},
        {"Combo_TXPOWER",
         "60005",
         Kind::List,
         {{"60031", "Hi"}, {"60032", "Mid"}, {"60033", "Low"}},
         0,
         "Hi",
         2},
        changeOption("Combo_SCANStart", "60006"),
        changeOption("Combo_TxPowerChange", "60007"),
        changeOption("Combo_KeyLockChange", "60008"),
        changeOption("Combo_MoniKey", "60009"),
        changeOption("Combo_CtcssDosChange", "60010"),
        changeOption("Combo_TBSTOutput", "60011"),
        {"Combo_DTMFburstdelay", "60012", Kind::List, plainItems({"1s", "100ms", "400ms", "700ms"}),
         0, "1s", std::nullopt},
        {"Combo_DTMF1stdigit", "60013", Kind::List, dtmfDigitItems, 0, "60ms", std::nullopt},
        {"Combo_DTMFTXinterval", "60014", Kind::List, dtmfDigitItems, 0, "60ms", std::nullopt},
        {"Combo_TBSTFreq", "60015", Kind::List,
         plainItems({"1000Hz", "1450Hz", "1750Hz", "2100Hz"}), 0, "1000Hz", std::nullopt},
        {"Combo_Timeouttimer", "60016", Kind::List, timeoutItems(TimeoutTimerList()), 0, "off",
         std::nullopt},
        // The penalty's values are read by number, see itemForValue.
        {"Combo_Timeoutpenalty", "60017", Kind::List, timeoutItems(TimeoutPenaltyList()), -1, "off",
         std::nullopt},
        {"Combo_KeyLock", "60018", Kind::List, offOnItems, 0, "off", 1},
        {"Combo_APO", "60019", Kind::List, offOnItems, 0, "off", 1},
        {"Combo_Beepsound", "60020", Kind::List, enableItems, 0, "Disable", 1},
        {"Combo_ScanningMode",
         "60021",
         Kind::List,
         {{"60038", "Timer"}, {"60039", "Busy"}},
         0,
         "Timer",
         1},
        {"Combo_LAMPMode",
         "60022",
         Kind::List,
         {{"60040", "High"}, {"60041", "Low"}},
         0,
         "High",
         1},
        {"Combo_SeMode",
         "60023",
         Kind::List,
         {{"60036", "off"}, {"60037", "on"}, {"60042", "Dly"}},
         0,
         "off",
         1},
        {"CheckModelLock", "60083", Kind::CheckBox, plainItems({"Unlock", "Lock"}), 0, "Unlock", 1},
        // The two power ratings read the same in every language.
        {"Combo_PowerSelect", "60093", Kind::List, plainItems({"25W", "50W"}), 0, "25W", 1},
        {"CheckScrambler", "60094", Kind::CheckBox, plainItems({"0", "1"}), 1, "1", 0},
        {"CheckAftersound", "60095", Kind::CheckBox, plainItems({"0", "1"}), 0, "0", 0},
    }};
}

std::size_t indexOf(int option) {
    if (option < 1 || option > RadioOptions::optionCount) {
        throw std::out_of_range("radio option number out of range");
    }
    return static_cast<std::size_t>(option - 1);
}

std::optional<int> exactItem(const OptionDefinition& definition, std::string_view value) {
    for (std::size_t i = 0; i < definition.items.size(); ++i) {
        if (definition.items[i].stored == value) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

} // namespace

const std::array<OptionDefinition, RadioOptions::optionCount>& RadioOptions::definitions() {
    static const auto all = makeDefinitions();
    return all;
}

const OptionDefinition& RadioOptions::definition(int option) {
    return definitions()[indexOf(option)];
}

std::string RadioOptions::itemText(const OptionItem& item, const app::Language& language) {
    if (item.key.empty()) {
        return std::string(item.stored);
    }
    return language.text("OPTION", item.key);
}

RadioOptions::RadioOptions() {
    for (int option = 1; option <= optionCount; ++option) {
        const auto& def = definition(option);
        auto& state = at(option);
        state.selected = def.freshItem;
        state.stored = std::string(def.freshStored);
        state.enabled = true;
    }
    // Frequency mode with the timer off: the six permissions and the penalty are off.
    for (int option = firstChangeOption; option <= lastChangeOption; ++option) {
        at(option).enabled = false;
    }
    at(TimeoutPenalty).enabled = false;
}

const RadioOptions::State& RadioOptions::state(int option) const {
    return m_states[indexOf(option)];
}

RadioOptions::State& RadioOptions::at(int option) {
    return m_states[indexOf(option)];
}

std::optional<int> RadioOptions::itemForValue(int option, std::string_view value) {
    const auto& def = definition(option);
    if (option == MrNo) {
        // A channel number beyond the last memory opens as channel 0.
        const auto number = parseNumber(value);
        if (number && *number > 99) {
            return 0;
        }
        return exactItem(def, value);
    }
    if (option == TimeoutPenalty) {
        if (value == "off") {
            return 0;
        }
        // "7sec" is item 7; whatever does not read as a number before its unit is "off".
        const auto head = value.size() > 3 ? value.substr(0, value.size() - 3) : std::string_view{};
        const auto number = parseNumber(head);
        if (!number) {
            return 0;
        }
        const auto last = static_cast<double>(def.items.size() - 1);
        if (*number < 0 || *number > last || std::floor(*number) != *number) {
            return std::nullopt;
        }
        return static_cast<int>(*number);
    }
    if (const auto item = exactItem(def, value)) {
        return item;
    }
    return def.otherValueItem;
}

void RadioOptions::load(std::string_view record) {
    if (record.empty()) {
        return;
    }
    const auto fields = app::splitFields(record, '|');
    for (int option = 1; option <= optionCount; ++option) {
        if (static_cast<std::size_t>(option) >= fields.size()) {
            break;
        }
        if (const auto item = itemForValue(option, fields[static_cast<std::size_t>(option)])) {
            select(option, *item);
        }
    }
}

void RadioOptions::open(const Document& document) {
    load(document.strSetup);
}

void RadioOptions::accept(Document& document) const {
    document.writeBack(document.strSetup, record());
}

void RadioOptions::select(int option, int item) {
    const auto& def = definition(option);
    if (item < 0 || static_cast<std::size_t>(item) >= def.items.size()) {
        throw std::out_of_range("option item out of range");
    }
    auto& state = at(option);
    state.selected = item;
    state.stored = std::string(def.items[static_cast<std::size_t>(item)].stored);
    if (option == Indication) {
        applyDisplayMode(item);
    } else if (option == TimeoutTimer) {
        applyTimeout(item);
    }
}

void RadioOptions::applyDisplayMode(int item) {
    auto& vfo = at(Vfo);
    const bool frequencyMode = item == 0;
    for (int option = firstChangeOption; option <= lastChangeOption; ++option) {
        auto& change = at(option);
        change.selected = frequencyMode ? 1 : 0;
        change.stored = std::string(definition(option).items[frequencyMode ? 1U : 0U].stored);
        change.enabled = !frequencyMode;
    }
    if (frequencyMode) {
        vfo.selected = 0;
        vfo.stored = std::string(definition(Vfo).items[0].stored);
        vfo.enabled = true;
    } else {
        // The channel choice stays stored for when Frequency mode comes back.
        vfo.selected = -1;
        vfo.enabled = false;
    }
}

void RadioOptions::applyTimeout(int item) {
    auto& penalty = at(TimeoutPenalty);
    penalty.stored = std::string(definition(TimeoutPenalty).items[0].stored);
    if (item == 0) {
        penalty.selected = -1;
        penalty.enabled = false;
    } else {
        penalty.selected = 0;
        penalty.enabled = true;
    }
}

std::string RadioOptions::record() const {
    std::string text = "setup";
    for (const auto& state : m_states) {
        text += '|';
        text += state.stored;
    }
    return text;
}

} // namespace vn574::document
