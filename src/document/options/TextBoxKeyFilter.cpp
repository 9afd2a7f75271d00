#include "document/options/TextBoxKeyFilter.h"

namespace vn574::document {

TextBoxKeyFilter::TextBoxKeyFilter(std::string accepted, Case mapping)
    : m_accepted(std::move(accepted)), m_mapping(mapping) {}

char TextBoxKeyFilter::mapped(char c) const {
    if (m_mapping == Case::Upper && c >= 'a' && c <= 'z') {
        return static_cast<char>(c - 'a' + 'A');
    }
    return c;
}

bool TextBoxKeyFilter::accepts(char c) const {
    return m_accepted.find(mapped(c)) != std::string::npos;
}

KeyDecision TextBoxKeyFilter::decide(const KeyPress& press) const {
    using Action = KeyDecision::Action;
    switch (press.kind) {
    case KeyPress::Kind::Enter:
        return {Action::FocusNext, {}};
    case KeyPress::Kind::Clipboard:
        return {Action::Discard, {}};
    case KeyPress::Kind::Control:
        return {Action::Pass, {}};
    case KeyPress::Kind::Text:
        break;
    }
    if (press.text.empty()) {
        return {Action::Pass, {}};
    }
    // A press that types several characters at once (a dead-key composition, for
    // instance) is taken only if every one of them is acceptable.
    std::string typed;
    for (const char c : press.text) {
        if (!accepts(c)) {
            return {Action::Discard, {}};
        }
        typed.push_back(mapped(c));
    }
    if (typed == press.text) {
        return {Action::Pass, {}};
    }
    return {Action::Type, typed};
}

} // namespace vn574::document
