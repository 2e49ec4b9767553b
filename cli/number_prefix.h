// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quantaro::cli {

// Reads the number at the beginning of a text that arrives in pieces of any
// total size, and keeps a short text that reads as the same double: so that a
// line too long to hold converts in constant memory as it would whole.
//
// The number form is the input field's: [blanks][sign]digits with at most one
// "." and at least one digit, then optionally (e|E)[sign]digits; the rest of
// the text is ignored, and a text without the form reads as 0. The short text
// keeps the first kKeptDigits significant digits and, when a later digit is
// not 0, one more digit 1: no rounding boundary between doubles needs more
// than 767 significant digits, so the correctly rounded double is the same.
class NumberPrefix {
public:
    static constexpr std::size_t kKeptDigits = 800;

    void feed(std::string_view piece);
    // A non-empty text of the form above that reads as the number fed so far.
    std::string_view text();
    void reset() { *this = NumberPrefix(); }

private:
    enum class State { Blanks, Sign, Integer, PointFirst, Fraction, ExponentMark, ExponentSign, Exponent, Done };

    void digit(char c, bool fraction);

    State state_ = State::Blanks;
    bool negative_ = false;
    bool anyDigit_ = false;
    bool sticky_ = false;          // a non-zero digit was dropped
    bool exponentNegative_ = false;
    std::int64_t scale_ = 0;       // power of ten applied to the kept digits
    std::int64_t exponent_ = 0;    // written exponent, saturated
    std::size_t kept_ = 0;
    // sign, digits, sticky digit, "e", sign and up to 20 exponent digits
    std::array<char, 1 + kKeptDigits + 1 + 2 + 20> text_{};
};

} // namespace quantaro::cli
