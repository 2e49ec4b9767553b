// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quantaro::cli {

// Writes arbitrary bytes as the inside of a JSON string (no quotes), so that
// the output is valid UTF-8 and valid JSON whatever the bytes are: each
// maximal ill-formed UTF-8 subpart becomes U+FFFD; control characters (C0,
// DEL, C1) and U+2028/U+2029 are escaped. The bytes may come in pieces: a
// sequence cut at the end of one piece is completed by the next.
class JsonStringWriter {
public:
    void append(std::string_view bytes, std::string& out);
    // Ends the string: a sequence still incomplete becomes U+FFFD.
    void finish(std::string& out);

private:
    // Writes from `bytes` up to the end, or up to an incomplete sequence at
    // the very end; returns how many bytes were written.
    std::size_t write(std::string_view bytes, std::string& out);

    char held_[4] = {};
    std::size_t heldSize_ = 0;
};

// The bytes as a complete JSON string, quotes included.
void appendJsonString(std::string_view bytes, std::string& out);

} // namespace quantaro::cli
