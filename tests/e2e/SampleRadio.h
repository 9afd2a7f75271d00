#pragma once

#include <string>

namespace vn574::test {

// The memory of a model 3 radio (code 33AA66) with every signalling option, the first
// `channels` memory channels in use with names, tones and steps, both scan limits, the
// call channel and the VFO, options, auto dialer and DTMF memories: 8192 bytes.
std::string sampleRadioImage(int channels);

} // namespace vn574::test
