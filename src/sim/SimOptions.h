#pragma once

#include "sim/RadioModel.h"

#include <optional>
#include <string>
#include <vector>

namespace vn574::sim {

// The command line of vn574-radio-sim.
struct SimOptions {
    std::string imageFile; // --image FILE: the memory as 8192 bytes
    // --next-image FILE, repeatable: the radios handed to the cable after the first, in order
    std::vector<std::string> nextImages;
    int model = -1;       // --model N: build the memory for model N (0..31)
    int optionByte = 0;   // --option-byte B (decimal, or hexadecimal with 0x)
    std::string password; // --password P
    bool passwordGiven = false;
    std::string saveFile;  // --save FILE
    std::string logFile;   // --log FILE: every frame understood, one a line, as it comes
    bool baudPace = false; // --baud-pace: 9600 bit/s on the line
    Faults faults;         // --fault KIND[=N], repeatable
    bool help = false;
};

// Parses the arguments after the program name. On a mistake returns nothing and sets
// `error` to a one-line description.
std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& args, std::string& error);

std::string simUsage();

} // namespace vn574::sim
