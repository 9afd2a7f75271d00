#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vn574::document {

class Editor;

// The fields that make one radio of a fleet itself.
struct RadioIdentity {
    static constexpr std::size_t dtmfCount = 7; // C0..C6; CP is never written

    std::optional<std::string> selfId;                      // 1..5 digits "0".."9"
    std::array<std::optional<std::string>, dtmfCount> dtmf; // C0..C6: 0..3 of "0".."9","A"

    bool operator==(const RadioIdentity&) const = default;
};

// What a value must be, for the messages that refuse one.
inline constexpr std::string_view selfIdRule = "1 to 5 digits 0 to 9";
inline constexpr std::string_view dtmfCodeRule = "0 to 3 of the characters 0 to 9 and A";

// What the editor's document holds: every field set (selfId = its first SelfIdLen digits,
// "" when SelfIdLen is 0; the seven DTMF codes as the DTMF dialog shows them).
RadioIdentity identityOfDocument(const Editor& editor);

// Applies the fields that are set, as the 5-tone dialog applies a typed own ID (padded
// with "0" to 5 digits, SelfIdLen the padded length, every "E2"/"E3" code of the 100
// memories and both PTT ID codes rebuilt with it) and as the DTMF dialog stores C0..C6
// (CP never written). Fields not set are left alone. Like the dialogs' OK it marks the
// document modified when the signalling record changed and records no undo step: a
// caller that wants one records it. Returns "" or why a value cannot be applied; then
// nothing has changed.
// `checkValues` false takes values a radio already holds (a radio keeping its identity):
// they are not refused for characters the dialogs would not let be typed.
std::string applyIdentity(Editor& editor, const RadioIdentity& identity, bool checkValues = true);

// Whether a text is a valid value: an own ID of 1..5 digits; a DTMF code of 0..3
// characters that the DTMF dialog lets be typed ("a" counts as "A", as there).
bool isSelfIdText(std::string_view text);
bool isDtmfCodeText(std::string_view text);

} // namespace vn574::document
