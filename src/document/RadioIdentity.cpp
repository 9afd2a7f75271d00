#include "document/RadioIdentity.h"

#include "document/Editor.h"
#include "document/FiveToneEditor.h"
#include "document/options/DtmfMemories.h"

#include <algorithm>

namespace vn574::document {

namespace {

constexpr std::size_t longestSelfId = 5;

} // namespace

bool isSelfIdText(std::string_view text) {
    return !text.empty() && text.size() <= longestSelfId &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isDtmfCodeText(std::string_view text) {
    const TextBoxKeyFilter filter = DtmfMemories::keyFilter();
    return text.size() <= static_cast<std::size_t>(DtmfMemories::codeLength) &&
           std::all_of(text.begin(), text.end(), [&](char c) { return filter.accepts(c); });
}

RadioIdentity identityOfDocument(const Editor& editor) {
    const ToneData& tone = editor.document().toneData;
    RadioIdentity identity;
    const std::size_t length = std::min<std::size_t>(tone.selfIdLen, longestSelfId);
    identity.selfId = tone.selfId.str().substr(0, length);
    const DtmfMemories memories(tone);
    for (std::size_t k = 0; k < RadioIdentity::dtmfCount; ++k) {
        identity.dtmf[k] = memories.text(static_cast<int>(k));
    }
    return identity;
}

std::string applyIdentity(Editor& editor, const RadioIdentity& identity, bool checkValues) {
    if (!checkValues) {
        // As a radio holds them: nothing more to refuse than the dialogs' own filters.
    } else if (identity.selfId && !isSelfIdText(*identity.selfId)) {
        return "the own ID \"" + *identity.selfId + "\" is not " + std::string(selfIdRule);
    }
    for (std::size_t k = 0; k < RadioIdentity::dtmfCount && checkValues; ++k) {
        if (identity.dtmf[k] && !isDtmfCodeText(*identity.dtmf[k])) {
            return "the DTMF code C" + std::to_string(k) + " \"" + *identity.dtmf[k] +
                   "\" is not " + std::string(dtmfCodeRule);
        }
    }
    if (identity.selfId) {
        // The 5-tone dialog itself, opened, given the ID as if typed and left, then OK:
        // the padding and the rebuilt special codes are its rules, kept in one place.
        FiveToneEditor fiveTone(editor);
        fiveTone.open();
        fiveTone.setSelfIdText(*identity.selfId);
        fiveTone.leaveSelfId();
        fiveTone.ok();
    }
    const bool anyDtmf = std::any_of(identity.dtmf.begin(), identity.dtmf.end(),
                                     [](const auto& code) { return code.has_value(); });
    if (anyDtmf) {
        DtmfMemories memories(editor.document().toneData);
        for (std::size_t k = 0; k < RadioIdentity::dtmfCount; ++k) {
            if (identity.dtmf[k]) {
                memories.setText(static_cast<int>(k), *identity.dtmf[k]);
            }
        }
        memories.accept(editor.document());
    }
    return {};
}

} // namespace vn574::document
