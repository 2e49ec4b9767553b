// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array handledSignals{SIGTERM, SIGINT, SIGHUP};

// The handler's only way out. A lock-free atomic is safe to read in it.
std::atomic<int> wakeFd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

struct sigaction previous[handledSignals.size()];

extern "C" void onTerminationSignal(int signalNumber)
{
    const int savedErrno = errno;
    const int fd = wakeFd.load();
    if (fd >= 0) {
        const auto byte = static_cast<unsigned char>(signalNumber);
        // A full pipe already holds a wake-up; the byte may be dropped.
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // without the pipe the signals keep their default action
    readFd = fds[0];
    writeFd = fds[1];
    wakeFd.store(writeFd);

    notifier = new QSocketNotifier(readFd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TerminationSignals::drain);

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < handledSignals.size(); ++i) {
        ::sigaction(handledSignals[i], nullptr, &previous[i]);
        // A signal ignored by whoever started the program stays ignored
        // (nohup ignores SIGHUP; a shell ignores SIGINT for background jobs).
        if (previous[i].sa_handler != SIG_IGN)
            ::sigaction(handledSignals[i], &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals()
{
    if (readFd < 0)
        return;
    for (std::size_t i = 0; i < handledSignals.size(); ++i)
        ::sigaction(handledSignals[i], &previous[i], nullptr);
    wakeFd.store(-1);
    delete notifier;
    ::close(readFd);
    ::close(writeFd);
}

void TerminationSignals::drain()
{
    unsigned char bytes[16];
    ssize_t count = 0;
    int first = 0;
    while ((count = ::read(readFd, bytes, sizeof bytes)) > 0) {
        if (first == 0)
            first = bytes[0];
    }
    if (first != 0)
        emit received(first);
}

void TerminationSignals::endBy(int signalNumber)
{
    std::signal(signalNumber, SIG_DFL);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, signalNumber);
    ::sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    std::raise(signalNumber);
    std::_Exit(128 + signalNumber);
}
