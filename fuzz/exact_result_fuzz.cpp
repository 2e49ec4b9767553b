// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// ConvertExact with any input text and any pair of rows. Its texts are
// Convert's where the number is out of the double range or today's result
// is not finite, and otherwise a plain decimal, in full up to 40 significant
// digits or rounded to 17 and marked. Where the double path is exact (the
// typed number and every constant it uses are exact in binary, and no step
// rounds), the Exact text reads back as today's result.

#include "catalogue/catalogue.h"
#include "engine/convert.h"
#include "engine/number_text.h"
#include "engine/unit_definitions.h"
#include "exact/exact_result.h"
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <charconv>
#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using quantaro::UnitCode;
using quantaro::fuzz::check;
using quantaro::fuzz::isDigit;
using quantaro::fuzz::shown;

constexpr std::uint64_t k2To53 = std::uint64_t{1} << 53;

// Whether d × 10^e is a double exactly (and below 2^53 apart from powers of 2).
bool dyadic(std::uint64_t d, int e)
{
    if (e >= 0) {
        for (; e > 0; --e) {
            if (d >= k2To53)
                return false;
            d *= 10;
        }
        return d < k2To53;
    }
    for (; e < 0; ++e) {
        if (d % 5 != 0)
            return false;
        d /= 5;
    }
    return d < k2To53;
}

// Whether a table constant's shortest decimal is the double itself.
bool binaryExact(double constant)
{
    char text[32];
    const char* end = std::to_chars(text, text + sizeof text, constant, std::chars_format::scientific).ptr;
    std::uint64_t d = 0;
    int afterPoint = 0;
    bool point = false;
    const char* p = text;
    for (; p < end && *p != 'e'; ++p) {
        if (*p == '.') {
            point = true;
            continue;
        }
        d = d * 10 + static_cast<std::uint64_t>(*p - '0');
        afterPoint += point ? 1 : 0;
    }
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);
    return dyadic(d, exponent - afterPoint);
}

bool constantsExact(const quantaro::Steps& steps)
{
    for (const quantaro::Step& s : steps) {
        if (s.kind != quantaro::StepKind::Size && !binaryExact(s.constant))
            return false;
    }
    return true;
}

// The typed number, when it has at most 18 digits and is a double exactly.
bool typedExact(std::string_view input)
{
    const quantaro::NumberScan scan = quantaro::scanNumber(input);
    if (!scan.found)
        return true; // reads as 0
    std::uint64_t d = 0;
    int digits = 0;
    int afterPoint = 0;
    bool point = false;
    for (std::size_t i = scan.mantissaBegin; i < scan.mantissaEnd; ++i) {
        if (input[i] == '.') {
            point = true;
            continue;
        }
        if (d == 0 && input[i] == '0') {
            afterPoint += point ? 1 : 0;
            continue;
        }
        if (++digits > 18)
            return false;
        d = d * 10 + static_cast<std::uint64_t>(input[i] - '0');
        afterPoint += point ? 1 : 0;
    }
    if (d == 0)
        return true;
    if (scan.exponent > 40 || scan.exponent < -40)
        return false;
    return dyadic(d, static_cast<int>(scan.exponent) - afterPoint);
}

// Optional "-", integer digits without leading zeros, optionally "." and
// digits not ending in "0"; never "-0". Returns the significant digits.
int plainDigits(std::string_view text, bool& ok)
{
    ok = false;
    std::size_t i = text.starts_with('-') ? 1 : 0;
    const std::size_t start = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i == start || (text[start] == '0' && i - start > 1))
        return 0;
    if (i < text.size()) {
        if (text[i] != '.' || i + 1 == text.size() || text.back() == '0')
            return 0;
        for (std::size_t k = i + 1; k < text.size(); ++k) {
            if (!isDigit(text[k]))
                return 0;
        }
    }
    const std::size_t first = text.find_first_of("123456789");
    if (first == std::string_view::npos) {
        ok = text == "0";
        return 0;
    }
    const std::size_t last = text.find_last_of("123456789");
    int count = 0;
    for (std::size_t k = first; k <= last; ++k)
        count += text[k] != '.' ? 1 : 0;
    ok = true;
    return count;
}

UnitCode pickCode(FuzzedDataProvider& data)
{
    const auto rows = quantaro::catalogueRows();
    switch (data.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return data.ConsumeIntegral<UnitCode>();
    case 1: return data.ConsumeBool() ? 28130 : 23160;
    default: return rows[data.ConsumeIntegralInRange<std::size_t>(0, rows.size() - 1)].code;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    quantaro::fuzz::useCommaLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const UnitCode from = pickCode(data);
    const UnitCode to = pickCode(data);
    const std::size_t inputSize = data.remaining_bytes();
    const std::string_view input(reinterpret_cast<const char*>(bytes + (size - inputSize)), inputSize);
    const std::string what = shown(input) + " from " + std::to_string(from) + " to " + std::to_string(to);

    const quantaro::Conversion today = quantaro::Convert(input, from, to);
    const quantaro::Conversion exact = quantaro::ConvertExact(input, from, to);
    check(exact.info == today.info, "info line differs from Convert's", what);
    check(exact.title == (input.empty() ? today.title : exact.result + " - Velkor Quantaro"), "title", what);

    const double reading = quantaro::readNumber(input);
    const quantaro::NumberScan scan = quantaro::scanNumber(input);
    const std::string_view mantissa = input.substr(scan.mantissaBegin, scan.mantissaEnd - scan.mantissaBegin);
    const bool typedNonZero = scan.found && mantissa.find_first_of("123456789") != std::string_view::npos;
    const bool beyondRange = std::isinf(reading) || (reading == 0 && typedNonZero);
    const bool todayFinite = !today.result.empty() && today.result != "inf" && today.result != "-inf" && today.result != "nan";
    if (beyondRange || !todayFinite) {
        check(exact.result == today.result, "today's text expected", what + " gives " + shown(exact.result));
        return 0;
    }

    const bool marked = exact.result.ends_with(quantaro::kMoreDigits);
    const std::string_view number = quantaro::resultNumber(exact.result);
    bool plain = false;
    const int digits = plainDigits(number, plain);
    check(plain, "not in the plain layout", what + " gives " + shown(exact.result));
    check(marked ? digits <= 17 : digits <= 40, "too many significant digits", what + " gives " + shown(exact.result));

    // The double path, watched for rounding.
    const quantaro::UnitDefinition* source = quantaro::findDefinition(from);
    const quantaro::UnitDefinition* target = quantaro::findDefinition(to);
    const bool constantsAreExact = (source == nullptr || constantsExact(source->toBase)) &&
                                   (target == nullptr || constantsExact(target->fromBase));
    if (!constantsAreExact || !typedExact(input))
        return 0;
    std::feclearexcept(FE_ALL_EXCEPT);
    const double value = quantaro::convertValue(reading, from, to);
    if (std::fetestexcept(FE_INEXACT | FE_OVERFLOW | FE_UNDERFLOW | FE_INVALID) != 0)
        return 0;
    check(quantaro::resultText(quantaro::readNumber(number)) == today.result,
          "the Exact text does not read back as today's exact result",
          what + " gives " + shown(exact.result) + ", today " + shown(today.result) + " (" + shown(value) + ")");
    return 0;
}
