#include "files/ComparedDocument.h"

#include "app/TextUtil.h"
#include "codec/ImageCodec.h"
#include "codec/ImageRegions.h"
#include "files/ChannelFile.h"
#include "files/ImageFile.h"

#include <utility>

namespace vn574::files {

bool isChannelFileName(std::string_view path) {
    return path.size() >= 3 && app::equalsIgnoringCase(path.substr(path.size() - 3), ".vd");
}

void ComparedDocument::CollectingPrompts::message(const std::string& text, app::Icon /*icon*/) {
    messages += messages.empty() ? text : "\n" + text;
}

// Nothing is saved, printed or sent from a document read for comparing.
app::Answer ComparedDocument::CollectingPrompts::ask(const std::string& /*text*/,
                                                     app::Buttons buttons) {
    return buttons == app::Buttons::OkCancel || buttons == app::Buttons::Ok ? app::Answer::Cancel
                                                                            : app::Answer::No;
}

std::optional<std::string>
ComparedDocument::CollectingPrompts::chooseSaveFile(const std::string& /*filter*/,
                                                    const std::string& /*suggestedFile*/) {
    return std::nullopt;
}

std::optional<std::string>
ComparedDocument::CollectingPrompts::chooseOpenFile(const std::string& /*filter*/) {
    return std::nullopt;
}

std::optional<std::string> ComparedDocument::CollectingPrompts::askPassword() {
    return std::nullopt;
}

ComparedDocument::ComparedDocument(app::ProcessSettings settings)
    : m_settings(std::move(settings)), m_editor(m_settings, m_prompts) {
    m_editor.load();
}

std::string ComparedDocument::load(const std::string& path) {
    if (isChannelFileName(path)) {
        const OpenResult result = openChannelFile(m_editor, path);
        if (!result.ok() && m_prompts.messages.empty()) {
            m_prompts.messages = "\"" + path + "\" could not be read completely.";
        }
    } else {
        codec::MemoryImage image{};
        std::string error = readImageFile(path, image);
        if (!error.empty()) {
            return error;
        }
        loadImage(image);
        return m_prompts.messages;
    }
    m_editor.UpdateAllArray();
    return m_prompts.messages;
}

void ComparedDocument::loadImage(const codec::MemoryImage& image) {
    codec::ImageCodec codec(m_editor);
    codec::decodeImage(codec, image);
    m_editor.UpdateAllArray();
}

std::optional<codec::MemoryImage> ComparedDocument::imageOf(const document::Editor& editor) {
    ComparedDocument copy(editor.settings());
    document::Editor& scratch = copy.m_editor;
    scratch.document() = editor.document();
    scratch.grid() = editor.grid();
    codec::ImageCodec codec(scratch);
    // Block 0 is no part of a write; its option byte is the same for both sides.
    return codec::encodeImage(scratch, codec, 0);
}

document::DocumentDiff compareDocuments(const document::Editor& left,
                                        const document::Editor& right) {
    const auto a = ComparedDocument::imageOf(left);
    const auto b = a ? ComparedDocument::imageOf(right) : std::nullopt;
    if (!a || !b) {
        return {left, right};
    }
    const document::ImageVerdict verdict{*a == *b, [&](const document::Difference& difference) {
                                             return codec::differsInImages(difference, *a, *b);
                                         }};
    return {left, right, verdict};
}

std::optional<Comparison> compareWithDialog(document::Editor& editor) {
    const std::string filter =
        editor.langText("COMPARE", "12007") + " (*.vd;*.img)|*.vd;*.img|All files (*.*)|*.*";
    const auto path = editor.prompts().chooseOpenFile(filter);
    if (!path || path->empty()) {
        return std::nullopt;
    }
    ComparedDocument other(editor.settings());
    const std::string error = other.load(*path);
    if (!error.empty()) {
        editor.prompts().message(editor.langText("COMPARE", "12008") + "\n" + error,
                                 app::Icon::Error);
        return std::nullopt;
    }
    editor.UpdateAllArray();
    return Comparison{*path, compareDocuments(editor, other.editor())};
}

document::SummaryWords summaryWordsOf(const document::Editor& editor) {
    const auto text = [&editor](const char* key) { return editor.langText("COMPARE", key); };
    document::SummaryWords words;
    words.model = text("12020");
    words.channels = {text("12021"), text("12022")};
    words.options = {text("12023"), text("12024")};
    words.autoDials = {text("12025"), text("12026")};
    words.signalling = {text("12027"), text("12028")};
    words.join = text("12029");
    words.joinLast = text("12030");
    words.verbOne = text("12031");
    words.verbMany = text("12032");
    words.none = text("12033");
    words.fileOnly = text("12034");
    return words;
}

} // namespace vn574::files
