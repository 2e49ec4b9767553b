// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quantaro {

// The number a text converts as: the longest beginning of the form
// [blanks][sign]digits[.digits][(e|E)[sign]digits], correctly rounded;
// 0 where no such beginning exists. Independent of the C locale.
double readNumber(std::string_view text);

// Where readNumber finds its number: the mantissa (digits with at most one
// point) from mantissaBegin to mantissaEnd, the sign before it, and the
// written power of ten after it, which saturates far beyond any double's
// exponent (0 without a complete exponent). `found` is false where the text
// has no such beginning; it then reads as 0.
struct NumberScan {
    bool found = false;
    bool negative = false;
    std::size_t mantissaBegin = 0;
    std::size_t mantissaEnd = 0;
    std::size_t end = 0; // past the exponent where one counts
    std::int64_t exponent = 0;
};
NumberScan scanNumber(std::string_view text);

// The length of the beginning of `text` that readNumber reads, the blanks
// before the number included; 0 where it reads no number.
std::size_t numberTextLength(std::string_view text);

// Room for the nineteen-decimal form of any double:
// sign, 309 integer digits, point, nineteen decimals.
inline constexpr std::size_t kNineteenDecimalCapacity = 1 + 309 + 1 + 19;

// The nineteen-decimal form: "%.19f" layout, 17 significant digits rounded
// to nearest and zeros after them. Only for finite values.
std::size_t writeNineteenDecimal(double value, char* out);
std::string nineteenDecimal(double value);

// The result field's text for a value: the nineteen-decimal form less its
// trailing zeros (and the point when nothing follows it); "inf" and "-inf"
// for infinities; never "-0".
std::string resultText(double value);
void appendResultText(double value, std::string& out);
// The same into `out`, which holds kNineteenDecimalCapacity characters;
// returns the length written.
std::size_t writeResultText(double value, char* out);

// The shortest form of the result: the fewest significant digits that read
// back as the double the result text above stands for, in the same plain
// layout (no exponent, no trailing zeros, never "-0", "inf" and "-inf").
// `out` holds kNineteenDecimalCapacity characters; returns the length written.
std::size_t writeShortestResultText(double value, char* out);
std::string shortestResultText(double value);

// Shortens a factor text in the nineteen-decimal form (no sign) for the info
// line. Never fails, whatever the text.
std::string roundFactorText(std::string_view text);
// The same in place on `length` characters at `text`; returns the new length,
// which never exceeds `length`.
std::size_t roundFactorTextInPlace(char* text, std::size_t length);

} // namespace quantaro
