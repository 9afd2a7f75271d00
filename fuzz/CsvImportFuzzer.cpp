// A CSV channel list comes from spreadsheets and other programs and is imported into a
// document that already holds a radio's programming (vn574-cli csv-import --into, and
// Import CSV in the editor). Whatever the file holds, the import must either leave the
// document exactly as it was or bring in only channels that keep every field rule; the
// channels the file does not list stay as they were.
//
// Input: the bytes of the CSV file. The document is the demonstration radio's
// programming (model AE, all 100 channels in use, tones and signalling set).
#include "FuzzSupport.h"
#include "document/Document.h"
#include "document/FieldRules.h"
#include "document/ValueTables.h"
#include "files/ChannelFile.h"
#include "files/CsvChannels.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace vn574;
namespace doc = vn574::document;

// The CSV file the command-line tool would still read.
constexpr std::size_t maxCsvBytes = 1'000'000;

std::vector<std::string> rowCells(const doc::Editor& editor, int row) {
    std::vector<std::string> cells;
    for (int column = 1; column <= doc::colOptSignal; ++column) {
        cells.push_back(editor.cell(row, column));
    }
    for (const int column : {doc::colOptMemory, doc::colPttId}) {
        cells.push_back(editor.document().strChData.at(row, column));
    }
    return cells;
}

bool isToneOfTheLists(std::string_view tone) {
    if (tone == "off") {
        return true;
    }
    if (tone.starts_with(doc::ctcssPrefix)) {
        return doc::positionOf(doc::CtcssToneList(), tone.substr(doc::ctcssPrefix.size()))
            .has_value();
    }
    if (tone.starts_with(doc::dcsPrefix)) {
        return doc::positionOf(doc::DcsCodeList(), tone.substr(doc::dcsPrefix.size())).has_value();
    }
    return false;
}

// The radio's own lower-case symbols are names too: they cannot be typed (typing makes
// capitals) but come from the radio and from files.
bool isChannelName(const std::string& name) {
    return name.size() <= doc::maxNameLength && doc::FilterChannelName(name) == name;
}

bool isFrequencyOfBand(const std::string& frequency, const doc::BandLimits& band) {
    return frequency.size() <= doc::maxFrequencyLength && doc::isNumber(frequency) &&
           doc::isInBand(band, frequency);
}

// Every field of an imported row within what the grid's editors and lists allow.
bool keepsTheFieldRules(const doc::Editor& editor, int row) {
    const int model = editor.selectedModel();
    return editor.cell(row, doc::colStatus) == editor.words().active &&
           isChannelName(editor.cell(row, doc::colName)) &&
           doc::positionOf(doc::StepList(), editor.cell(row, doc::colRef)).has_value() &&
           isFrequencyOfBand(editor.cell(row, doc::colRxFreq), doc::rxBand(model)) &&
           isFrequencyOfBand(editor.cell(row, doc::colTxFreq), doc::txBand(model)) &&
           isToneOfTheLists(editor.cell(row, doc::colRxTone)) &&
           isToneOfTheLists(editor.cell(row, doc::colTxTone));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > maxCsvBytes) {
        return 0;
    }
    fuzz::LoadedEditor loaded;
    doc::Editor& editor = loaded.editor;
    if (!files::openChannelFile(editor, VN574_TEST_DATA_DIR "/demo-radio.vd").ok()) {
        __builtin_trap(); // the document every input is imported into
    }
    std::array<std::vector<std::string>, doc::tableRows + 1> before;
    for (int row = 1; row <= doc::tableRows; ++row) {
        before[static_cast<std::size_t>(row)] = rowCells(editor, row);
    }
    const std::string fileBefore = files::formatChannelFile(editor);

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const files::CsvImport imported = files::parseChannelsCsv(text, editor.selectedModel());
    if (!imported.error.empty() || imported.channels.empty()) {
        // Nothing is imported: nothing may have changed.
        if (files::formatChannelFile(editor) != fileBefore || editor.document().bModify) {
            __builtin_trap();
        }
        return 0;
    }
    files::applyChannelsCsv(editor, imported.channels);

    std::set<int> importedRows;
    for (const files::CsvChannel& channel : imported.channels) {
        importedRows.insert(channel.channel + 1);
    }
    for (int row = 1; row <= doc::tableRows; ++row) {
        const bool ok = importedRows.contains(row)
                            ? keepsTheFieldRules(editor, row)
                            : rowCells(editor, row) == before[static_cast<std::size_t>(row)];
        if (!ok) {
            __builtin_trap();
        }
    }
    return 0;
}
