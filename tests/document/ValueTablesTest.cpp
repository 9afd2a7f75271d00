#include "document/FieldRules.h"
#include "document/ValueTables.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

TEST(ValueTablesTest, ListsHaveTheirRadioPositions) {
    EXPECT_EQ(StepList().size(), 10U);
    EXPECT_EQ(positionOf(StepList(), "8.33"), 2);
    EXPECT_FALSE(positionOf(StepList(), "2.5"));
    EXPECT_EQ(CtcssToneList().size(), 50U);
    EXPECT_EQ(entryAt(CtcssToneList(), 8), "88.5");
    EXPECT_EQ(entryAt(CtcssToneList(), 49), "254.1");
    EXPECT_EQ(DcsCodeList().size(), 232U);
    EXPECT_EQ(entryAt(DcsCodeList(), 0), "017N");
    EXPECT_EQ(entryAt(DcsCodeList(), 115), "765N");
    EXPECT_EQ(entryAt(DcsCodeList(), 116), "017I");
    EXPECT_EQ(entryAt(DcsCodeList(), 231), "765I");
    EXPECT_EQ(entryAt(DcsCodeList(), 232), "");
    EXPECT_EQ(positionOf(DcsCodeList(), "023N"), 1);
    EXPECT_EQ(positionOf(DtmfMemoryList(), "CP"), 7);
    EXPECT_EQ(positionOf(FiveTonePttIdList(), "EOT"), 2);
    EXPECT_EQ(positionOf(TwoToneMemoryList(), "99"), 99);
    EXPECT_FALSE(positionOf(TwoToneMemoryList(), "07"));
}

TEST(ValueTablesTest, EveryModelsDefaultsLieInsideItsBands) {
    ASSERT_EQ(ModelTable().size(), 32U);
    for (const auto& model : ModelTable()) {
        SCOPED_TRACE(model.display);
        EXPECT_EQ(model.display.substr(0, 6 + model.code.size() + 1),
                  "VARDEN" + std::string(model.code) + ":");
        EXPECT_TRUE(isInBand(rxBand(model.index), model.defaultRx));
        EXPECT_TRUE(isInBand(txBand(model.index), model.defaultTx));
        EXPECT_TRUE(positionOf(StepList(), model.defaultStep));
    }
}

TEST(ValueTablesTest, RowLabelsAndPriorityReferences) {
    EXPECT_EQ(rowLabel(1), "0");
    EXPECT_EQ(rowLabel(100), "99");
    EXPECT_EQ(rowLabel(101), "PL");
    EXPECT_EQ(rowLabel(104), "V");
    EXPECT_EQ(priReferenceOfRow(5), "04");
    EXPECT_EQ(priReferenceOfRow(10), "09");
    EXPECT_EQ(priReferenceOfRow(11), "10");
    EXPECT_EQ(priReferenceOfRow(100), "99");
    EXPECT_EQ(priReferenceOfRow(101), "PL");
    EXPECT_EQ(priReferenceOfRow(102), "PH");
}

} // namespace
} // namespace vn574::document
