#include "files/Sha256.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace vn574::files {
namespace {

TEST(Sha256Test, StandardTestVectors) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the padding needs a block of its own.
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(sha256Hex("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmn"
                        "hijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu"),
              "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");

    // A million "a" fed in pieces that straddle the 64-byte blocks.
    Sha256 hash;
    const std::string piece(37, 'a');
    std::size_t fed = 0;
    while (fed + piece.size() <= 1000000) {
        hash.update(piece);
        fed += piece.size();
    }
    hash.update(std::string(1000000 - fed, 'a'));
    EXPECT_EQ(hash.finishHex(), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256Test, DigestOfAFileOrWhyThereIsNone) {
    test::TempDir dir;
    dir.write("f.vd", "abc");
    std::string hex;
    EXPECT_EQ(fileSha256(dir.file("f.vd"), hex), "");
    EXPECT_EQ(hex, sha256Hex("abc"));

    const std::string error = fileSha256(dir.file("missing.vd"), hex);
    EXPECT_NE(error.find("missing.vd"), std::string::npos) << error;
    EXPECT_EQ(hex, "");
}

} // namespace
} // namespace vn574::files
