#pragma once

#include "cli/TransferOptions.h"
#include "link/TransferChain.h"

#include <string>

namespace vn574::cli {

class CliSession;

// What a chain needs from a transfer command's command line, and how its end is told on
// stderr: "backup: PATH" once the backup is on disk (also with --quiet), progress lines
// naming the step, and the restore command after a write that may have left the radio
// half written.
struct ChainCommand {
    CliSession& session;
    const QCommandLineParser& parser;
    const TransferOptions& options;
    const link::CloneRunOptions& run;
};

link::ChainResult runChainCommand(const ChainCommand& command, link::ChainPlan plan);

// The status of a write or restore chain: 0 when it ended well, else 1 (with the password
// hint when the password window was cancelled).
int chainStatus(const ChainCommand& command, const link::ChainResult& result);

} // namespace vn574::cli
