// Encoding and decoding a whole radio image: every channel in use, every signalling
// record filled, so each of the 512 blocks does its full work.
#include "BenchDocument.h"
#include "codec/ImageCodec.h"
#include "codec/MemoryImage.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vn574;

struct FullDocument : bench::BenchDocument {
    FullDocument() : codec(editor) {}
    codec::ImageCodec codec;
};

void BM_EncodeImage(benchmark::State& state) {
    FullDocument document;
    for (auto _ : state) {
        auto image = codec::encodeImage(document.editor, document.codec, 0xE0);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_EncodeImage)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", bench::fastest);

void BM_DecodeImage(benchmark::State& state) {
    FullDocument source;
    const auto image = codec::encodeImage(source.editor, source.codec, 0xE0);
    if (!image) {
        state.SkipWithError("the document did not encode");
        return;
    }
    FullDocument target;
    for (auto _ : state) {
        codec::decodeImage(target.codec, *image);
        benchmark::DoNotOptimize(target.editor.document().strSetup);
    }
}
BENCHMARK(BM_DecodeImage)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", bench::fastest);

} // namespace
