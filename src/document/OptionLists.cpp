#include "document/OptionLists.h"

#include <array>

namespace vn574::document {
namespace {

constexpr std::array<std::string_view, 16> timeoutTimer{
    "off",     "0m30sec", "1m00sec", "1m30sec", "2m00sec", "2m30sec", "3m00sec", "3m30sec",
    "4m00sec", "4m30sec", "5m00sec", "5m30sec", "6m00sec", "6m30sec", "7m00sec", "7m30sec"};

constexpr std::array<std::string_view, 16> timeoutPenalty{
    "off",  "1sec", "2sec",  "3sec",  "4sec",  "5sec",  "6sec",  "7sec",
    "8sec", "9sec", "10sec", "11sec", "12sec", "13sec", "14sec", "15sec"};

} // namespace

TextList TimeoutTimerList() {
    return timeoutTimer;
}

TextList TimeoutPenaltyList() {
    return timeoutPenalty;
}

} // namespace vn574::document
