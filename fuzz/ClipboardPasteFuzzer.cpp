// What is pasted into the channel grid comes from anywhere: a spreadsheet, a text editor,
// another copy of this program. Whatever it holds, a paste may only put into the table
// what typing could (so the document still writes into the radio), and one undo takes
// the whole paste back, to the byte.
//
// Input: one byte for the form (the program's own rows, CSV rows or a block of cells),
// one for the row and one for the column the paste starts at, then the pasted text. The
// document is the demonstration radio's programming (model AE, all 100 channels in use).
#include "FuzzSupport.h"
#include "codec/ImageCodec.h"
#include "document/ChannelGrid.h"
#include "files/ChannelClipboard.h"
#include "files/ChannelFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace vn574;

// Far beyond any grid, and enough for every form to reach every row.
constexpr std::size_t maxPastedBytes = 200'000;
constexpr int gridRows = 104;
constexpr int gridColumns = 16;
constexpr int imageBlocks = 512;

files::PasteResult paste(files::ChannelClipboard& clipboard, std::uint8_t form, int row, int column,
                         std::string_view text) {
    switch (form % 3) {
    case 0:
        return clipboard.pasteRows(row, text);
    case 1:
        return clipboard.pasteCsv(row, text);
    default:
        return clipboard.pasteCells(row, column, text);
    }
}

bool encodesWhole(document::Editor& editor) {
    codec::ImageCodec codec(editor);
    for (int block = 0; block < imageBlocks; ++block) {
        if (codec.EncodeBlock(block) == codec::ImageCodec::errorResult) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3 || size > maxPastedBytes) {
        return 0;
    }
    fuzz::LoadedEditor loaded;
    document::Editor& editor = loaded.editor;
    if (!files::openChannelFile(editor, VN574_TEST_DATA_DIR "/demo-radio.vd").ok()) {
        __builtin_trap(); // the document every input is pasted into
    }
    editor.restartHistory();
    const std::string before = files::formatChannelFile(editor);

    const int row = 1 + data[1] % gridRows;
    const int column = 1 + data[2] % gridColumns;
    const std::string_view text(reinterpret_cast<const char*>(data) + 3, size - 3);
    files::ChannelClipboard clipboard(editor);
    const files::PasteResult result = paste(clipboard, data[0], row, column, text);
    (void)clipboard.refusalMessage(result);

    const std::string after = files::formatChannelFile(editor);
    if (after == before) {
        return 0;
    }
    // Whatever changed is one step, and undoing it brings back the file as it was.
    if (!editor.history().canUndo() || !editor.undo() ||
        files::formatChannelFile(editor) != before || editor.history().canUndo()) {
        __builtin_trap();
    }
    if (!editor.redo() || files::formatChannelFile(editor) != after) {
        __builtin_trap();
    }
    if (!encodesWhole(editor)) {
        __builtin_trap();
    }
    return 0;
}
