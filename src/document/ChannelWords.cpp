#include "document/ChannelWords.h"

#include "app/Language.h"
#include "document/Document.h"

namespace vn574::document {

ChannelWords ChannelWords::fromLanguage(const app::Language& language) {
    const auto word = [&](const char* key) { return language.text("Channel", key); };
    return ChannelWords{word("50015"), word("50016"), word("50019"),
                        word("50020"), word("50023"), word("50024")};
}

std::string ChannelWords::shownWidth(const std::string& stored) const {
    if (stored == storedWide) {
        return wide;
    }
    if (stored == storedNarrow) {
        return narrow;
    }
    return stored;
}

std::string ChannelWords::storedWidth(const std::string& shown) const {
    // A missing language file gives empty words; an empty cell must not become "wide".
    if (!wide.empty() && shown == wide) {
        return std::string(storedWide);
    }
    if (!narrow.empty() && shown == narrow) {
        return std::string(storedNarrow);
    }
    return shown;
}

} // namespace vn574::document
