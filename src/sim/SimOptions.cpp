#include "sim/SimOptions.h"

#include <algorithm>
#include <charconv>

namespace vn574::sim {

namespace {

std::optional<int> parseNumber(std::string_view text) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    int value = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || ec != std::errc{} || ptr != end || value < 0) {
        return std::nullopt;
    }
    return value;
}

bool applyFault(std::string_view faultText, Faults& faults, std::string& error) {
    const auto eq = faultText.find('=');
    const std::string_view kind = faultText.substr(0, eq);
    std::optional<int> value;
    if (eq != std::string_view::npos) {
        value = parseNumber(faultText.substr(eq + 1));
        if (!value) {
            error = "--fault " + std::string(faultText) + ": the value is not a number";
            return false;
        }
    }
    const auto needs = [&](int& target) {
        if (!value) {
            error = "--fault " + std::string(kind) + " needs =N";
            return false;
        }
        target = *value;
        return true;
    };
    if (kind == "silent") {
        faults.silent = true;
    } else if (kind == "no-echo") {
        faults.noEcho = true;
    } else if (kind == "ident-error") {
        faults.identError = true;
    } else if (kind == "write-error") {
        return needs(faults.writeErrorBlock);
    } else if (kind == "drop-write") {
        return needs(faults.dropWriteBlock);
    } else if (kind == "corrupt-write") {
        return needs(faults.corruptWriteBlock);
    } else if (kind == "never-answer") {
        return needs(faults.neverAnswerBlock);
    } else if (kind == "freeze-after") {
        return needs(faults.freezeAfterBlock);
    } else if (kind == "garbage") {
        faults.garbageBytes = value.value_or(3);
    } else if (kind == "split") {
        faults.splitBytes = value.value_or(8);
    } else if (kind == "delay") {
        return needs(faults.replyDelayMs);
    } else if (kind == "answer-twice") {
        faults.answerAgainAfterMs = value.value_or(0);
    } else {
        error = "unknown fault: " + std::string(kind);
        return false;
    }
    return true;
}

} // namespace

std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& args,
                                          std::string& error) {
    SimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return std::nullopt;
            }
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--baud-pace") {
            options.baudPace = true;
        } else if (arg == "--image" || arg == "--save" || arg == "--password" || arg == "--fault" ||
                   arg == "--model" || arg == "--option-byte" || arg == "--log" ||
                   arg == "--next-image") {
            const auto text = value();
            if (!text) {
                return std::nullopt;
            }
            if (arg == "--image") {
                options.imageFile = *text;
            } else if (arg == "--next-image") {
                options.nextImages.push_back(*text);
            } else if (arg == "--save") {
                options.saveFile = *text;
            } else if (arg == "--log") {
                options.logFile = *text;
            } else if (arg == "--password") {
                // Characters, not bytes: an accented letter is two bytes of UTF-8.
                const auto characters = std::count_if(text->begin(), text->end(), [](char c) {
                    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
                });
                if (characters > 16) {
                    error = "--password takes at most 16 characters";
                    return std::nullopt;
                }
                options.password = *text;
                options.passwordGiven = true;
            } else if (arg == "--fault") {
                if (!applyFault(*text, options.faults, error)) {
                    return std::nullopt;
                }
            } else {
                const auto number = parseNumber(*text);
                const int limit = arg == "--model" ? 31 : 255;
                if (!number || *number > limit) {
                    error = arg + " takes a number from 0 to " + std::to_string(limit);
                    return std::nullopt;
                }
                (arg == "--model" ? options.model : options.optionByte) = *number;
            }
        } else {
            error = "unknown argument: " + arg;
            return std::nullopt;
        }
    }
    if (!options.help && options.imageFile.empty() == (options.model < 0)) {
        error = "give either --image FILE or --model N";
        return std::nullopt;
    }
    return options;
}

std::string simUsage() {
    return "usage: vn574-radio-sim (--image FILE | --model N [--option-byte B]) [--password P]\n"
           "                       [--save FILE] [--log FILE] [--baud-pace] [--fault KIND[=N]]...\n"
           "                       [--next-image FILE]...\n"
           "Puts a simulated radio on a pseudo-terminal and prints its device path.\n"
           "With --next-image, the radio is unplugged 1 s after its last end frame, the\n"
           "cable only echoes for 4 s, then the next image's radio is on it.\n"
           "faults: silent, no-echo, ident-error, write-error=BLOCK, drop-write=BLOCK,\n"
           "        corrupt-write=BLOCK, never-answer=BLOCK, freeze-after=BLOCK,\n"
           "        garbage[=BYTES], split[=BYTES], delay=MS, answer-twice[=MS]\n";
}

} // namespace vn574::sim
