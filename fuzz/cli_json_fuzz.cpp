// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The command line's JSON string writer on any bytes: the output is one valid
// JSON string in valid UTF-8 whose value is the bytes themselves when they are
// UTF-8; control characters, DEL, C1 and U+2028/U+2029 never appear raw; and
// the bytes written in any pieces give the same text as written whole.

#include "cli/json.h"
#include "fuzz_support.h"
#include "json_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace {

using quantaro::fuzz::check;
using quantaro::fuzz::shown;

// Characters a JSON text may hold but that break lines or terminals when raw.
bool hasRawControl(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7f)
            return true;
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (byte == 0xc2 && next >= 0x80 && next <= 0x9f)
            return true;
        if (byte == 0xe2 && next == 0x80 && i + 2 < text.size() &&
            (static_cast<unsigned char>(text[i + 2]) == 0xa8 || static_cast<unsigned char>(text[i + 2]) == 0xa9))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const std::uint32_t cuts = data.ConsumeIntegral<std::uint32_t>();
    const std::string text = data.ConsumeRemainingBytesAsString();

    std::string whole = "before";
    quantaro::cli::appendJsonString(text, whole);
    check(whole.rfind("before", 0) == 0, "appendJsonString changed what the output held", shown(text));
    whole.erase(0, 6);

    const std::string detail = shown(text) + " gives " + shown(whole);
    check(quantaro::fuzz::isValidUtf8(whole), "JSON string is not UTF-8", detail);
    check(!hasRawControl(whole), "JSON string holds a raw control character", detail);
    quantaro::fuzz::JsonReader reader(whole);
    check(reader.readDocument() && whole.front() == '"' && reader.strings().size() == 1, "not one JSON string",
          detail);
    if (quantaro::fuzz::isValidUtf8(text))
        check(reader.strings().front() == text, "JSON string does not hold the UTF-8 text", detail);

    // The same bytes in pieces of 0 to 7 bytes, cut where the fuzzer says.
    std::minstd_rand random(cuts);
    quantaro::cli::JsonStringWriter writer;
    std::string pieces = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = std::min<std::size_t>(random() % 8, text.size() - at);
        writer.append(std::string_view(text).substr(at, length), pieces);
        at += length;
    }
    writer.finish(pieces);
    pieces += '"';
    check(pieces == whole, "JSON string written in pieces differs", detail + " but in pieces " + shown(pieces));
    return 0;
}
