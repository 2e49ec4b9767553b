// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

// A strict reader of JSON text (RFC 8259) for the fuzz targets: whether a text
// is exactly one JSON value, and what its strings decode to. An escaped
// surrogate must be half of a pair, so that every string decodes to UTF-8.

#include "fuzz_support.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quantaro::fuzz {

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    // The whole text is one value (with blanks around it allowed).
    bool readDocument()
    {
        skipBlanks();
        if (!readValue(0))
            return false;
        skipBlanks();
        return pos_ == text_.size();
    }

    // Every string met so far, decoded, in order (object keys included).
    const std::vector<std::string>& strings() const { return strings_; }

private:
    static constexpr int kMaxDepth = 64;

    bool more() const { return pos_ < text_.size(); }
    char peek() const { return text_[pos_]; }

    void skipBlanks()
    {
        while (more() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++pos_;
    }

    bool literal(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    bool readValue(int depth)
    {
        if (!more() || depth > kMaxDepth)
            return false;
        switch (peek()) {
        case '{': return readObject(depth);
        case '[': return readArray(depth);
        case '"': return readString();
        case 't': return literal("true");
        case 'f': return literal("false");
        case 'n': return literal("null");
        default: return readNumber();
        }
    }

    bool readObject(int depth)
    {
        ++pos_;
        skipBlanks();
        if (more() && peek() == '}') {
            ++pos_;
            return true;
        }
        for (;;) {
            skipBlanks();
            if (!more() || peek() != '"' || !readString())
                return false;
            skipBlanks();
            if (!more() || peek() != ':')
                return false;
            ++pos_;
            skipBlanks();
            if (!readValue(depth + 1))
                return false;
            skipBlanks();
            if (!more())
                return false;
            if (peek() == '}') {
                ++pos_;
                return true;
            }
            if (peek() != ',')
                return false;
            ++pos_;
        }
    }

    bool readArray(int depth)
    {
        ++pos_;
        skipBlanks();
        if (more() && peek() == ']') {
            ++pos_;
            return true;
        }
        for (;;) {
            skipBlanks();
            if (!readValue(depth + 1))
                return false;
            skipBlanks();
            if (!more())
                return false;
            if (peek() == ']') {
                ++pos_;
                return true;
            }
            if (peek() != ',')
                return false;
            ++pos_;
        }
    }

    bool readDigits()
    {
        const std::size_t begin = pos_;
        while (more() && isDigit(peek()))
            ++pos_;
        return pos_ > begin;
    }

    bool readNumber()
    {
        if (more() && peek() == '-')
            ++pos_;
        if (more() && peek() == '0')
            ++pos_;
        else if (!readDigits())
            return false;
        if (more() && peek() == '.') {
            ++pos_;
            if (!readDigits())
                return false;
        }
        if (more() && (peek() == 'e' || peek() == 'E')) {
            ++pos_;
            if (more() && (peek() == '+' || peek() == '-'))
                ++pos_;
            if (!readDigits())
                return false;
        }
        return true;
    }

    bool readHex4(char32_t& value)
    {
        if (text_.size() - pos_ < 4)
            return false;
        value = 0;
        for (int k = 0; k < 4; ++k) {
            const char ch = text_[pos_++];
            value <<= 4;
            if (isDigit(ch))
                value |= static_cast<char32_t>(ch - '0');
            else if (ch >= 'a' && ch <= 'f')
                value |= static_cast<char32_t>(ch - 'a' + 10);
            else if (ch >= 'A' && ch <= 'F')
                value |= static_cast<char32_t>(ch - 'A' + 10);
            else
                return false;
        }
        return true;
    }

    static void appendUtf8(char32_t c, std::string& out)
    {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xc0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3f));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xe0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
            out += static_cast<char>(0x80 | (c & 0x3f));
        } else {
            out += static_cast<char>(0xf0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
            out += static_cast<char>(0x80 | (c & 0x3f));
        }
    }

    bool readString()
    {
        ++pos_;
        std::string decoded;
        for (;;) {
            if (!more())
                return false;
            const char ch = text_[pos_++];
            if (ch == '"')
                break;
            if (static_cast<unsigned char>(ch) < 0x20)
                return false;
            if (ch != '\\') {
                decoded += ch;
                continue;
            }
            if (!more())
                return false;
            const char escape = text_[pos_++];
            switch (escape) {
            case '"': decoded += '"'; break;
            case '\\': decoded += '\\'; break;
            case '/': decoded += '/'; break;
            case 'b': decoded += '\b'; break;
            case 'f': decoded += '\f'; break;
            case 'n': decoded += '\n'; break;
            case 'r': decoded += '\r'; break;
            case 't': decoded += '\t'; break;
            case 'u': {
                char32_t unit = 0;
                if (!readHex4(unit))
                    return false;
                if (unit >= 0xdc00 && unit <= 0xdfff)
                    return false; // a low surrogate without its high one
                if (unit >= 0xd800 && unit <= 0xdbff) {
                    char32_t low = 0;
                    if (!literal("\\u") || !readHex4(low) || low < 0xdc00 || low > 0xdfff)
                        return false;
                    unit = 0x10000 + ((unit - 0xd800) << 10) + (low - 0xdc00);
                }
                appendUtf8(unit, decoded);
                break;
            }
            default: return false;
            }
        }
        strings_.push_back(std::move(decoded));
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::vector<std::string> strings_;
};

} // namespace quantaro::fuzz
