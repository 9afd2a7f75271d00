// vn574-cli decode takes any 8192-byte file as a radio image. What it decodes must
// save as a channel data file that opens again to the same document.
//
// Input: the image (shorter inputs are padded with zeros, longer ones cut).
#include "FuzzSupport.h"
#include "codec/ImageCodec.h"
#include "codec/MemoryImage.h"
#include "files/ChannelFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vn574;
    codec::MemoryImage image{};
    std::copy_n(data, std::min(size, image.size()), image.begin());

    fuzz::LoadedEditor decoded;
    codec::ImageCodec codec(decoded.editor);
    codec::decodeImage(codec, image);
    decoded.editor.document().bModify = true;
    const std::string path = fuzz::scratchFolder() + "/decoded.vd";
    if (!files::saveChannelFile(decoded.editor, path).saved) {
        __builtin_trap();
    }
    fuzz::LoadedEditor reopened;
    if (!files::openChannelFile(reopened.editor, path).ok() ||
        files::formatChannelFile(reopened.editor) != files::formatChannelFile(decoded.editor)) {
        __builtin_trap();
    }
    // And it can be written back (or is refused with a message, never a bad block).
    codec::ImageCodec encoder(reopened.editor);
    reopened.editor.UpdateAllArray();
    (void)codec::encodeImage(reopened.editor, encoder, image[14]);
    return 0;
}
