// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// Convert with any input text and any pair of codes: list row codes, -1 (no
// current row), 0 (separators), header codes, codes near the unit codes and
// any other integer. The outputs agree with the engine's parts, do not depend
// on what the reused buffers held, and the info line is valid UTF-8.

#include "catalogue/catalogue.h"
#include "engine/convert.h"
#include "engine/number_text.h"
#include "engine/test_support.h"
#include "engine/unit_definitions.h"
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using quantaro::UnitCode;
using quantaro::fuzz::check;
using quantaro::fuzz::shown;

constexpr std::string_view kProduct = "Velkor Quantaro";

UnitCode pickCode(FuzzedDataProvider& data)
{
    switch (data.ConsumeIntegralInRange<int>(0, 6)) {
    case 0:
        return quantaro::kNoRow;
    case 1:
        return 0;
    case 2: { // a header code: N×1000, 20000, or N×1000 + 100
        const int n = data.ConsumeIntegralInRange<int>(0, 30);
        return data.ConsumeBool() ? (n == 20 ? 20000 : n * 1000) : n * 1000 + 100;
    }
    case 3: // the shape of a unit code, and its neighbours
        return data.ConsumeIntegralInRange<int>(0, 30) * 1000 + 110 + 10 * data.ConsumeIntegralInRange<int>(0, 25) +
               data.ConsumeIntegralInRange<int>(-1, 1) * data.ConsumeIntegralInRange<int>(0, 5);
    case 4:
        return data.ConsumeBool() ? 24195 : 28130;
    case 5: {
        const auto rows = quantaro::catalogueRows();
        return rows[data.ConsumeIntegralInRange<std::size_t>(0, rows.size() - 1)].code;
    }
    default:
        return data.ConsumeIntegral<UnitCode>();
    }
}

std::string describe(std::string_view input, UnitCode from, UnitCode to)
{
    return shown(input) + " from " + std::to_string(from) + " to " + std::to_string(to);
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
    const std::string stale = data.ConsumeRandomLengthString(64);
    // The input is the tail of the fuzzer's own buffer, so nothing may be read past it.
    const std::size_t inputSize = data.remaining_bytes();
    const std::string_view input(reinterpret_cast<const char*>(bytes + (size - inputSize)), inputSize);
    const std::string what = describe(input, from, to);

    const quantaro::Conversion c = quantaro::Convert(input, from, to);
    quantaro::Conversion reused{stale, stale, stale};
    quantaro::Convert(input, from, to, reused);
    check(reused.result == c.result && reused.title == c.title && reused.info == c.info,
          "Convert into reused buffers differs", what);

    if (input.empty()) {
        check(c.result.empty() && c.title == kProduct && c.info.empty(), "Convert of an empty input", what);
        return 0;
    }

    const double value = quantaro::convertValue(quantaro::readNumber(input), from, to);
    check(c.result == quantaro::resultText(value), "result is not the converted value's text",
          what + " gives " + shown(c.result));
    check(c.title == c.result + " - " + std::string(kProduct), "title", what + " gives " + shown(c.title));
    const quantaro::Conversion shortest = quantaro::Convert(input, from, to, quantaro::ResultForm::Shortest);
    check(shortest.result == quantaro::shortestResultText(value) && shortest.info == c.info,
          "shortest form is not the converted value's shortest text, or its info line differs",
          what + " gives " + shown(shortest.result));
    check(shortest.title == shortest.result + " - " + std::string(kProduct), "title of the shortest form",
          what + " gives " + shown(shortest.title));
    check(quantaro::fuzz::isValidUtf8(c.info), "info line is not UTF-8", what + " gives " + shown(c.info));
    if (quantaro::findDefinition(from) == nullptr && quantaro::findDefinition(to) == nullptr)
        check(c.info.empty(), "info line without definitions on either side", what + " gives " + shown(c.info));
    return 0;
}
