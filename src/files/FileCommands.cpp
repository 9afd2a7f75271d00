#include "files/FileCommands.h"

namespace vn574::files {
namespace {

std::optional<std::string> chosen(std::optional<std::string> name) {
    if (!name || name->empty()) {
        return std::nullopt;
    }
    return name;
}

// The file Save offers: the one opened or saved last; a new document ("noname.vd") has
// no file yet, so nothing is offered.
std::string currentFile(const document::Editor& editor) {
    const std::string& name = editor.fileName();
    return name.find('/') == std::string::npos ? std::string() : name;
}

} // namespace

bool saveWithDialog(document::Editor& editor) {
    const auto path =
        chosen(editor.prompts().chooseSaveFile(std::string(saveFileFilter), currentFile(editor)));
    if (!path) {
        return false;
    }
    return saveChannelFile(editor, *path).saved;
}

std::optional<OpenResult> openWithDialog(document::Editor& editor) {
    // As New asks: Yes saves first through the editor's save (which marks the saved
    // state in the history), No opens over the changes, and Cancel, or a save that did
    // not happen, opens nothing.
    if (!editor.confirmDiscard()) {
        return std::nullopt;
    }
    const auto path = chosen(editor.prompts().chooseOpenFile(std::string(openFileFilter)));
    if (!path) {
        return std::nullopt;
    }
    return openChannelFile(editor, *path);
}

bool exportReportWithDialog(document::Editor& editor) {
    const auto path = chosen(editor.prompts().chooseSaveFile(std::string(reportFileFilter), ""));
    if (!path) {
        return false;
    }
    return exportReport(editor, *path);
}

bool printWithPrompt(document::Editor& editor, ReportPrinter& printer) {
    const std::string question = editor.langText("MSG", "900B");
    if (editor.prompts().ask(question, app::Buttons::OkCancel) != app::Answer::Ok) {
        return false;
    }
    const Report report = buildReport(editor, ReportTarget::Printer);
    const std::string error = printer.print(report.lines);
    if (!error.empty()) {
        editor.prompts().message("The report could not be printed: " + error + ".",
                                 app::Icon::Error);
        return false;
    }
    if (!report.complete()) {
        editor.prompts().message(editor.windowMessage(report.failedMessageKey), app::Icon::Error);
        return false;
    }
    return true;
}

void installFileHandlers(document::Editor& editor) {
    editor.setSaveHandler([&editor] { return saveWithDialog(editor); });
}

} // namespace vn574::files
