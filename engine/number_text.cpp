// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "engine/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

namespace quantaro {
namespace {

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The white space the input may begin with, as in the "C" locale.
constexpr bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

constexpr std::size_t skipDigits(std::string_view text, std::size_t at)
{
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

// For a number that does not fit a double: whether it is too large (true)
// or too small (false). `mantissa` is digits with at most one point,
// `exponent` the written power of ten. The power of ten of the first digit
// other than 0 decides: the double range lies well on both sides of 10^0.
bool beyondLargest(std::string_view mantissa, std::int64_t exponent)
{
    const std::size_t point = mantissa.find('.');
    const std::size_t integerDigits = point == std::string_view::npos ? mantissa.size() : point;
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        if (mantissa[i] == '.' || mantissa[i] == '0')
            continue;
        const auto power = i < integerDigits ? static_cast<std::int64_t>(integerDigits - 1 - i)
                                             : -static_cast<std::int64_t>(i - integerDigits);
        return power + exponent > 0;
    }
    return false;
}

// The length of `text` less its trailing "0" characters.
std::size_t withoutTrailingZeros(const char* text, std::size_t length)
{
    static constexpr char kEightZeros[8] = {'0', '0', '0', '0', '0', '0', '0', '0'};
    while (length >= 8 && std::memcmp(text + length - 8, kEightZeros, 8) == 0)
        length -= 8;
    while (length > 0 && text[length - 1] == '0')
        --length;
    return length;
}

// A digit that can take one more: "0" to "8".
constexpr bool raisable(char c) { return c >= '0' && c <= '8'; }

constexpr char kZeroForm[] = "0.0000000000000000000";
constexpr std::size_t kDecimals = 19;
constexpr std::size_t kSignificant = 17;

// Raises the digits before `length` by one in the last place, as integer
// digits: "19" gives "20", "99" gives "100". A character that is no digit
// stops the carry, and the "1" goes in after it. Returns the new length.
std::size_t carryIntoInteger(char* text, std::size_t length)
{
    std::size_t i = length;
    while (i > 0) {
        char& c = text[i - 1];
        if (raisable(c)) {
            ++c;
            return length;
        }
        if (c != '9')
            break;
        c = '0';
        --i;
    }
    std::memmove(text + i + 1, text + i, length - i);
    text[i] = '1';
    return length + 1;
}

#ifdef __SIZEOF_INT128__
__extension__ typedef unsigned __int128 Uint128;

// 10^0 to 10^22: with a 53-bit significand the product stays below 2^128.
constexpr auto kPowersOfTen = [] {
    std::array<Uint128, 23> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i)
        powers[i] = powers[i - 1] * 10;
    return powers;
}();
constexpr std::uint64_t k10To16 = 10'000'000'000'000'000;
constexpr std::uint64_t k10To17 = 100'000'000'000'000'000;

// Eight decimal digits of n < 10^8, first digit in the first byte, worked
// out in one register: halves, then pairs, then single digits, each lane
// divided by a multiplication and a shift that are exact in its range.
std::uint64_t eightDigits(std::uint32_t n)
{
    std::uint64_t v = (n / 10000) | (static_cast<std::uint64_t>(n % 10000) << 32);
    const std::uint64_t hundreds = ((v * 10486) >> 20) & 0x0000007F0000007F;
    v = hundreds | ((v - hundreds * 100) << 16);
    const std::uint64_t tens = ((v * 103) >> 10) & 0x000F000F000F000F;
    v = tens | ((v - tens * 10) << 8);
    return v | 0x3030303030303030;
}

// The 17 digits of 10^16 <= n < 10^17, written with three stores.
void writeSeventeenDigits(std::uint64_t n, char* out)
{
    if constexpr (std::endian::native == std::endian::little) {
        const std::uint64_t rest = n % k10To16;
        const std::uint64_t high = eightDigits(static_cast<std::uint32_t>(rest / 100'000'000));
        const std::uint64_t low = eightDigits(static_cast<std::uint32_t>(rest % 100'000'000));
        out[0] = static_cast<char>('0' + n / k10To16);
        std::memcpy(out + 1, &high, 8);
        std::memcpy(out + 9, &low, 8);
    } else {
        std::to_chars(out, out + kSignificant, n);
    }
}
#endif

// The 17 significant digits of a finite magnitude above 0, rounded to
// nearest with ties to even, as std::to_chars rounds them; returns the power
// of ten of the first digit. The digits of a magnitude from 10^-5 up to 10^17
// that is no whole number come from one exact 128-bit product, the
// significand times a power of ten, cut at the binary point; all others go
// through std::to_chars, which costs several times as much.
int significantDigits(double magnitude, char* digits)
{
#ifdef __SIZEOF_INT128__
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    const int shift = 1075 - biased; // magnitude = significand / 2^shift
    if (magnitude >= 1e-5 && magnitude < 1e17 && shift > 0) {
        const std::uint64_t significand = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
        // floor(log10(2^(biased - 1023))): the power of ten of the first
        // digit is this or the next one.
        int exponent = ((biased - 1023) * 78913) >> 18;
        Uint128 scaled = significand * kPowersOfTen[static_cast<std::size_t>(16 - exponent)];
        auto kept = static_cast<std::uint64_t>(scaled >> shift);
        if (kept >= k10To17) {
            ++exponent;
            scaled = significand * kPowersOfTen[static_cast<std::size_t>(16 - exponent)];
            kept = static_cast<std::uint64_t>(scaled >> shift);
        }
        const Uint128 half = Uint128{1} << (shift - 1);
        const Uint128 rest = scaled & ((half << 1) - 1);
        if (rest > half || (rest == half && (kept & 1) != 0))
            ++kept;
        if (kept == k10To17) {
            kept = k10To16;
            ++exponent;
        }
        writeSeventeenDigits(kept, digits);
        return exponent;
    }
#endif

    // "d.dddddddddddddddde±xx"
    char scientific[32];
    const auto written = std::to_chars(scientific, scientific + sizeof scientific, magnitude,
                                       std::chars_format::scientific, kSignificant - 1);
    int exponent = 0;
    for (const char* e = scientific + kSignificant + 3; e < written.ptr; ++e)
        exponent = exponent * 10 + (*e - '0');
    if (scientific[kSignificant + 2] == '-')
        exponent = -exponent;
    digits[0] = scientific[0];
    std::memcpy(digits + 1, scientific + 2, kSignificant - 1);
    return exponent;
}

} // namespace

NumberScan scanNumber(std::string_view text)
{
    NumberScan scan;
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        scan.negative = text[at] == '-';
        ++at;
    }

    const std::size_t start = at;
    std::size_t end = skipDigits(text, at);
    std::size_t digits = end - start;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = skipDigits(text, end + 1);
        digits += fractionEnd - (end + 1);
        if (digits > 0)
            end = fractionEnd;
    }
    if (digits == 0)
        return NumberScan{};
    scan.found = true;
    scan.mantissaBegin = start;
    scan.mantissaEnd = end;

    // An exponent counts only when complete: "1e" and "1e+" read as 1.
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t e = end + 1;
        bool negativeExponent = false;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
            negativeExponent = text[e] == '-';
            ++e;
        }
        const std::size_t exponentEnd = skipDigits(text, e);
        if (exponentEnd > e) {
            std::int64_t exponent = 0;
            for (std::size_t i = e; i < exponentEnd; ++i) {
                // Saturates far beyond any double's exponent.
                if (exponent < 1'000'000'000)
                    exponent = exponent * 10 + (text[i] - '0');
            }
            scan.exponent = negativeExponent ? -exponent : exponent;
            end = exponentEnd;
        }
    }
    scan.end = end;
    return scan;
}

std::size_t numberTextLength(std::string_view text)
{
    const NumberScan scan = scanNumber(text);
    return scan.found ? scan.end : 0;
}

double readNumber(std::string_view text)
{
    const NumberScan scan = scanNumber(text);
    if (!scan.found)
        return 0;
    double value = 0;
    const char* first = text.data() + scan.mantissaBegin;
    const char* last = text.data() + scan.end;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        const std::string_view mantissa = text.substr(scan.mantissaBegin, scan.mantissaEnd - scan.mantissaBegin);
        value = beyondLargest(mantissa, scan.exponent) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc() || ptr != last) {
        value = 0; // cannot happen: the text was checked above
    }
    return scan.negative ? -value : value;
}

std::size_t writeNineteenDecimal(double value, char* out)
{
    char* o = out;
    if (std::signbit(value))
        *o++ = '-';
    const double magnitude = std::fabs(value);
    if (magnitude == 0 || !std::isfinite(magnitude)) {
        std::memcpy(o, kZeroForm, sizeof kZeroForm - 1);
        return static_cast<std::size_t>(o - out) + sizeof kZeroForm - 1;
    }

    // A whole number below 10^17 has no more than 17 digits: they are exact,
    // and the integer formatting is much quicker than the general one.
    if (magnitude < 1e17 && static_cast<double>(static_cast<std::uint64_t>(magnitude)) == magnitude) {
        o = std::to_chars(o, o + kNineteenDecimalCapacity, static_cast<std::uint64_t>(magnitude)).ptr;
        *o++ = '.';
        std::memset(o, '0', kDecimals);
        return static_cast<std::size_t>(o - out) + kDecimals;
    }

    // The 17 significant digits, rounded to nearest, with zeros on both
    // sides: the integer part and the nineteen decimals are then windows of
    // fixed width into it, wherever the point falls.
    constexpr std::size_t kPad = kDecimals + 1;
    char padded[kPad + kSignificant + kPad];
    std::memset(padded, '0', sizeof padded);
    const char* digits = padded + kPad;
    const int exponent = significantDigits(magnitude, padded + kPad);

    if (exponent >= static_cast<int>(kSignificant)) { // 10^17 and more: zeros up to the point
        std::memcpy(o, digits, kSignificant);
        o += kSignificant;
        std::memset(o, '0', static_cast<std::size_t>(exponent) + 1 - kSignificant);
        o += static_cast<std::size_t>(exponent) + 1 - kSignificant;
        *o++ = '.';
        std::memset(o, '0', kDecimals);
        return static_cast<std::size_t>(o - out) + kDecimals;
    }
    if (exponent < -static_cast<int>(kDecimals) - 1) { // not even a rounding reaches the last decimal
        std::memcpy(o, kZeroForm, sizeof kZeroForm - 1);
        return static_cast<std::size_t>(o - out) + sizeof kZeroForm - 1;
    }

    if (exponent >= 0) {
        std::memcpy(o, digits, kSignificant); // the digits after the point are overwritten below
        o += exponent + 1;
    } else {
        *o++ = '0';
    }
    *o++ = '.';
    const char* decimals = digits + exponent + 1;
    std::memcpy(o, decimals, kDecimals);

    // Below 0.001 the 17th digit falls beyond the nineteenth decimal: the
    // digits are rounded once more there, a 5 rounding away from zero. The
    // carry stops before the third decimal, as the value is below 0.001.
    if (exponent < -3 && decimals[kDecimals] >= '5') {
        std::size_t k = kDecimals;
        while (k > 0 && o[k - 1] == '9')
            o[--k] = '0';
        if (k > 0)
            ++o[k - 1];
    }
    return static_cast<std::size_t>(o - out) + kDecimals;
}

std::string nineteenDecimal(double value)
{
    char buffer[kNineteenDecimalCapacity];
    return std::string(buffer, writeNineteenDecimal(value, buffer));
}

std::size_t writeResultText(double value, char* out)
{
    if (std::isnan(value)) {
        std::memcpy(out, "nan", 3);
        return 3;
    }
    if (std::isinf(value)) {
        if (value < 0) {
            std::memcpy(out, "-inf", 4);
            return 4;
        }
        std::memcpy(out, "inf", 3);
        return 3;
    }
    std::size_t length = withoutTrailingZeros(out, writeNineteenDecimal(value, out));
    if (out[length - 1] == '.')
        --length;
    if (length == 2 && out[0] == '-' && out[1] == '0') {
        out[0] = '0';
        length = 1;
    }
    return length;
}

std::string resultText(double value)
{
    char buffer[kNineteenDecimalCapacity];
    return std::string(buffer, writeResultText(value, buffer));
}

void appendResultText(double value, std::string& out)
{
    char buffer[kNineteenDecimalCapacity];
    out.append(buffer, writeResultText(value, buffer));
}

std::size_t writeShortestResultText(double value, char* out)
{
    if (!std::isfinite(value))
        return writeResultText(value, out);
    // The result text ends at the nineteenth decimal, so a value below that
    // shows as what those decimals hold; the shortest form shows the same.
    // From 0.001 on all 17 digits lie within those decimals, and 17 digits
    // read back as the value itself.
    const double shown = std::fabs(value) >= 0.001 ? value
                                                   : readNumber(std::string_view(out, writeResultText(value, out)));
    if (shown == 0) { // never "-0"
        out[0] = '0';
        return 1;
    }
    // The shortest digits come in scientific form; in fixed form the standard
    // asks for the exact value of a large number, so lay them out here.
    char scientific[32];
    const char* const end = std::to_chars(scientific, scientific + sizeof scientific, shown, std::chars_format::scientific).ptr;
    const char* const e = std::find(static_cast<const char*>(scientific), end, 'e');
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    const char* p = scientific;
    char* o = out;
    if (*p == '-')
        *o++ = *p++;
    char digits[20];
    std::size_t count = 0;
    for (; p != e; ++p)
        if (*p != '.')
            digits[count++] = *p;
    // The first digit stands at 10^exponent; the value is at least 10^-19,
    // so neither side outgrows the result text's room.
    const int pointAfter = exponent + 1; // digits before the point
    if (pointAfter <= 0) {
        *o++ = '0';
        *o++ = '.';
        o = std::fill_n(o, -pointAfter, '0');
        o = std::copy_n(digits, count, o);
    } else if (static_cast<std::size_t>(pointAfter) >= count) {
        o = std::copy_n(digits, count, o);
        o = std::fill_n(o, pointAfter - static_cast<int>(count), '0');
    } else {
        o = std::copy_n(digits, pointAfter, o);
        *o++ = '.';
        o = std::copy(digits + pointAfter, digits + count, o);
    }
    return static_cast<std::size_t>(o - out);
}

std::string shortestResultText(double value)
{
    char buffer[kNineteenDecimalCapacity];
    return std::string(buffer, writeShortestResultText(value, buffer));
}

std::size_t roundFactorTextInPlace(char* text, std::size_t length)
{
    bool carry = false;
    // Where the first digit other than "0" stands; the stray-digit rule needs
    // one before its two zeros. Digits are only ever raised, never lowered,
    // except by the carries into the integer part, which finish.
    std::size_t firstNonZero = length;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] >= '1' && text[i] <= '9') {
            firstNonZero = i;
            break;
        }
    }
    auto raise = [&](std::size_t at) {
        ++text[at];
        if (at < firstNonZero)
            firstNonZero = at;
    };

    while (length > 0) {
        const std::size_t p = length - 1;
        const char x = text[p];
        const char y = p >= 1 ? text[p - 1] : '\0';
        const char z = p >= 2 ? text[p - 2] : '\0';

        if (x == '0') { // trailing zeros, all in one go
            length = withoutTrailingZeros(text, length);
        } else if (carry && p >= 1 && y == '.') { // carry at the point
            if (x == '9')
                length = carryIntoInteger(text, length - 2);
            else if (raisable(x))
                raise(p);
            break;
        } else if (carry && p >= 2 && y != x && z != '9') { // carry into the digit before
            --length;
            carry = false;
            if (raisable(y)) {
                raise(p - 1);
            } else if (y == '9') {
                --length;
                if (raisable(z)) {
                    raise(p - 2);
                } else if (z == '.') {
                    length = carryIntoInteger(text, length - 1);
                    break;
                }
            }
        } else if (p >= 2 && y == '0' && z == '0' && firstNonZero < p - 1) { // stray digit after two zeros
            --length;
        } else if (p >= 1 && x == y) { // pair at the end; a run of digits is cut in one go
            --length;
            while (x != '.' && length >= 2 && text[length - 2] == x)
                --length;
            if (x >= '5' && x <= '9')
                carry = true;
        } else if (p >= 17 && y == z && y >= '1' && y <= '9') { // stray digit after a pair, far right
            length -= 2;
            if (y >= '5')
                carry = true;
        } else if (carry && p >= 1 && raisable(y)) { // pending carry
            --length;
            raise(p - 1);
            carry = false;
        } else {
            break;
        }
        if (length > 0 && text[length - 1] == '.')
            break;
    }
    if (length > 0 && text[length - 1] == '.')
        --length;
    return length;
}

std::string roundFactorText(std::string_view text)
{
    std::string rounded(text);
    rounded.resize(roundFactorTextInPlace(rounded.data(), rounded.size()));
    return rounded;
}

} // namespace quantaro
