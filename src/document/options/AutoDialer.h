#pragma once

#include "document/options/TextBoxKeyFilter.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::document {

class Editor;

// The auto dialer editor without its widgets: the nine dial strings M1..M9 and the
// checks that run on every change of a box, warnings included.
class AutoDialer {
public:
    static constexpr int memoryCount = 9;
    static constexpr int maxLength = 16;
    // The warnings, section "OTHERS" of the language file.
    static constexpr std::string_view invalidCharacterKey = "70011";
    static constexpr std::string_view tooLongKey = "70012";

    struct Checked {
        std::string text;
        std::vector<std::string_view> warnings; // language keys, in the order shown
    };

    // The checks of one change. Each repair is itself a change that is checked again,
    // so a text with a bad character loses its last character, with a warning, until
    // no bad character is left, however harmless the characters dropped; then a text
    // that is too long is cut to its first 16 characters; then a..d become upper case.
    static Checked check(std::string_view text);
    // Whether `c` may stand in a dial string as typed (a..d are upper-cased later).
    static bool isDialCharacter(char c);
    // The key filter of the boxes: the dial characters, lower-case a..d included.
    static TextBoxKeyFilter keyFilter();

    explicit AutoDialer(Editor& editor);

    // Puts M1..M9 of the document's record into the boxes. Putting a text into a box is
    // a change like any other, so a record holding bad characters is repaired, with the
    // warnings, as the dialog opens.
    void open();
    // A box's text changed; warnings are shown and the repaired text is returned (what
    // the box must show, with the cursor after its last character).
    const std::string& setText(int box, std::string_view text);
    [[nodiscard]] const std::string& text(int box) const;

    // "Ad|" and each box's last 16 characters followed by "|".
    [[nodiscard]] std::string record() const;
    // OK: the document's auto dialer record becomes the composed record.
    void accept();

private:
    Editor& m_editor;
    std::array<std::string, memoryCount> m_texts;
};

} // namespace vn574::document
