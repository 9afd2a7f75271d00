// Encoding and decoding a whole radio image: every channel in use, every signalling
// record filled, so each of the 512 blocks does its full work.
#include "app/ProcessSettings.h"
#include "app/UserPrompts.h"
#include "codec/ImageCodec.h"
#include "codec/MemoryImage.h"
#include "document/Editor.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

using namespace vn574;

class SilentPrompts : public app::UserPrompts {
public:
    void message(const std::string& /*text*/, app::Icon /*icon*/) override {}
    app::Answer ask(const std::string& /*text*/, app::Buttons /*buttons*/) override {
        return app::Answer::No;
    }
    std::optional<std::string> chooseSaveFile(const std::string& /*filter*/) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseOpenFile(const std::string& /*filter*/) override {
        return std::nullopt;
    }
    std::optional<std::string> askPassword() override { return std::nullopt; }
};

struct FullDocument {
    FullDocument() : editor(settings, prompts), codec(editor) {
        settings.paths.languageFolder = VN574_LANGUAGE_DIR;
        settings.paths.settingsFolder = std::filesystem::temp_directory_path().string();
        settings.language = app::Language(VN574_LANGUAGE_DIR, "english.ini");
        settings.optionFlags = app::OptionFlags::fromFeatureByte(0xE0);
        editor.load();
        editor.selectModel(2);
        for (int row = 1; row <= 102; ++row) {
            editor.setActiveStatus(row);
            editor.InitialSingleLine(row);
            editor.setCell(row, document::colName, "CH" + std::to_string(row));
            editor.setCell(row, document::colTxFreq, "144.41250");
            editor.setCell(row, document::colRxTone, "C:88.5");
            editor.setCell(row, document::colTxTone, "D:023N");
            editor.setCell(row, document::colOptSignal, "5Tone");
        }
        editor.UpdateAllArray();
        auto& tone = editor.document().toneData;
        for (auto& memory : tone.fiveToneMem) {
            memory.code = "1E2E3E4E5E";
            memory.codeLen = 10;
        }
        for (auto& memory : tone.twoToneMem) {
            memory = {3, 153, 3, 153, 6, 6};
        }
        editor.document().strAutoDial = "Ad|0123456789ABCD*#|1|2|3|4|5|6|7|8|";
    }

    app::ProcessSettings settings;
    SilentPrompts prompts;
    document::Editor editor;
    codec::ImageCodec codec;
};

void BM_EncodeImage(benchmark::State& state) {
    FullDocument document;
    for (auto _ : state) {
        auto image = codec::encodeImage(document.editor, document.codec, 0xE0);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_EncodeImage)->Unit(benchmark::kMicrosecond);

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
BENCHMARK(BM_DecodeImage)->Unit(benchmark::kMicrosecond);

} // namespace
