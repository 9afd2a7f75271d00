// Encoding a document into an image and reading that image back, over many generated
// documents. What comes back is what the radio can hold, which is not everything:
//
// - frequencies come back with four decimals and a receive frequency with three digits
//   before the point ("027.0000"); a transmit frequency that differs from the receive
//   frequency comes back as receive +/- offset snapped to the row's step (five decimals);
//   steps 6.25 and 8.33 kHz make rasters finer than the radio's 100 Hz, so there only the
//   value within half a step is kept;
// - an option signal the radio has not installed comes back "None", its memory and PTT ID
//   positions still decoded; a column 18 the signal does not use keeps the reading
//   editor's text;
// - the scan skip of PL, PH, the call channel and the VFO comes back empty;
// - rows the radio does not use come back out of use and empty, their scan-skip bits 0;
//   rows 1..100 the write leaves out are not in the image at all;
// - of the signalling record, the 2-tone pair type, the spare bytes and the own-ID digits
//   beyond its length are not in the image;
// - the hyphen runs of a new option record come back as "Disable" and "off" (not
//   generated here).
#include "app/TextUtil.h"
#include "codec/CodecTestUtil.h"
#include "codec/MemoryImage.h"
#include "document/FieldRules.h"
#include "document/OptionLists.h"
#include "document/ValueTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace vn574::codec {
namespace {

using namespace document; // NOLINT(google-build-using-namespace): column names
using testing::CodecFixture;

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool coin() { return below(2) == 1; }
    std::string pick(TextList list) {
        return std::string(list[static_cast<std::size_t>(below(static_cast<int>(list.size())))]);
    }
    template <typename T> T pickOf(std::initializer_list<T> items) {
        return *(items.begin() + below(static_cast<int>(items.size())));
    }

    // A frequency in 10 Hz units inside [low, high] on the raster of `step`.
    long long frequencyUnits(double low, double high, const std::string& step) {
        const long long lowUnits = std::llround(low * 100000);
        const long long highUnits = std::llround(high * 100000);
        for (;;) {
            const long long value =
                std::uniform_int_distribution<long long>(lowUnits, highUnits)(m_random);
            char text[32];
            std::snprintf(text, sizeof text, "%lld.%05lld", value / 100000, value % 100000);
            const long long snapped =
                std::llround(*parseNumber(AdjustRxFreqByStep(text, step)) * 100000);
            if (snapped >= lowUnits && snapped <= highUnits) {
                return snapped;
            }
        }
    }

private:
    std::mt19937 m_random;
};

std::string unitsText(long long units, int decimals) {
    char buffer[32];
    if (decimals == 5) {
        std::snprintf(buffer, sizeof buffer, "%lld.%05lld", units / 100000, units % 100000);
    } else {
        std::snprintf(buffer, sizeof buffer, "%lld.%04lld", units / 100000, units % 100000 / 10);
    }
    return buffer;
}

struct Generated {
    int optionByte = 0;
    std::array<bool, 105> inUse{};
};

constexpr std::string_view nameCharacters =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ *#+-/\\=()$_gdexziylpuftsbwvaoj";
constexpr std::string_view autoDialCharacters = "0123456789ABCD#*-";

Generated generate(Generator& g, Editor& editor) {
    Generated result;
    result.optionByte = g.pickOf({0xE0, 0xA0, 0x40, 0x00, 0x30});
    editor.selectModel(g.below(32));
    Document& doc = editor.document();
    const ChannelWords& words = editor.words();
    const int model = editor.selectedModel();
    const BandLimits rx = rxBand(model);
    const BandLimits tx = txBand(model);

    for (int row = 1; row <= 104; ++row) {
        const bool inUse = row > 102 || g.below(3) == 0;
        result.inUse[static_cast<std::size_t>(row)] = inUse;
        if (row <= 102) {
            editor.grid().setCell(row, colStatus, inUse ? words.active : words.inactive);
        }
        auto& t = doc.strChData;
        t.at(row, colStatus) = inUse ? "Active" : "";
        std::string name;
        for (int i = g.below(8); i > 0; --i) {
            name += nameCharacters[static_cast<std::size_t>(
                g.below(static_cast<int>(nameCharacters.size())))];
        }
        t.at(row, colName) = name;
        const std::string step = g.pick(StepList());
        t.at(row, colRef) = step;
        const long long rxUnits = g.frequencyUnits(rx.low, rx.high, step);
        const long long txUnits = g.coin() ? rxUnits : g.frequencyUnits(tx.low, tx.high, step);
        t.at(row, colRxFreq) = unitsText(rxUnits, g.coin() ? 5 : 4);
        t.at(row, colTxFreq) = unitsText(txUnits, g.coin() ? 5 : 4);
        const auto tone = [&] {
            switch (g.below(3)) {
            case 0:
                return std::string("off");
            case 1:
                return "C:" + g.pick(CtcssToneList());
            default:
                return "D:" + g.pick(DcsCodeList());
            }
        };
        t.at(row, colRxTone) = tone();
        t.at(row, colTxTone) = tone();
        t.at(row, colWideNarrow) = g.coin() ? "wide" : "narrow";
        for (const int column : {colPacMode, colDcsDet, colBcl, colAni, colShift}) {
            t.at(row, column) = g.coin() ? "on" : "off";
        }
        t.at(row, colScanSkip) = g.coin() ? words.scanSkip1 : words.scanSkip0;
        const int pri = g.below(106);
        t.at(row, colPri) =
            pri < 100
                ? (pri < 10 ? "0" : "") + std::to_string(pri)
                : std::string(g.pickOf<std::string_view>({"off", "PL", "PH", "CAL", "VFO", "off"}));
        const int signal = g.below(5);
        t.at(row, colOptSignal) = std::string(optionSignalTypes[static_cast<std::size_t>(signal)]);
        const std::array<int, 5> memories{1, 8, 8, 100, 100};
        const std::array<int, 5> pttIds{1, 1, 2, 1, 4};
        t.at(row, colOptMemory) =
            std::to_string(g.below(memories[static_cast<std::size_t>(signal)]));
        t.at(row, colPttId) = std::to_string(g.below(pttIds[static_cast<std::size_t>(signal)]));
        if (inUse) {
            editor.ReadBuffer(row); // the grid shows the row; ReadBuffer resets the signal
            editor.setCell(row, colOptSignal, t.at(row, colOptSignal));
        }
    }

    std::vector<std::string> setup{"setup"};
    setup.emplace_back(g.pickOf<std::string_view>({"Frequency", "Channel"}));
    setup.emplace_back(g.pickOf<std::string_view>({"VFO", "MR", "CALL"}));
    setup.push_back(std::to_string(g.below(100)));
    setup.push_back(std::to_string(g.below(21)));
    setup.emplace_back(g.pickOf<std::string_view>({"Hi", "Mid", "Low"}));
    for (int i = 6; i <= 11; ++i) {
        setup.emplace_back(g.coin() ? "Enable" : "Disable");
    }
    setup.emplace_back(g.pickOf<std::string_view>({"100ms", "400ms", "700ms", "1s"}));
    setup.emplace_back(g.pickOf<std::string_view>({"60ms", "80ms", "160ms", "200ms"}));
    setup.emplace_back(g.pickOf<std::string_view>({"60ms", "80ms", "160ms", "200ms"}));
    setup.emplace_back(g.pickOf<std::string_view>({"1750Hz", "2100Hz", "1000Hz", "1450Hz"}));
    setup.push_back(g.pick(TimeoutTimerList()));
    setup.push_back(g.pick(TimeoutPenaltyList()));
    setup.emplace_back(g.coin() ? "on" : "off");
    setup.emplace_back(g.coin() ? "on" : "off");
    setup.emplace_back(g.coin() ? "Enable" : "Disable");
    setup.emplace_back(g.coin() ? "Timer" : "Busy");
    setup.emplace_back(g.coin() ? "High" : "Low");
    setup.emplace_back(g.pickOf<std::string_view>({"off", "on", "Dly"}));
    setup.emplace_back(g.coin() ? "Lock" : "Unlock");
    setup.emplace_back(g.coin() ? "50W" : "25W");
    setup.emplace_back(g.coin() ? "1" : "0");
    setup.emplace_back(g.coin() ? "1" : "0");
    doc.strSetup = app::joinFields(setup, '|');

    std::string autoDial = "Ad|";
    for (int m = 0; m < 9; ++m) {
        for (int i = g.below(17); i > 0; --i) {
            autoDial += autoDialCharacters[static_cast<std::size_t>(
                g.below(static_cast<int>(autoDialCharacters.size())))];
        }
        autoDial += "|";
    }
    doc.strAutoDial = autoDial;

    ToneData& tone = doc.toneData;
    for (auto& value : tone.dtmfMem) {
        value = static_cast<std::int16_t>(g.below(65536) - 32768);
    }
    const auto byte = [&] { return static_cast<std::uint8_t>(g.below(256)); };
    tone.toneADivHi = byte();
    tone.toneADivLo = byte();
    tone.toneBDivHi = byte();
    tone.toneBDivLo = byte();
    tone.toneAFrac = byte();
    tone.toneBFrac = byte();
    tone.twoToneSel = byte();
    for (auto& value : tone.twoToneSet) {
        value = byte();
    }
    for (auto& rec : tone.twoToneMem) {
        rec = {byte(), byte(), byte(), byte(), byte(), byte()};
    }
    tone.selfIdMode = byte();
    tone.selfIdStd = byte();
    tone.selfIdLen = static_cast<std::uint8_t>(g.below(6));
    tone.selfIdTime = byte();
    std::string id;
    for (int i = 0; i < 5; ++i) {
        id += static_cast<char>('0' + g.below(10));
    }
    tone.selfId.assign(id);
    tone.selfIdDelay = byte();
    const auto fiveTone = [&](FiveToneRec& rec) {
        rec.std = static_cast<std::uint8_t>(g.below(13));
        rec.toneTime = static_cast<std::uint8_t>(3 + g.below(8));
        std::string code;
        for (int i = g.below(23); i > 0; --i) {
            code += "0123456789ABCDEF"[g.below(16)];
        }
        rec.code.assign(code);
        rec.codeLen = static_cast<std::uint8_t>(code.size());
    };
    fiveTone(tone.pttIdBot);
    fiveTone(tone.pttIdEot);
    for (auto& rec : tone.fiveToneMem) {
        fiveTone(rec);
    }
    return result;
}

std::string radioFrequency(const std::string& text) {
    const auto value = std::llround(*parseNumber(text) * 100000) / 10;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%03lld.%04lld", value / 10000, value % 10000);
    return buffer;
}

TEST(RoundTripTest, EncodedDocumentsReadBackAsTheRadioHoldsThem) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Generator g(seed);
        CodecFixture source;
        const Generated generated = generate(g, source.editor());
        const Document& original = source.doc();
        const auto image = encodeImage(source.editor(), source.codec,
                                       static_cast<std::uint8_t>(generated.optionByte));
        ASSERT_TRUE(image.has_value());
        ASSERT_TRUE(source.env.prompts.messages.empty());

        CodecFixture target(app::OptionFlags{});
        decodeImage(target.codec, *image);
        const Document& read = target.doc();
        Editor& editor = target.editor();
        const auto flags =
            app::OptionFlags::fromFeatureByte(static_cast<std::uint8_t>(generated.optionByte));
        EXPECT_EQ(target.env.settings.optionFlags, flags);
        EXPECT_EQ(editor.selectedModel(), source.editor().selectedModel());
        EXPECT_EQ(read.strSetup, original.strSetup);
        EXPECT_EQ(read.strAutoDial, original.strAutoDial);

        for (int row = 1; row <= 104; ++row) {
            SCOPED_TRACE("row " + std::to_string(row));
            const bool inUse = generated.inUse[static_cast<std::size_t>(row)];
            const auto& in = original.strChData;
            const auto& out = read.strChData;
            if (row <= 102) {
                EXPECT_EQ(editor.isRowActive(row), inUse);
            }
            if (!inUse) {
                if (row <= 100) {
                    EXPECT_EQ(out.at(row, colRxFreq), "");
                    EXPECT_EQ(out.at(row, colName), "");
                }
                continue;
            }
            for (const int column : {colName, colRef, colRxTone, colWideNarrow, colPacMode,
                                     colDcsDet, colPri, colTxTone, colBcl, colAni, colShift}) {
                EXPECT_EQ(out.at(row, column), in.at(row, column)) << column;
            }
            EXPECT_EQ(out.at(row, colScanSkip), row <= 100 ? in.at(row, colScanSkip) : "");
            EXPECT_EQ(out.at(row, colRxFreq), radioFrequency(in.at(row, colRxFreq)));
            const std::string& step = in.at(row, colRef);
            const double txIn = *parseNumber(in.at(row, colTxFreq));
            const double txOut = *parseNumber(out.at(row, colTxFreq));
            if (step == "6.25") {
                EXPECT_LE(std::fabs(txOut - txIn), 0.003125 + 1e-9);
            } else if (step == "8.33") {
                // Cut to 100 Hz and snapped downwards: up to one raster point lower.
                EXPECT_LE(std::fabs(txOut - txIn), 0.0084);
            } else {
                EXPECT_NEAR(txOut, txIn, 1e-7)
                    << in.at(row, colTxFreq) << " " << out.at(row, colTxFreq);
            }

            const std::string& signal = in.at(row, colOptSignal);
            const auto& list = editor.optionSignalList();
            const bool installed = std::find(list.begin(), list.end(), signal) != list.end();
            EXPECT_EQ(out.at(row, colOptSignal), installed ? signal : "None");
            EXPECT_EQ(out.at(row, colOptMemory), signal == "None" ? "0" : in.at(row, colOptMemory));
            if (signal == "DTMF-ANI" || signal == "5Tone" || signal == "None") {
                EXPECT_EQ(out.at(row, colPttId), signal == "None" ? "0" : in.at(row, colPttId));
            }
            EXPECT_EQ(editor.cell(row, colRxFreq), out.at(row, colRxFreq));
            EXPECT_EQ(editor.cell(row, colWideNarrow),
                      target.words().shownWidth(out.at(row, colWideNarrow)));
            EXPECT_EQ(editor.cell(row, colOptSignal), out.at(row, colOptSignal));
        }

        const ToneData& a = original.toneData;
        const ToneData& b = read.toneData;
        EXPECT_EQ(b.dtmfMem, a.dtmfMem);
        EXPECT_EQ(b.twoToneMem, a.twoToneMem);
        EXPECT_EQ(b.twoToneSet, a.twoToneSet);
        EXPECT_EQ(std::tie(b.toneADivHi, b.toneADivLo, b.toneBDivHi, b.toneBDivLo, b.toneAFrac,
                           b.toneBFrac, b.twoToneSel),
                  std::tie(a.toneADivHi, a.toneADivLo, a.toneBDivHi, a.toneBDivLo, a.toneAFrac,
                           a.toneBFrac, a.twoToneSel));
        EXPECT_EQ(std::tie(b.selfIdMode, b.selfIdStd, b.selfIdLen, b.selfIdTime, b.selfIdDelay),
                  std::tie(a.selfIdMode, a.selfIdStd, a.selfIdLen, a.selfIdTime, a.selfIdDelay));
        EXPECT_EQ(b.selfId.str(),
                  a.selfId.str().substr(0, a.selfIdLen) + std::string(5 - a.selfIdLen, ' '));
        EXPECT_EQ(b.pttIdBot, a.pttIdBot);
        EXPECT_EQ(b.pttIdEot, a.pttIdEot);
        EXPECT_EQ(b.fiveToneMem, a.fiveToneMem);

        // Encoding what was read gives the same image again.
        target.env.prompts.messages.clear();
        target.editor().UpdateAllArray();
        const auto again = encodeImage(target.editor(), target.codec,
                                       static_cast<std::uint8_t>(generated.optionByte));
        ASSERT_TRUE(again.has_value());
        if (generated.optionByte == 0xE0) {
            for (int block = 0; block < blockCount; ++block) {
                const auto channel = channelOfBlock(block);
                if (block == blockScanSkip) {
                    continue; // the bits of unused channels come back 0
                }
                if (channel && channel->firstHalf &&
                    (original.strChData.at(channel->row, colRef) == "6.25" ||
                     original.strChData.at(channel->row, colRef) == "8.33")) {
                    continue;
                }
                const auto at = static_cast<std::ptrdiff_t>(block * blockSize);
                EXPECT_TRUE(std::equal(image->begin() + at, image->begin() + at + blockSize,
                                       again->begin() + at))
                    << "block " << block;
            }
        }
    }
}

} // namespace
} // namespace vn574::codec
