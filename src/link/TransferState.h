#pragma once

#include <cstdint>
#include <string>

namespace vn574::link {

enum class TransferMode : std::int16_t { Read = 0, Write = 1 };

// The state of the read and write transfers. It lives as long as the process: the
// password typed once is not asked for again in a later clone window.
struct TransferState {
    TransferMode mode = TransferMode::Read; // TransferMode
    int CurBlock = 0;                       // 0..511; 512 when every block is done
    bool bRunning = false;
    bool bReceiving = false;
    int TickCount = 0;
    int RxEventCount = 0;
    int DiscardCount = 0;
    int ReadFault = 0;  // 1: failed below block 256, 2: from block 256 on
    int WriteFault = 0; // 1: a block not acknowledged, 2: identification refused
    std::string strEnteredPassword;
    bool bPasswordGiven = true;
    bool bPasswordChecked = false;
    // Write only.
    bool bPreRead = false;
    std::int16_t ModelCheck = 0; // 0 same model, 1 same type other band, 2 other type
    bool bIdentified = false;
    bool bPasswordModify = false;
    std::string strNewPassword;

    [[nodiscard]] bool writing() const { return mode == TransferMode::Write; }
};

} // namespace vn574::link
