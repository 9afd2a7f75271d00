// vn574-radio-sim: a simulated radio on a pseudo-terminal, for tests, demonstrations
// and users without a radio at hand.

#include "codec/HexText.h"
#include "codec/MemoryMap.h"
#include "sim/PtyHost.h"
#include "sim/RadioCable.h"
#include "sim/RadioModel.h"
#include "sim/SimOptions.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <vector>

namespace {

std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void onSignal(int /*signal*/) {
    stopRequested = true;
}

// An 8192-byte radio image; false after saying why it cannot be one.
bool readImage(const std::string& path, vn574::sim::Memory& memory) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    if (!in.eof() && !in) {
        std::cerr << "vn574-radio-sim: cannot read " << path << "\n";
        return false;
    }
    if (bytes.size() != memory.size()) {
        std::cerr << "vn574-radio-sim: " << path << " is not an 8192-byte image\n";
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(memory.data()));
    return true;
}

bool saveMemory(const std::string& path, const vn574::sim::Memory& memory) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(memory.data()),
                  static_cast<std::streamsize>(memory.size()));
        if (!out) {
            return false;
        }
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

} // namespace

int main(int argc, char** argv) {
    using namespace vn574::sim;
    std::string error;
    const auto options = parseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "vn574-radio-sim: " << error << "\n" << simUsage();
        return 2;
    }
    if (options->help) {
        std::cout << simUsage();
        return 0;
    }

    Memory memory{};
    if (!options->imageFile.empty() && !readImage(options->imageFile, memory)) {
        return 1;
    }
    // The password as the program sends it: one byte per character.
    const auto password = vn574::codec::passwordBytes(options->password);
    if (!password) {
        std::cerr << "vn574-radio-sim: --password takes only characters U+0001..U+00FF\n";
        return 2;
    }
    if (!options->imageFile.empty()) {
        // Given with an image, it replaces the image's own password ("" clears it).
        if (options->passwordGiven) {
            putPassword(memory, *password);
        }
    } else {
        const auto built = buildMemory(vn574::codec::modelCodeOf(options->model),
                                       static_cast<std::uint8_t>(options->optionByte), *password);
        if (!built) {
            std::cerr << "vn574-radio-sim: cannot build a memory for model " << options->model
                      << "\n";
            return 1;
        }
        memory = *built;
    }

    // The radios after the first keep their images' own passwords.
    std::vector<Memory> memories{memory};
    for (const std::string& path : options->nextImages) {
        if (!readImage(path, memories.emplace_back())) {
            return 1;
        }
    }
    RadioCable cable(std::move(memories), options->faults);
    PtyHost host(cable, options->baudPace);
    if (const auto openError = host.open(); !openError.empty()) {
        std::cerr << "vn574-radio-sim: " << openError << "\n";
        return 1;
    }

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    std::cout << host.devicePath() << std::endl;

    // With radios handed on, the file is the last radio's memory.
    const auto save = [&] {
        if (!options->saveFile.empty() && !saveMemory(options->saveFile, cable.lastMemory())) {
            std::cerr << "vn574-radio-sim: cannot write " << options->saveFile << "\n";
        }
    };
    // The log lets a test see what reached the radio, and when, while it runs.
    std::ofstream log;
    if (!options->logFile.empty()) {
        log.open(options->logFile, std::ios::trunc);
        if (!log) {
            std::cerr << "vn574-radio-sim: cannot write " << options->logFile << "\n";
            return 1;
        }
    }
    std::size_t logged = 0;
    const auto logFrames = [&] {
        const auto& frames = cable.radio().frames();
        for (; logged < frames.size(); ++logged) {
            log << frames[logged] << std::endl;
        }
    };
    // Which radio is on: only when there are several, so a single radio's log stays a list
    // of frames.
    const bool handsOn = !options->nextImages.empty();
    const auto radioName = [&](int number) {
        if (number == 1) {
            return options->imageFile.empty() ? "model " + std::to_string(options->model)
                                              : options->imageFile;
        }
        return options->nextImages[static_cast<std::size_t>(number - 2)];
    };
    const auto logCable = [&] {
        if (cable.unplugged()) {
            logFrames();
            log << "radio " << cable.radioNumber() << " unplugged" << std::endl;
        } else {
            // A new radio: its own frames, counted from its first.
            logged = 0;
            log << "radio " << cable.radioNumber() << " on: " << radioName(cable.radioNumber())
                << std::endl;
            logFrames();
        }
    };
    if (handsOn && log.is_open()) {
        log << "radio 1 on: " << radioName(1) << std::endl;
    }
    const bool logging = log.is_open();
    host.run(stopRequested, save, logging ? std::function<void()>(logFrames) : nullptr,
             logging && handsOn ? std::function<void()>(logCable) : nullptr);
    save();
    return 0;
}
