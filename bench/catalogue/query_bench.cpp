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
#include <utility>
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

// The slowest texts the reader takes in, by name: each must be read within
// a millisecond, so each is timed on its own as well as all in turn.
std::vector<std::pair<std::string, std::string>> hostileTexts()
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
    return {{"thirteen_words", thirteen},
            {"unit_of_500_bytes", "1 " + std::string(500, 'm')},
            {"word_of_100000_bytes", "1 " + std::string(100'000, 'k')},
            {"100000_blanks_first", std::string(100'000, ' ') + "1 kg lb"},
            {"50000_blanks_inside", "1" + std::string(50'000, ' ') + "kg"},
            {"every_name", everyName},
            {"near_misses", nearMisses},
            {"long_word", "5 " + std::string(32, 'k')}};
}

void BM_ReadQueryHostile(benchmark::State& state)
{
    std::vector<std::string> texts;
    for (auto& [name, text] : hostileTexts())
        texts.push_back(std::move(text));
    readEach(state, texts);
}
BENCHMARK(BM_ReadQueryHostile);

// BM_ReadQueryHostile/NAME: one text alone.
const bool kEachHostileText = [] {
    for (auto& [name, text] : hostileTexts())
        benchmark::RegisterBenchmark(("BM_ReadQueryHostile/" + name).c_str(),
                                     [text = std::move(text)](benchmark::State& state) { readEach(state, {text}); });
    return true;
}();

} // namespace
} // namespace quantaro
