// vn574-radio-sim: a simulated radio on a pseudo-terminal, for tests, demonstrations
// and users without a radio at hand.

#include "codec/HexText.h"
#include "codec/MemoryMap.h"
#include "sim/PtyHost.h"
#include "sim/RadioModel.h"
#include "sim/SimOptions.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>

namespace {

std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void onSignal(int /*signal*/) {
    stopRequested = true;
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
    if (!options->imageFile.empty()) {
        std::ifstream in(options->imageFile, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        if (!in.eof() && !in) {
            std::cerr << "vn574-radio-sim: cannot read " << options->imageFile << "\n";
            return 1;
        }
        if (bytes.size() != memory.size()) {
            std::cerr << "vn574-radio-sim: " << options->imageFile
                      << " is not an 8192-byte image\n";
            return 1;
        }
        std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(memory.data()));
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

    RadioModel model(memory, options->faults);
    PtyHost host(model, options->baudPace);
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

    const auto save = [&] {
        if (!options->saveFile.empty() && !saveMemory(options->saveFile, model.memory())) {
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
        const auto& frames = model.frames();
        for (; logged < frames.size(); ++logged) {
            log << frames[logged] << std::endl;
        }
    };
    host.run(stopRequested, save, log.is_open() ? std::function<void()>(logFrames) : nullptr);
    save();
    return 0;
}
