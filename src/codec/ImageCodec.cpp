#include "codec/ImageCodec.h"

#include "app/TextUtil.h"
#include "codec/HexText.h"
#include "codec/ImageCodecShared.h"
#include "codec/MemoryMap.h"
#include "document/Editor.h"
#include "document/FieldRules.h"
#include "document/OptionLists.h"
#include "document/ValueTables.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace vn574::codec {

using namespace std::string_view_literals;
using namespace detail;
using document::Column;

ImageCodec::ImageCodec(document::Editor& editor) : m_editor(editor) {
    m_optionFields[0] = "setup";
}

int ImageCodec::chInUse(int row) const {
    return row >= 1 && row <= doc::tableRows ? m_chInUse[static_cast<std::size_t>(row)] : 0;
}

int ImageCodec::chScanSkip(int row) const {
    return row >= 1 && row <= doc::tableRows ? m_chScanSkip[static_cast<std::size_t>(row)] : 0;
}

} // namespace vn574::codec
