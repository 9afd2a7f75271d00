#include "document/options/RadioOptions.h"

#include "app/TextUtil.h"
#include "document/Document.h"
#include "document/OptionLists.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

using O = RadioOptions;

constexpr std::string_view freshRecord =
    "setup|Frequency|MR|0|0|Hi|Disable|Disable|Disable|Disable|Disable|Disable|1s|60ms|60ms|"
    "1000Hz|off|off|off|off|Disable|Timer|High|off|Unlock|25W|1|0";

// A record with the given fields replacing those of the fresh record.
std::string recordWith(std::initializer_list<std::pair<int, std::string_view>> changes) {
    auto fields = app::splitFields(freshRecord, '|');
    for (const auto& [option, value] : changes) {
        fields[static_cast<std::size_t>(option)] = std::string(value);
    }
    return app::joinFields(fields, '|');
}

RadioOptions loaded(std::string_view record) {
    RadioOptions options;
    options.load(record);
    return options;
}

TEST(RadioOptionsTest, FreshDialogComposesTheFreshRecordAndShowsTheSwitchedOffLists) {
    for (const std::string_view record : {std::string_view{}, freshRecord}) {
        const auto options = loaded(record);
        EXPECT_EQ(options.record(), freshRecord) << "loaded: " << record;
    }
    const RadioOptions fresh;
    for (int option = O::firstChangeOption; option <= O::lastChangeOption; ++option) {
        EXPECT_TRUE(fresh.showsHyphens(option)) << option;
        EXPECT_FALSE(fresh.enabled(option)) << option;
        EXPECT_EQ(fresh.stored(option), "Disable") << option;
    }
    EXPECT_TRUE(fresh.showsHyphens(O::TimeoutPenalty));
    EXPECT_FALSE(fresh.enabled(O::TimeoutPenalty));
    EXPECT_TRUE(fresh.enabled(O::Vfo));
    EXPECT_EQ(fresh.selected(O::Vfo), 1);
    EXPECT_EQ(fresh.selected(O::Scrambler), 1);
    EXPECT_EQ(fresh.selected(O::ModelLock), 0);
}

TEST(RadioOptionsTest, NewDocumentRecordTurnsHyphenRunsIntoStoredValues) {
    Document document; // holds the new-document record
    RadioOptions options;
    options.open(document);
    for (int option = O::firstChangeOption; option <= O::lastChangeOption; ++option) {
        EXPECT_EQ(options.selected(option), 1) << option;
        EXPECT_EQ(options.stored(option), "Enable") << option;
        EXPECT_FALSE(options.enabled(option)) << option;
    }
    EXPECT_EQ(options.stored(O::TimeoutPenalty), "off");
    EXPECT_FALSE(options.enabled(O::TimeoutPenalty));
    EXPECT_EQ(options.selected(O::ModelLock), 1);
    EXPECT_EQ(options.selected(O::PowerSelect), 1);
    EXPECT_EQ(options.selected(O::SqlNo), 3);

    options.accept(document);
    EXPECT_EQ(document.strSetup,
              "setup|Frequency|VFO|0|3|Hi|Enable|Enable|Enable|Enable|Enable|Enable|100ms|60ms|"
              "60ms|1750Hz|off|off|off|off|Enable|Timer|High|off|Lock|50W|1|0");
}

TEST(RadioOptionsTest, RecordsOfEveryStoredValueReadBackUnchanged) {
    const std::vector<std::string> records{
        recordWith({{1, "Channel"}, {2, "CALL"},     {3, "99"},     {4, "20"},     {5, "Mid"},
                    {6, "Enable"},  {9, "Enable"},   {12, "700ms"}, {13, "200ms"}, {14, "80ms"},
                    {15, "2100Hz"}, {16, "7m30sec"}, {17, "15sec"}, {18, "on"},    {19, "on"},
                    {20, "Enable"}, {21, "Busy"},    {22, "Low"},   {23, "Dly"},   {24, "Lock"},
                    {25, "50W"},    {26, "0"},       {27, "1"}}),
        recordWith({{2, "VFO"}, {5, "Low"}, {16, "0m30sec"}, {17, "1sec"}, {23, "on"}}),
        // In Frequency mode the permissions are switched off but keep what the record says.
        recordWith({{7, "Enable"}, {11, "Enable"}, {16, "off"}, {17, "9sec"}}),
    };
    for (const auto& record : records) {
        EXPECT_EQ(loaded(record).record(), record);
    }
}

TEST(RadioOptionsTest, WordsMatchingNoStoredValueSelectTheCatchAllItem) {
    const auto options = loaded(recordWith({{1, "Chan"},
                                            {2, "Memory"},
                                            {5, "Max"},
                                            {18, "yes"},
                                            {19, ""},
                                            {20, "On"},
                                            {21, "timer"},
                                            {22, "?"},
                                            {23, "Delay"},
                                            {24, ""},
                                            {25, "40W"},
                                            {26, "yes"},
                                            {27, "true"}}));
    EXPECT_EQ(options.stored(O::Indication), "Channel");
    EXPECT_EQ(options.stored(O::Vfo), "CALL");
    EXPECT_EQ(options.stored(O::TxPower), "Low");
    EXPECT_EQ(options.stored(O::KeyLock), "on");
    EXPECT_EQ(options.stored(O::Apo), "on");
    EXPECT_EQ(options.stored(O::BeepSound), "Enable");
    EXPECT_EQ(options.stored(O::ScanningMode), "Busy");
    EXPECT_EQ(options.stored(O::LampMode), "Low");
    EXPECT_EQ(options.stored(O::SecurityMode), "on");
    EXPECT_EQ(options.selected(O::ModelLock), 1);
    EXPECT_EQ(options.stored(O::ModelLock), "Lock");
    EXPECT_EQ(options.stored(O::PowerSelect), "50W");
    EXPECT_EQ(options.selected(O::Scrambler), 0);
    EXPECT_EQ(options.stored(O::Scrambler), "0");
    EXPECT_EQ(options.stored(O::Aftersound), "0");
}

TEST(RadioOptionsTest, ChannelNumberBeyondTheLastMemoryOpensAsZero) {
    RadioOptions options;
    options.select(O::MrNo, 42);
    options.load(recordWith({{3, "100"}}));
    EXPECT_EQ(options.selected(O::MrNo), 0);
    EXPECT_EQ(options.stored(O::MrNo), "0");
}

TEST(RadioOptionsTest, ValuesThatSelectNothingLeaveTheOptionAsItStands) {
    // Listed values that match no item, and an MR number that is no number at all.
    RadioOptions options;
    options.select(O::MrNo, 42);
    options.select(O::SqlNo, 7);
    options.select(O::DtmfBurstDelay, 2);
    options.select(O::TbstFreq, 3);
    options.load(recordWith({{3, "abc"}, {4, "21"}, {12, "2s"}, {15, "1750"}}));
    EXPECT_EQ(options.stored(O::MrNo), "42");
    EXPECT_EQ(options.stored(O::SqlNo), "7");
    EXPECT_EQ(options.stored(O::DtmfBurstDelay), "400ms");
    EXPECT_EQ(options.stored(O::TbstFreq), "2100Hz");

    // On a fresh dialog that is the fresh state.
    const auto fresh = loaded(recordWith({{3, "-1"}, {13, "70ms"}, {16, "8m00sec"}}));
    EXPECT_EQ(fresh.record(), freshRecord);
    EXPECT_EQ(fresh.selected(O::TimeoutTimer), 0);
    EXPECT_FALSE(fresh.enabled(O::TimeoutPenalty)); // the timer rule did not run
}

TEST(RadioOptionsTest, ShortRecordLeavesTheMissingOptionsAsTheEarlierOnesSetThem) {
    const auto options = loaded("setup|Channel");
    EXPECT_TRUE(options.showsHyphens(O::Vfo));
    EXPECT_FALSE(options.enabled(O::Vfo));
    EXPECT_EQ(options.record(), recordWith({{1, "Channel"}}));
    for (int option = O::firstChangeOption; option <= O::lastChangeOption; ++option) {
        EXPECT_TRUE(options.enabled(option)) << option;
        EXPECT_EQ(options.selected(option), 0) << option;
    }
    // Fields beyond the 27th are not options; OK writes 28 fields again.
    EXPECT_EQ(loaded(std::string(freshRecord) + "|extra").record(), freshRecord);
    EXPECT_EQ(loaded("setup").record(), freshRecord);
}

TEST(RadioOptionsTest, PenaltyIsReadByItsNumber) {
    struct Case {
        std::string_view timer;
        std::string_view penalty;
        int selected;
        std::string_view stored;
    };
    const std::vector<Case> cases{
        {"1m00sec", "7sec", 7, "7sec"},
        {"1m00sec", "07sec", 7, "7sec"},
        {"1m00sec", "----------------", 0, "off"},
        {"1m00sec", "xsec", 0, "off"},
        {"1m00sec", "ab", 0, "off"},
        {"1m00sec", "", 0, "off"},
        {"1m00sec", "0sec", 0, "off"},
        {"1m00sec", "15sec", 15, "15sec"},
        // Numbers beyond the list select nothing: the penalty stays as the timer left it.
        {"1m00sec", "16sec", 0, "off"},
        {"off", "16sec", -1, "off"},
        {"off", "2.5sec", -1, "off"},
        {"off", "----------------", 0, "off"},
        {"off", "3sec", 3, "3sec"},
    };
    for (const auto& c : cases) {
        const auto options = loaded(recordWith({{16, c.timer}, {17, c.penalty}}));
        EXPECT_EQ(options.selected(O::TimeoutPenalty), c.selected) << c.timer << " " << c.penalty;
        EXPECT_EQ(options.stored(O::TimeoutPenalty), c.stored) << c.timer << " " << c.penalty;
        EXPECT_EQ(options.enabled(O::TimeoutPenalty), c.timer != "off") << c.timer;
    }
}

TEST(RadioOptionsTest, DisplayModeDecidesWhichControlsCanBeEdited) {
    auto options = loaded(recordWith({{1, "Channel"}, {2, "CALL"}}));
    // Loading selected CALL after the mode rule, so the disabled list shows it.
    EXPECT_EQ(options.selected(O::Vfo), 2);
    EXPECT_FALSE(options.enabled(O::Vfo));

    options.select(O::Indication, 0);
    EXPECT_EQ(options.selected(O::Vfo), 0);
    EXPECT_EQ(options.stored(O::Vfo), "VFO");
    EXPECT_TRUE(options.enabled(O::Vfo));
    for (int option = O::firstChangeOption; option <= O::lastChangeOption; ++option) {
        EXPECT_EQ(options.stored(option), "Enable") << option;
        EXPECT_EQ(options.selected(option), 1) << option;
        EXPECT_FALSE(options.enabled(option)) << option;
    }

    options.select(O::Vfo, 1);
    options.select(O::Indication, 1);
    EXPECT_TRUE(options.showsHyphens(O::Vfo));
    EXPECT_FALSE(options.enabled(O::Vfo));
    EXPECT_EQ(options.stored(O::Vfo), "MR");
    for (int option = O::firstChangeOption; option <= O::lastChangeOption; ++option) {
        EXPECT_EQ(options.stored(option), "Disable") << option;
        EXPECT_TRUE(options.enabled(option)) << option;
    }
    options.select(O::MoniKey, 1);
    EXPECT_EQ(options.record(), recordWith({{1, "Channel"}, {2, "MR"}, {9, "Enable"}}));
}

TEST(RadioOptionsTest, EveryNewTimerValueResetsThePenalty) {
    RadioOptions options;
    options.select(O::TimeoutTimer, 3);
    EXPECT_EQ(options.stored(O::TimeoutTimer), "1m30sec");
    EXPECT_EQ(options.selected(O::TimeoutPenalty), 0);
    EXPECT_TRUE(options.enabled(O::TimeoutPenalty));

    options.select(O::TimeoutPenalty, 5);
    EXPECT_EQ(options.stored(O::TimeoutPenalty), "5sec");
    options.select(O::TimeoutTimer, 4);
    EXPECT_EQ(options.stored(O::TimeoutPenalty), "off");
    EXPECT_EQ(options.selected(O::TimeoutPenalty), 0);

    options.select(O::TimeoutPenalty, 9);
    options.select(O::TimeoutTimer, 0);
    EXPECT_TRUE(options.showsHyphens(O::TimeoutPenalty));
    EXPECT_FALSE(options.enabled(O::TimeoutPenalty));
    EXPECT_EQ(options.stored(O::TimeoutPenalty), "off");
    EXPECT_EQ(options.stored(O::TimeoutTimer), "off");
}

TEST(RadioOptionsTest, TimerAndPenaltyItemsFollowTheRadioOrder) {
    const auto& timer = RadioOptions::definition(O::TimeoutTimer);
    const auto& penalty = RadioOptions::definition(O::TimeoutPenalty);
    ASSERT_EQ(timer.items.size(), 16U);
    ASSERT_EQ(penalty.items.size(), 16U);
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(timer.items[i].stored, TimeoutTimerList()[i]);
        EXPECT_EQ(penalty.items[i].stored, TimeoutPenaltyList()[i]);
    }
    EXPECT_EQ(TimeoutTimerList()[1], "0m30sec");
    EXPECT_EQ(TimeoutTimerList()[2], "1m00sec");
    EXPECT_EQ(TimeoutTimerList()[15], "7m30sec");
    EXPECT_EQ(TimeoutPenaltyList()[15], "15sec");
}

TEST(RadioOptionsTest, ItemTextsComeFromTheLanguageUnlessTheValueIsTheText) {
    const app::Language english(test::languageFolder(), "english.ini");
    const app::Language chinese(test::languageFolder(), "chinese.ini");
    const auto& timer = RadioOptions::definition(O::TimeoutTimer);
    EXPECT_EQ(RadioOptions::itemText(timer.items[0], english), "Off");
    EXPECT_EQ(RadioOptions::itemText(timer.items[4], chinese), "2m00sec");
    const auto& mode = RadioOptions::definition(O::Indication);
    EXPECT_EQ(RadioOptions::itemText(mode.items[1], english), "Channel");
    EXPECT_NE(RadioOptions::itemText(mode.items[1], chinese), "Channel");
    EXPECT_EQ(RadioOptions::itemText(RadioOptions::definition(O::PowerSelect).items[1], chinese),
              "50W");
}

} // namespace
} // namespace vn574::document
