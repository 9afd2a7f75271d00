#pragma once

#include "codec/MemoryImage.h"
#include "document/DocumentDiff.h"

namespace vn574::codec {

// Whether a difference between two documents reaches the radio: whether the bytes of
// the image that hold the differing value differ between the images the two documents
// encode to. Values that share a byte or a digit with others (Shift and PAC mode, the
// frequencies and the offset, a 5-tone code and its length) are judged together. A value
// the image has no place for (the scan skip of PL..V, the 2-tone pair type, spare bytes)
// never reaches it; a difference this map does not know is taken to reach it.
bool differsInImages(const document::Difference& difference, const MemoryImage& left,
                     const MemoryImage& right);

} // namespace vn574::codec
