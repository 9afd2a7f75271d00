#include "app/AtomicFile.h"
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "codec/ImageCodec.h"
#include "codec/MemoryImage.h"
#include "files/ChannelFile.h"
#include "files/ImageFile.h"

#include <QCommandLineParser>

#include <optional>
#include <string>

namespace vn574::cli {
namespace {

constexpr std::uint8_t defaultOptionByte = 0xE0; // 5-tone, 2-tone and DTMF installed

// "224", "0xE0": the option byte of block 0.
std::optional<std::uint8_t> parseOptionByte(const QString& text) {
    bool ok = false;
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const uint value = hex ? text.mid(2).toUInt(&ok, 16) : text.toUInt(&ok, 10);
    if (!ok || value > 0xFF) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

} // namespace

// vn574-cli encode IN.vd -o OUT.img [--option-byte N]: the memory a write of IN.vd leaves
// in a radio whose memory was all zeros.
int runEncode(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    const QCommandLineOption optionByte(
        QStringLiteral("option-byte"),
        QStringLiteral("Installed-option byte of block 0 (decimal or 0x..; default 0xE0)."),
        QStringLiteral("N"));
    parser.addOption(optionByte);
    const auto parsed = session.parseFileCommand(
        parser, arguments,
        {QStringLiteral(
             "Writes the 8192-byte radio image that writing a channel data file into a radio of "
             "all-zero memory would leave: blocks 16..511 as the write sends them, the channels "
             "not in use left zero, block 0 holding the file's model code and the option byte."),
         QStringLiteral("IN.vd"), QStringLiteral("Channel data file (.vd) with its .ton file."),
         QStringLiteral("The image file to write."),
         "vn574-cli encode IN.vd -o OUT.img [--option-byte N]"});
    if (const int* status = std::get_if<int>(&parsed)) {
        return *status;
    }
    const auto& paths = std::get<FileArguments>(parsed);
    std::uint8_t option = defaultOptionByte;
    if (parser.isSet(optionByte)) {
        const auto parsed = parseOptionByte(parser.value(optionByte));
        if (!parsed) {
            CliSession::printError("--option-byte must be a number from 0 to 255, not \"" +
                                   parser.value(optionByte).toStdString() + "\"");
            return exitUsage;
        }
        option = *parsed;
    }
    if (!session.start(parser) || !session.openInput(paths.input)) {
        return exitFailure;
    }

    document::Editor& editor = session.editor();
    editor.UpdateAllArray(); // as a write does before its first block
    codec::ImageCodec codec(editor);
    const auto image = codec::encodeImage(editor, codec, option);
    if (!image) {
        // The encoder has said why (on stderr).
        CliSession::printError("the document cannot be written into a radio; no image written");
        return exitFailure;
    }
    const std::string error = app::writeFileAtomically(
        paths.output,
        std::string_view(reinterpret_cast<const char*>(image->data()), image->size()));
    if (!error.empty()) {
        CliSession::printError(error);
        return exitFailure;
    }
    return exitOk;
}

// vn574-cli decode IN.img -o OUT.vd: what the editor holds after reading a radio whose
// memory is IN.img, saved as OUT.vd and its .ton file.
int runDecode(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    const auto parsed = session.parseFileCommand(
        parser, arguments,
        {QStringLiteral(
             "Reads an 8192-byte radio image as a read from the radio does (block by block, "
             "skipping the channels not in use) and saves the result as a channel data file."),
         QStringLiteral("IN.img"), QStringLiteral("Radio image of 8192 bytes."),
         QStringLiteral("The channel data file to write (.ton beside it)."),
         "vn574-cli decode IN.img -o OUT.vd"});
    if (const int* status = std::get_if<int>(&parsed)) {
        return *status;
    }
    const auto& paths = std::get<FileArguments>(parsed);
    codec::MemoryImage image{};
    const std::string error = files::readImageFile(paths.input, image);
    if (!error.empty()) {
        CliSession::printError(error);
        return exitFailure;
    }
    if (!session.start(parser)) {
        return exitFailure;
    }

    codec::ImageCodec codec(session.editor());
    codec::decodeImage(codec, image);
    session.editor().document().bModify = true; // as a completed read leaves it
    return files::saveChannelFile(session.editor(), paths.output).saved ? exitOk : exitFailure;
}

} // namespace vn574::cli
