#include "document/options/AutoDialer.h"

#include "app/TextUtil.h"
#include "document/Editor.h"

#include <algorithm>
#include <stdexcept>

namespace vn574::document {

namespace {

std::size_t indexOf(int box) {
    if (box < 0 || box >= AutoDialer::memoryCount) {
        throw std::out_of_range("auto dialer box out of range");
    }
    return static_cast<std::size_t>(box);
}

constexpr std::string_view dialCharacters = "0123456789ABCDabcd*-#";

} // namespace

bool AutoDialer::isDialCharacter(char c) {
    return dialCharacters.find(c) != std::string_view::npos;
}

TextBoxKeyFilter AutoDialer::keyFilter() {
    return TextBoxKeyFilter(std::string(dialCharacters));
}

AutoDialer::Checked AutoDialer::check(std::string_view text) {
    Checked result{std::string(text), {}};
    auto& current = result.text;
    while (
        std::any_of(current.begin(), current.end(), [](char c) { return !isDialCharacter(c); })) {
        result.warnings.push_back(invalidCharacterKey);
        current.pop_back();
    }
    if (current.size() > static_cast<std::size_t>(maxLength)) {
        result.warnings.push_back(tooLongKey);
        current.resize(static_cast<std::size_t>(maxLength));
    }
    for (auto& c : current) {
        if (c >= 'a' && c <= 'd') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

AutoDialer::AutoDialer(Editor& editor) : m_editor(editor) {}

void AutoDialer::open() {
    const auto fields = app::splitFields(m_editor.document().strAutoDial, '|');
    for (int box = 0; box < memoryCount; ++box) {
        const auto field = static_cast<std::size_t>(box) + 1;
        setText(box, field < fields.size() ? fields[field] : std::string{});
    }
}

const std::string& AutoDialer::setText(int box, std::string_view text) {
    auto checked = check(text);
    for (const auto key : checked.warnings) {
        m_editor.prompts().message(m_editor.langText("OTHERS", key), app::Icon::Warning);
    }
    auto& stored = m_texts[indexOf(box)];
    stored = std::move(checked.text);
    return stored;
}

const std::string& AutoDialer::text(int box) const {
    return m_texts[indexOf(box)];
}

std::string AutoDialer::record() const {
    std::string text = "Ad|";
    for (const auto& memory : m_texts) {
        const auto keep = std::min(memory.size(), static_cast<std::size_t>(maxLength));
        text.append(memory, memory.size() - keep, keep);
        text += '|';
    }
    return text;
}

void AutoDialer::accept() {
    Document& document = m_editor.document();
    document.writeBack(document.strAutoDial, record());
}

} // namespace vn574::document
