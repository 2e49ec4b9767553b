// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

// The exact meaning of the unit table's numbers: each constant as a ratio
// of integers, and the size formulas as rules on exact values. Internal to
// the Exact form; the tests hold these against the table.

#include "engine/unit_code.h"

#include <cstdint>
#include <optional>

namespace quantaro::exact {

// num / den × 10^power, all parts positive.
struct Ratio {
    std::uint64_t num = 1;
    std::uint64_t den = 1;
    std::int32_t power = 0;
};

// The table's constants that are rounded fractions, as written there and as
// the fractions they stand for.
struct RoundedFraction {
    double written;
    Ratio exact;
};

// clang-format off
inline constexpr RoundedFraction kRoundedFractions[] = {
    // written                exact
    {0.5555555555555556,    {5, 9, 0}},    // 5/9, ºF into ºC
    {0.2777777777777778,    {10, 36, 0}},  // 1/3.6, km/h into m/s
    {0.0002777777777777778, {1, 3600, 0}}, // 1/3600, h into s
    {0.016666666666666666,  {1, 60, 0}},   // 1/60
    {0.08333333333333333,   {1, 12, 0}},   // 1/12
};
// clang-format on

// A table constant's exact meaning: its rounded fraction, or else the
// decimal it is written as (the shortest text that reads back as it).
// Only for positive finite constants.
Ratio ratioOf(double constant);

// One direction of a size formula: y = x × scaleNum / scaleDen +
// offsetHalves / 2, plus extraHalves / 2 where x >= threshold (the size as it
// enters). The same thresholds as the double formulas of the table.
struct SizeFormula {
    std::int32_t scaleNum = 1;
    std::int32_t scaleDen = 1;
    std::int32_t offsetHalves = 0;
    std::optional<std::int32_t> threshold;
    std::int32_t extraHalves = 0;
};

struct SizeRule {
    UnitCode code;
    SizeFormula in;  // into the metric/German size
    SizeFormula out; // out of it
};

// clang-format off
inline constexpr SizeRule kSizeRules[] = {
    // code   in: scale, offset, threshold, extra     out: scale, offset, threshold, extra
    { 23120, {1, 1,  56, {},  0},                     {1, 1, -56, {},  0}  }, // ladieswear: ± 28
    { 23140, {1, 1,  20, {},  0},                     {1, 1, -20, {},  0}  }, // menswear: ± 10
    { 23160, {2, 1,  16, 16,  2},                     {1, 2,  -8, 41, -1}  }, // shirts: 2x + 8 (+ 1 from 16); (x - 8) / 2 (- 1/2 from 41)
    { 23180, {1, 1,  62, {},  0},                     {1, 1, -62, {},  0}  }, // ladies' shoes: ± 31
    { 23200, {1, 1,  65,  9,  1},                     {1, 1, -65, 42, -1}  }, // men's shoes: + 32.5 (33 from 9); - 32.5 (33 from 42)
};
// clang-format on

// The rule of a size row; nullptr for any other code.
const SizeRule* findSizeRule(UnitCode code);

} // namespace quantaro::exact
