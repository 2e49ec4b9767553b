// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <string>

namespace quantaro::cli {

class LineConverter;

// Output to a file descriptor through one buffer, written with write(2) in
// large blocks; on a terminal after every line, so that a user sees each
// answer at once.
class Output {
public:
    Output(int fd, bool flushEachLine);

    std::string& buffer() { return buffer_; }
    // Called after each complete output line.
    bool lineDone() { return (!flushEachLine_ && buffer_.size() < kBlock) || flush(); }
    bool flush();
    // The errno of the write that failed, 0 while none has.
    int error() const { return error_; }

    static constexpr std::size_t kBlock = 64 * 1024;

private:
    int fd_;
    bool flushEachLine_;
    int error_ = 0;
    std::string buffer_;
};

struct StreamResult {
    enum class Outcome { Done, InputFailed, OutputFailed };
    Outcome outcome = Outcome::Done;
    int error = 0; // errno of the failed read or write
};

// Converts every line read from `inputFd` until its end: a line ends at "\n"
// or "\r\n", a last line may lack it, an empty line is an empty text. Memory
// stays the same whatever the size of the input or of one line.
StreamResult convertLines(int inputFd, LineConverter& converter, Output& output);

} // namespace quantaro::cli
