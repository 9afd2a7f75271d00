// A channel data file and its signalling file come from anywhere: another program,
// a damaged disk, a file renamed by mistake. Opening must give the described message
// or the document, and a document that opened must save and open again unchanged.
//
// Input: two bytes (big-endian) giving the length of the channel data file, its bytes,
// then the bytes of the signalling file.
#include "FuzzSupport.h"
#include "files/ChannelFile.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

namespace {

void writeBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vn574;
    if (size < 2) {
        return 0;
    }
    std::size_t vdSize = (static_cast<std::size_t>(data[0]) << 8) | data[1];
    data += 2;
    size -= 2;
    vdSize = std::min(vdSize, size);
    const std::string folder = fuzz::scratchFolder();
    writeBytes(folder + "/in.vd", data, vdSize);
    writeBytes(folder + "/in.ton", data + vdSize, size - vdSize);

    fuzz::LoadedEditor first;
    const files::OpenResult opened = files::openChannelFile(first.editor, folder + "/in.vd");
    if (opened.status != files::OpenStatus::Opened) {
        return 0;
    }
    // Whatever opened is a document: saved and opened again it must be the same.
    if (!files::saveChannelFile(first.editor, folder + "/out.vd").saved) {
        __builtin_trap();
    }
    const std::string saved = files::formatChannelFile(first.editor);
    fuzz::LoadedEditor second;
    const files::OpenResult again = files::openChannelFile(second.editor, folder + "/out.vd");
    if (!again.ok() || files::formatChannelFile(second.editor) != saved ||
        second.editor.document().toneData.pack() != first.editor.document().toneData.pack()) {
        __builtin_trap();
    }
    return 0;
}
