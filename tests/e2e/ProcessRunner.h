#pragma once

#include <string>
#include <vector>

namespace vn574::test {

struct ProcessResult {
    int exitCode = -1; // -1 when it had to be killed
    std::string out;
    std::string err;
};

// Runs a program to its end (killing it after `timeoutSeconds`) and collects its output.
ProcessResult runProcess(const std::vector<std::string>& argv, int timeoutSeconds = 300);

// vn574-radio-sim running in the background on its pseudo-terminal.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& arguments);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The device path from its first line; empty when it did not start.
    [[nodiscard]] const std::string& device() const { return m_device; }
    // SIGTERM and wait; the exit status (-1 when it had to be killed).
    int stop();
    // SIGKILL and wait: the radio's end of the line vanishes at once, mid-frame maybe.
    void kill();

private:
    int m_pid = -1;
    int m_out = -1;
    std::string m_device;
};

} // namespace vn574::test
