// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// Reading one query, as the command line, the window program and the
// desktop's search do: typical queries, and the slowest texts the reader
// takes in (the most words it tries to split, the longest rest it reads, a
// paste far beyond that). Any query must be answered within a millisecond.
#include "catalogue/query.h"
#include "catalogue/unit_names.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace quantaro {
namespace {

void readEach(benchmark::State& state, const std::vector<std::string>& texts)
{
    std::size_t i = 0;
    for (auto _ : state) {
        QueryReading reading = readQuery(texts[i]);
        benchmark::DoNotOptimize(reading);
        if (++i == texts.size())
            i = 0;
    }
}

void BM_ReadQueryTypical(benchmark::State& state)
{
    readEach(state, {"70 kg lb", "5 in to cm", "3 ft in m", "-40 °C -> °F", "1 light year in km", "1 pt to l",
                     "1 kg m", "100 ºC", "5 kilog to lb", "5 apples", "107mph to kph", "6 miles in meters",
                     "convert 5 oz to grams", "how many grams in 5 oz?", "100 lbs in kg"});
}
BENCHMARK(BM_ReadQueryTypical);

void BM_ReadQueryHostile(benchmark::State& state)
{
    std::string thirteen = "1";
    for (int i = 0; i < 6; ++i)
        thirteen += " sq";
    thirteen += " in";
    for (int i = 0; i < 6; ++i)
        thirteen += " sq";
    // Every name at once, and words just short enough to be looked for
    // near spellings.
    std::string everyName = "1";
    for (const UnitNameRow& row : unitNameRows())
        everyName += ' ' + std::string(row.names);
    std::string nearMisses = "1 " + std::string(32, 'q') + " to " + std::string(31, 'x') + 'm';
    readEach(state, {thirteen, "1 " + std::string(500, 'm'), "1 " + std::string(100'000, 'k'),
                     std::string(100'000, ' ') + "1 kg lb", "1" + std::string(50'000, ' ') + "kg", everyName,
                     nearMisses, "5 " + std::string(32, 'k')});
}
BENCHMARK(BM_ReadQueryHostile);

} // namespace
} // namespace quantaro
