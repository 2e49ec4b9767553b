// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

// Small helpers shared by the fuzz targets: reporting a broken promise with
// the input that broke it, and running under a C locale whose decimal
// separator is a comma, so that any use of the C library's number reading or
// printing in the engine shows up as a wrong value.

#include <charconv>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>

namespace quantaro::fuzz {

inline std::string shown(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += ch;
        } else if (byte >= 0x20 && byte < 0x7f) {
            out += ch;
        } else {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
    }
    out += '"';
    return out;
}

inline std::string shown(double value)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("?");
}

// Reports which promise broke and stops the fuzzer, which then saves the input.
[[noreturn]] inline void fail(std::string_view what, std::string_view detail = {})
{
    std::string line = "broken promise: ";
    line += what;
    if (!detail.empty()) {
        line += ": ";
        line += detail;
    }
    line += '\n';
    std::fputs(line.c_str(), stderr);
    std::abort();
}

inline void check(bool ok, std::string_view what, std::string_view detail = {})
{
    if (!ok)
        fail(what, detail);
}

// The engine must not care about the C locale; a German one (where the C
// library reads "1.5" as 1) is taken when the machine has it.
inline void useCommaLocale()
{
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        std::setlocale(LC_ALL, "de_DE.utf8");
}

// The double whose bytes are the input's first eight, padded with zeros when
// fewer, so that every bit pattern (NaNs, infinities, subnormals) is reached.
inline double doubleFromBytes(const std::uint8_t* data, std::size_t size)
{
    unsigned char bytes[sizeof(double)] = {};
    if (size > 0)
        std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    double value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

inline bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
inline bool isValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xbf;
        if (b0 >= 0xc2 && b0 <= 0xdf) {
            length = 2;
        } else if (b0 >= 0xe0 && b0 <= 0xef) {
            length = 3;
            if (b0 == 0xe0) low = 0xa0;
            if (b0 == 0xed) high = 0x9f;
        } else if (b0 >= 0xf0 && b0 <= 0xf4) {
            length = 4;
            if (b0 == 0xf0) low = 0x90;
            if (b0 == 0xf4) high = 0x8f;
        } else {
            return false;
        }
        if (text.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xbf))
                return false;
        }
        i += length;
    }
    return true;
}

} // namespace quantaro::fuzz
