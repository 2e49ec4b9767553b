// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "cli/stream.h"

#include "cli/line_converter.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>

#include <unistd.h>

namespace quantaro::cli {

Output::Output(int fd, bool flushEachLine)
    : fd_(fd), flushEachLine_(flushEachLine)
{
    // Room for a full block and the longest line that may follow it, so
    // that the buffer never grows in the common case.
    buffer_.reserve(2 * kBlock);
}

bool Output::flush()
{
    if (error_ != 0)
        return false;
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error_ = errno;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
    return true;
}

namespace {

// One read takes this much; a line longer than this is converted in pieces.
constexpr std::size_t kReadBlock = 256 * 1024;

} // namespace

StreamResult convertLines(int inputFd, LineConverter& converter, Output& output)
{
    const std::unique_ptr<char[]> block(new char[kReadBlock]);
    char* const data = block.get();
    std::size_t start = 0; // first byte not yet converted
    std::size_t end = 0;   // end of the bytes read
    bool longLine = false; // the current line was begun in earlier pieces
    std::string& out = output.buffer();

    auto outputFailed = [&output] { return StreamResult{StreamResult::Outcome::OutputFailed, output.error()}; };

    for (;;) {
        while (start < end) {
            const auto* newline = static_cast<const char*>(std::memchr(data + start, '\n', end - start));
            if (!newline)
                break;
            const std::size_t lineEnd = static_cast<std::size_t>(newline - data);
            std::size_t textEnd = lineEnd;
            if (textEnd > start && data[textEnd - 1] == '\r')
                --textEnd;
            const std::string_view text(data + start, textEnd - start);
            if (longLine) {
                converter.feedLong(text, out);
                converter.endLong(out);
                longLine = false;
            } else {
                converter.convert(text, out);
            }
            start = lineEnd + 1;
            if (!output.lineDone())
                return outputFailed();
        }

        if (longLine || (start == 0 && end == kReadBlock)) {
            // A line longer than the block: hand on what there is of it, but
            // keep a final "\r", which may yet turn out to end the line.
            if (!longLine)
                converter.beginLong(out);
            longLine = true;
            std::size_t pieceEnd = end;
            if (pieceEnd > start && data[pieceEnd - 1] == '\r')
                --pieceEnd;
            converter.feedLong({data + start, pieceEnd - start}, out);
            start = pieceEnd;
        }
        std::memmove(data, data + start, end - start);
        end -= start;
        start = 0;

        // Nothing waits in the output while the input may keep us waiting.
        if (!output.flush())
            return outputFailed();
        const ssize_t n = ::read(inputFd, data + end, kReadBlock - end);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return {StreamResult::Outcome::InputFailed, errno};
        }
        if (n == 0)
            break;
        end += static_cast<std::size_t>(n);
    }

    // The last line, without a line end.
    if (longLine) {
        converter.feedLong({data, end}, out);
        converter.endLong(out);
    } else if (end > 0) {
        converter.convert({data, end}, out);
    }
    if (!output.flush())
        return outputFailed();
    return {};
}

} // namespace quantaro::cli
