#include "document/ChannelFinder.h"
#include "document/Editor.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

class ChannelFinderTest : public ::testing::Test {
protected:
    ChannelFinderTest() {
        editor.selectModel(2);
        for (const int row : {3, 10, 50}) {
            editor.setActiveStatus(row);
            editor.InitialSingleLine(row);
        }
        editor.setCell(3, colName, "REPEAT");
        editor.setCell(10, colName, "xRpt");
        editor.setCell(10, colRxFreq, "145.50000");
        editor.setCell(50, colTxFreq, "145.5000");
        // Row 20 is not in use: what its table row holds is not shown, nor found.
        editor.document().strChData.at(20, colName) = "REPEAT";
    }

    std::vector<GridCell> found(std::string_view query) const {
        return ChannelFinder(query).find(editor);
    }

    test::EditorFixture f;
    Editor& editor = f.editor;
};

TEST_F(ChannelFinderTest, NameMatchesAnyPartInAnyCase) {
    EXPECT_EQ(found("peat"), (std::vector<GridCell>{{3, colName}}));
    EXPECT_EQ(found("  R"), (std::vector<GridCell>{{3, colName}, {10, colName}}));
    EXPECT_EQ(found("XRPT"), (std::vector<GridCell>{{10, colName}}));
    EXPECT_TRUE(found("").empty());
    EXPECT_TRUE(found("RPTX").empty());
}

TEST_F(ChannelFinderTest, FrequencyMatchesRxOrTxWithOrWithoutTrailingZeros) {
    const std::vector<GridCell> both{{10, colRxFreq}, {50, colTxFreq}};
    EXPECT_EQ(found("145.5"), both);
    EXPECT_EQ(found("145.500000"), both);
    EXPECT_EQ(found("0145.50"), both);
    EXPECT_TRUE(found("145.55").empty());
    EXPECT_TRUE(found("14").empty()); // a frequency must be equal, not a part
    // The model's default Rx 155.0000: channel 0 (in use after the reset), rows 3 and 50,
    // the call channel and the VFO.
    EXPECT_EQ(found("155").size(), 5U);
}

TEST_F(ChannelFinderTest, NextAndPreviousGoRoundFromTheCurrentCell) {
    const ChannelFinder finder("145.5");
    EXPECT_EQ(finder.next(editor, {1, 1}, true), (GridCell{10, colRxFreq}));
    EXPECT_EQ(finder.next(editor, {10, colRxFreq}, true), (GridCell{50, colTxFreq}));
    EXPECT_EQ(finder.next(editor, {50, colTxFreq}, true), (GridCell{10, colRxFreq}));
    EXPECT_EQ(finder.next(editor, {10, colRxFreq}, false), (GridCell{50, colTxFreq}));
    EXPECT_EQ(finder.next(editor, {30, colName}, false), (GridCell{10, colRxFreq}));
    EXPECT_EQ(ChannelFinder("peat").next(editor, {3, colName}, true), (GridCell{3, colName}));
    EXPECT_EQ(ChannelFinder("none").next(editor, {3, colName}, true), std::nullopt);
}

} // namespace
} // namespace vn574::document
