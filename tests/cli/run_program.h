// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

// Runs the built quantaro-convert with arguments and standard input, and
// collects its output, error output and exit status.

#include <optional>
#include <string>
#include <vector>

namespace quantaro::test {

struct RunResult {
    int status = -1; // exit status, or 128 + signal
    std::string out;
    std::string err;
};

struct RunOptions {
    std::optional<std::string> input; // nothing: a pipe left open and empty
    bool closeOutput = false;         // the reader of standard output is gone
};

RunResult runConvert(const std::vector<std::string>& arguments, const RunOptions& options = {});
inline RunResult runConvert(const std::vector<std::string>& arguments, std::string input)
{
    return runConvert(arguments, RunOptions{std::move(input), false});
}

std::vector<std::string> splitLines(const std::string& text);

} // namespace quantaro::test
