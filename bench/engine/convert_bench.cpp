// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// Convert over every pair of length codes (units and presets) and a spread
// of inputs; the figure to watch is the time per Convert.
#include "engine/convert.h"
#include "engine/unit_definitions.h"
#include "exact/exact_result.h"

#include <benchmark/benchmark.h>

#include <string_view>
#include <utility>
#include <vector>

namespace quantaro {
namespace {

std::vector<UnitCode> lengthCodes()
{
    std::vector<UnitCode> codes = {110, 120, 130, 140, 150, 160, 170, 180};
    for (const UnitDefinition& d : allDefinitions()) {
        if (d.code >= 1110 && d.code < 4000)
            codes.push_back(d.code);
    }
    return codes;
}

constexpr std::string_view kInputs[] = {
    "5", "1.5", "-12.75", "1000000", "0.000123", "3.14159265358979", "1e3", "42abc", "7,5", " 2",
};

template <void (*convert)(std::string_view, UnitCode, UnitCode, Conversion&)>
void convertLengthPairs(benchmark::State& state)
{
    const std::vector<UnitCode> codes = lengthCodes();
    std::vector<std::pair<UnitCode, UnitCode>> pairs;
    for (UnitCode from : codes) {
        for (UnitCode to : codes)
            pairs.emplace_back(from, to);
    }

    Conversion out;
    std::size_t pair = 0;
    std::size_t input = 0;
    for (auto _ : state) {
        convert(kInputs[input], pairs[pair].first, pairs[pair].second, out);
        benchmark::DoNotOptimize(out.result.data());
        benchmark::DoNotOptimize(out.info.data());
        if (++pair == pairs.size())
            pair = 0;
        if (++input == std::size(kInputs))
            input = 0;
    }
    state.counters["pairs"] = static_cast<double>(pairs.size());
}
void convertDouble(std::string_view input, UnitCode from, UnitCode to, Conversion& out) { Convert(input, from, to, out); }

void BM_ConvertLengthPairs(benchmark::State& state) { convertLengthPairs<convertDouble>(state); }
BENCHMARK(BM_ConvertLengthPairs);

// The Exact form of the same conversions.
void BM_ConvertExactLengthPairs(benchmark::State& state) { convertLengthPairs<ConvertExact>(state); }
BENCHMARK(BM_ConvertExactLengthPairs);

// The same through the overload that returns a fresh Conversion each time.
void BM_ConvertReturningValue(benchmark::State& state)
{
    std::size_t input = 0;
    for (auto _ : state) {
        Conversion c = Convert(kInputs[input], 2120, 1130);
        benchmark::DoNotOptimize(c.result.data());
        if (++input == std::size(kInputs))
            input = 0;
    }
}
BENCHMARK(BM_ConvertReturningValue);

} // namespace
} // namespace quantaro
