#include "document/RadioIdentity.h"

#include "codec/HexText.h"
#include "codec/ImageCodec.h"
#include "codec/MemoryMap.h"
#include "files/ChannelFile.h"
#include "files/RadioList.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

std::string blockHex(const codec::MemoryImage& image, int block) {
    return codec::bytesToHex(std::span<const std::uint8_t>(image).subspan(
        static_cast<std::size_t>(block) * codec::blockSize, codec::blockSize));
}

codec::MemoryImage encoded(Editor& editor) {
    editor.UpdateAllArray();
    codec::ImageCodec codec(editor);
    const auto image = codec::encodeImage(editor, codec, 0);
    EXPECT_TRUE(image.has_value());
    return image.value_or(codec::MemoryImage{});
}

// The sample radio (own ID 54321, PTT ID begin "E254321") with an emergency alarm in
// memory 10 and an ANI call in memory 11, both carrying the own ID.
struct SampleRadio : test::EditorFixture {
    SampleRadio() {
        EXPECT_TRUE(
            files::openChannelFile(editor, std::string(VN574_TEST_DATA_DIR) + "/demo-radio.vd")
                .ok());
        auto& memories = editor.document().toneData.fiveToneMem;
        memories[10].code = "E254321";
        memories[10].codeLen = 7;
        memories[11].code = "E312345E54321";
        memories[11].codeLen = 13;
    }
};

TEST(RadioIdentity, AppliedIdentityIsWhatTheImageHoldsAndReadsBack) {
    SampleRadio f;
    const std::string dtmfBefore = blockHex(encoded(f.editor), codec::blockDtmfMemories);

    RadioIdentity identity;
    identity.selfId = "678";
    identity.dtmf[0] = "12a";
    identity.dtmf[3] = "7";
    ASSERT_EQ(applyIdentity(f.editor, identity), "");
    EXPECT_TRUE(f.editor.document().bModify);
    const codec::MemoryImage image = encoded(f.editor);

    // The own ID typed as 678 is padded to 67800, its length five, one digit a byte.
    const std::string ownId = blockHex(image, codec::blockOwnId);
    EXPECT_EQ(ownId.substr(6, 2), "05");
    EXPECT_EQ(ownId.substr(10, 10), "0607080000");
    // The special codes carry the new ID in their stored form (a repeated tone is "E").
    EXPECT_EQ(blockHex(image, codec::firstFiveToneBlock + 10).substr(8, 7), "E26780E");
    EXPECT_EQ(blockHex(image, codec::firstFiveToneBlock + 11).substr(8, 13), "E312345E6780E");
    EXPECT_EQ(blockHex(image, codec::blockPttIdBot).substr(8, 7), "E26780E");
    // C0 and C3 as the DTMF dialog stores them; C1, C2 and CP as they were.
    const std::string dtmf = blockHex(image, codec::blockDtmfMemories);
    EXPECT_EQ(dtmf.substr(0, 4), "012A");
    EXPECT_EQ(dtmf.substr(4, 8), dtmfBefore.substr(4, 8));
    EXPECT_EQ(dtmf.substr(12, 4), "0007");
    EXPECT_EQ(dtmf.substr(28, 4), dtmfBefore.substr(28, 4));

    const RadioIdentity read = files::identityOfImage(f.settings, image);
    EXPECT_EQ(read.selfId, "67800");
    EXPECT_EQ(read.dtmf[0], "12A");
    EXPECT_EQ(read.dtmf[3], "7");
    EXPECT_EQ(read, identityOfDocument(f.editor));
}

TEST(RadioIdentity, UnsetFieldsStayAndBadValuesChangeNothing) {
    SampleRadio f;
    const RadioIdentity before = identityOfDocument(f.editor);
    EXPECT_EQ(before.selfId, "54321");

    RadioIdentity bad;
    bad.selfId = "1234";
    bad.dtmf[6] = "B";
    EXPECT_EQ(applyIdentity(f.editor, bad),
              "the DTMF code C6 \"B\" is not 0 to 3 of the characters 0 to 9 and A");
    bad.selfId = "123456";
    EXPECT_EQ(applyIdentity(f.editor, bad), "the own ID \"123456\" is not 1 to 5 digits 0 to 9");
    EXPECT_EQ(identityOfDocument(f.editor), before);
    EXPECT_FALSE(f.editor.document().bModify);

    RadioIdentity dtmfOnly;
    dtmfOnly.dtmf[1] = "";
    ASSERT_EQ(applyIdentity(f.editor, dtmfOnly), "");
    RadioIdentity expected = before;
    expected.dtmf[1] = "0";
    EXPECT_EQ(identityOfDocument(f.editor), expected);

    EXPECT_TRUE(isSelfIdText("0") && isSelfIdText("99999"));
    EXPECT_FALSE(isSelfIdText("") || isSelfIdText("1a") || isSelfIdText(" 12"));
    EXPECT_TRUE(isDtmfCodeText("") && isDtmfCodeText("A0a"));
    EXPECT_FALSE(isDtmfCodeText("1234") || isDtmfCodeText("B") || isDtmfCodeText("*"));
}

} // namespace
} // namespace vn574::document
