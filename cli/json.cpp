// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "cli/json.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quantaro::cli {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// How one UTF-8 sequence at the start of a text reads.
struct Sequence {
    enum class Kind { Valid, Invalid, Incomplete };
    Kind kind;
    std::size_t length;  // bytes taken: the sequence, or the ill-formed subpart
    char32_t codePoint;  // Valid only
};

// The well-formed byte sequences (Unicode table 3-7); an ill-formed one is cut
// at its longest valid beginning, its "maximal subpart".
Sequence readSequence(const unsigned char* p, std::size_t size)
{
    const unsigned lead = p[0];
    if (lead < 0x80)
        return {Sequence::Kind::Valid, 1, lead};

    std::size_t length;
    unsigned low = 0x80, high = 0xBF; // range of the second byte
    char32_t codePoint;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        else if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F; // nothing above U+10FFFF
    } else {
        return {Sequence::Kind::Invalid, 1, 0};
    }

    for (std::size_t i = 1; i < length; ++i) {
        if (i == size)
            return {Sequence::Kind::Incomplete, i, 0};
        const unsigned byte = p[i];
        const bool fits = i == 1 ? byte >= low && byte <= high : byte >= 0x80 && byte <= 0xBF;
        if (!fits)
            return {Sequence::Kind::Invalid, i, 0};
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    return {Sequence::Kind::Valid, length, codePoint};
}

void appendEscape(char32_t codePoint, std::string& out)
{
    switch (codePoint) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\b': out += "\\b"; return;
    case '\f': out += "\\f"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
    }
    constexpr char kHex[] = "0123456789abcdef";
    const char text[6] = {'\\', 'u', kHex[(codePoint >> 12) & 0xF], kHex[(codePoint >> 8) & 0xF],
                          kHex[(codePoint >> 4) & 0xF], kHex[codePoint & 0xF]};
    out.append(text, sizeof text);
}

bool needsEscape(char32_t codePoint)
{
    return codePoint < 0x20 || codePoint == '"' || codePoint == '\\' || (codePoint >= 0x7F && codePoint <= 0x9F)
           || codePoint == 0x2028 || codePoint == 0x2029;
}

// The bytes that stand for themselves in a JSON string: printable ASCII
// other than the quote and the backslash.
constexpr std::array<bool, 256> kPlainAscii = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c)
        plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    return plain;
}();

} // namespace

std::size_t JsonStringWriter::write(std::string_view bytes, std::string& out)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        std::size_t run = i;
        while (run < size && kPlainAscii[p[run]])
            ++run;
        if (run > i) {
            out.append(bytes.data() + i, run - i);
            i = run;
            continue;
        }
        const Sequence s = readSequence(p + i, size - i);
        switch (s.kind) {
        case Sequence::Kind::Incomplete:
            return i;
        case Sequence::Kind::Invalid:
            out += kReplacement;
            break;
        case Sequence::Kind::Valid:
            if (needsEscape(s.codePoint))
                appendEscape(s.codePoint, out);
            else
                out.append(bytes.data() + i, s.length);
            break;
        }
        i += s.length;
    }
    return i;
}

void JsonStringWriter::append(std::string_view bytes, std::string& out)
{
    if (heldSize_ > 0) {
        // Complete the held sequence with the first bytes of this piece.
        char joined[8];
        std::memcpy(joined, held_, heldSize_);
        const std::size_t taken = std::min(bytes.size(), sizeof held_ - heldSize_);
        std::memcpy(joined + heldSize_, bytes.data(), taken);
        const std::size_t joinedSize = heldSize_ + taken;
        const std::size_t written = write({joined, joinedSize}, out);
        if (written < heldSize_) {
            // Still incomplete: the piece was too short to finish it.
            std::memcpy(held_, joined + written, joinedSize - written);
            heldSize_ = joinedSize - written;
            return;
        }
        bytes.remove_prefix(written - heldSize_);
        heldSize_ = 0;
    }
    const std::size_t written = write(bytes, out);
    heldSize_ = bytes.size() - written;
    std::memcpy(held_, bytes.data() + written, heldSize_);
}

void JsonStringWriter::finish(std::string& out)
{
    // A held sequence is a valid beginning cut short: one maximal subpart.
    if (heldSize_ > 0)
        out += kReplacement;
    heldSize_ = 0;
}

void appendJsonString(std::string_view bytes, std::string& out)
{
    out += '"';
    JsonStringWriter writer;
    writer.append(bytes, out);
    writer.finish(out);
    out += '"';
}

} // namespace quantaro::cli
