#include "ProcessRunner.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vn574::test {
namespace {

using Clock = std::chrono::steady_clock;

int spawn(const std::vector<std::string>& argv, int outFd, int errFd) {
    std::vector<char*> args;
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    }
    if (errFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
    }
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

int waitExit(int pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, int timeoutSeconds) {
    ProcessResult result;
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
        return result;
    }
    const int pid = spawn(argv, out[1], err[1]);
    ::close(out[1]);
    ::close(err[1]);
    if (pid < 0) {
        ::close(out[0]);
        ::close(err[0]);
        return result;
    }
    const auto deadline = Clock::now() + std::chrono::seconds(timeoutSeconds);
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = 2;
    bool killed = false;
    while (open > 0) {
        if (Clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            killed = true;
            break;
        }
        if (::poll(fds, 2, 200) <= 0) {
            continue;
        }
        for (auto& fd : fds) {
            if (fd.fd >= 0 && (fd.revents & (POLLIN | POLLHUP)) != 0) {
                char buffer[4096];
                const ssize_t got = ::read(fd.fd, buffer, sizeof buffer);
                if (got > 0) {
                    (fd.fd == out[0] ? result.out : result.err)
                        .append(buffer, static_cast<std::size_t>(got));
                } else {
                    fd.fd = -1;
                    --open;
                }
            }
        }
    }
    ::close(out[0]);
    ::close(err[0]);
    const int code = waitExit(pid);
    result.exitCode = killed ? -1 : code;
    return result;
}

SimProcess::SimProcess(const std::vector<std::string>& arguments) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        return;
    }
    m_pid = spawn(arguments, out[1], -1);
    ::close(out[1]);
    m_out = out[0];
    if (m_pid < 0) {
        return;
    }
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    std::string line;
    while (Clock::now() < deadline) {
        pollfd fd{m_out, POLLIN, 0};
        if (::poll(&fd, 1, 200) <= 0) {
            continue;
        }
        char c = 0;
        if (::read(m_out, &c, 1) != 1) {
            break;
        }
        if (c == '\n') {
            m_device = line;
            break;
        }
        line.push_back(c);
    }
}

SimProcess::~SimProcess() {
    stop();
}

int SimProcess::stop() {
    int code = -1;
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        code = waitExit(m_pid);
        m_pid = -1;
    }
    if (m_out >= 0) {
        ::close(m_out);
        m_out = -1;
    }
    return code;
}

void SimProcess::kill() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        waitExit(m_pid);
        m_pid = -1;
    }
}

} // namespace vn574::test
