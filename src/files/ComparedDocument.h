#pragma once

#include "app/ProcessSettings.h"
#include "app/UserPrompts.h"
#include "codec/MemoryImage.h"
#include "document/DocumentDiff.h"
#include "document/Editor.h"

#include <optional>
#include <string>
#include <string_view>

namespace vn574::files {

// Whether a file to compare is taken as a channel data file (its name ends in ".vd", in
// any case) rather than as a radio memory image.
bool isChannelFileName(std::string_view path);

// A document read from a file only to be compared, apart from the editor the user works
// in: a channel data file opened as Open opens it, or a radio image decoded as a read of a
// radio holding it. It has its own copy of the settings, since decoding sets the
// installed-option flags, and collects what Open or the decoder would have told the user.
class ComparedDocument {
public:
    explicit ComparedDocument(app::ProcessSettings settings);
    ComparedDocument(const ComparedDocument&) = delete;
    ComparedDocument& operator=(const ComparedDocument&) = delete;

    // "" when the whole document was read; else why not. A file that opens only in part
    // (a missing signalling file, a damaged record) is refused rather than compared with
    // defaults standing in for what could not be read.
    std::string load(const std::string& path);
    // A radio image decoded as a read of a radio holding it would leave it.
    void loadImage(const codec::MemoryImage& image);

    // The document as loaded, with UpdateAllArray run.
    [[nodiscard]] const document::Editor& editor() const { return m_editor; }

    // The image a write of `editor`'s document would leave, encoded on a copy so that
    // neither the document nor the user hears of it (the encoder fills in 5-tone codes
    // and tells why it refuses); nothing when a write would refuse the document.
    static std::optional<codec::MemoryImage> imageOf(const document::Editor& editor);

private:
    class CollectingPrompts : public app::UserPrompts {
    public:
        std::string messages;
        void message(const std::string& text, app::Icon icon) override;
        app::Answer ask(const std::string& text, app::Buttons buttons) override;
        std::optional<std::string> chooseSaveFile(const std::string& filter,
                                                  const std::string& suggestedFile) override;
        std::optional<std::string> chooseOpenFile(const std::string& filter) override;
        std::optional<std::string> askPassword() override;
    };

    app::ProcessSettings m_settings;
    CollectingPrompts m_prompts;
    document::Editor m_editor;
};

struct Comparison {
    std::string path; // the file compared with
    document::DocumentDiff diff;
};

// Compares two documents whose channel tables hold their grids (UpdateAllArray). When
// both encode, the verdict is about what the radio would get of them, and what differs in
// the files only is told apart; otherwise the documents are compared as they stand.
document::DocumentDiff compareDocuments(const document::Editor& left,
                                        const document::Editor& right);

// Menu "Compare with…": asks for a channel data file or radio image, reads it and
// compares the editor's document with it (left: the document, right: the file). The grid
// is copied into the channel table first, as a save does; nothing else of the document
// changes. Nothing when the dialog is cancelled or the file cannot be read (the user has
// been told why).
std::optional<Comparison> compareWithDialog(document::Editor& editor);

// The summary words of the language the editor shows.
document::SummaryWords summaryWordsOf(const document::Editor& editor);

} // namespace vn574::files
