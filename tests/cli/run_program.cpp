// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "run_program.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quantaro::test {

namespace {

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

RunResult runConvert(const std::vector<std::string>& arguments, const RunOptions& options)
{
    // Writing to a child that has already gone must not end the test.
    std::signal(SIGPIPE, SIG_IGN);

    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    // The child starts with SIGPIPE as any shell would give it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    std::vector<std::string> words{QUANTARO_CONVERT_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    // Without a reader from the start, so that even the first write fails.
    if (options.closeOutput)
        closeFd(out[0]);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    RunResult run;
    if (spawned != 0) {
        closeFd(in[1]), closeFd(out[0]), closeFd(err[0]);
        return run;
    }
    int inFd = in[1], outFd = out[0], errFd = err[0];
    ::fcntl(inFd, F_SETFL, O_NONBLOCK);

    const std::string& input = options.input ? *options.input : std::string();
    std::size_t written = 0;
    if (options.input && input.empty())
        closeFd(inFd);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (outFd >= 0 || errFd >= 0) {
        pollfd fds[3];
        int count = 0;
        if (inFd >= 0 && options.input)
            fds[count++] = {inFd, POLLOUT, 0};
        if (outFd >= 0)
            fds[count++] = {outFd, POLLIN, 0};
        if (errFd >= 0)
            fds[count++] = {errFd, POLLIN, 0};
        if (std::chrono::steady_clock::now() > deadline || ::poll(fds, count, 1000) < 0) {
            ::kill(pid, SIGKILL); // hung: the test fails on its status
            break;
        }
        for (int i = 0; i < count; ++i) {
            if (fds[i].revents == 0)
                continue;
            if (fds[i].fd == inFd) {
                const ssize_t n = ::write(inFd, input.data() + written, std::min<std::size_t>(input.size() - written, 65536));
                if (n > 0)
                    written += static_cast<std::size_t>(n);
                if ((n < 0 && errno != EAGAIN) || written == input.size())
                    closeFd(inFd);
                continue;
            }
            char buffer[65536];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0)
                (fds[i].fd == outFd ? run.out : run.err).append(buffer, static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR)
                closeFd(fds[i].fd == outFd ? outFd : errFd);
        }
    }
    closeFd(inFd), closeFd(outFd), closeFd(errFd);
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

} // namespace quantaro::test
