#include "document/options/TextBoxKeyFilter.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

using Action = KeyDecision::Action;
using Kind = KeyPress::Kind;

TEST(TextBoxKeyFilterTest, EditingKeysBehaveAlikeInEveryBox) {
    const TextBoxKeyFilter digits("0123456789");
    const TextBoxKeyFilter anything("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                                    TextBoxKeyFilter::Case::Upper);
    for (const auto* filter : {&digits, &anything}) {
        EXPECT_EQ(filter->decide({Kind::Enter, "\r"}).action, Action::FocusNext);
        EXPECT_EQ(filter->decide({Kind::Clipboard, "\x16"}).action, Action::Discard);
        EXPECT_EQ(filter->decide({Kind::Clipboard, "v"}).action, Action::Discard);
        EXPECT_EQ(filter->decide({Kind::Control, "\b"}).action, Action::Pass);
        EXPECT_EQ(filter->decide({Kind::Control, ""}).action, Action::Pass);
        EXPECT_EQ(filter->decide({Kind::Text, ""}).action, Action::Pass);
    }
}

TEST(TextBoxKeyFilterTest, TypedTextIsTakenWholeOrNotAtAll) {
    const TextBoxKeyFilter filter("0123456789AB", TextBoxKeyFilter::Case::Upper);
    EXPECT_EQ(filter.decide({Kind::Text, "1"}), (KeyDecision{Action::Pass, ""}));
    EXPECT_EQ(filter.decide({Kind::Text, "b"}), (KeyDecision{Action::Type, "B"}));
    EXPECT_EQ(filter.decide({Kind::Text, "1a"}), (KeyDecision{Action::Type, "1A"}));
    EXPECT_EQ(filter.decide({Kind::Text, "1c"}).action, Action::Discard);
    EXPECT_EQ(filter.decide({Kind::Text, "\xc3\xa1"}).action, Action::Discard);

    const TextBoxKeyFilter asTyped("ab");
    EXPECT_EQ(asTyped.decide({Kind::Text, "a"}).action, Action::Pass);
    EXPECT_EQ(asTyped.decide({Kind::Text, "A"}).action, Action::Discard);
}

} // namespace
} // namespace vn574::document
