// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

// The Mixed form's families: the units a result is written in, largest first
// ("5 ft 6.93 in", "11 st 4 lb", "1 h 30 min 0 s"), and which To rows take
// which family.

#include "engine/unit_code.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace quantaro {

// One part of a family: its unit, how many of the family's last unit make
// one of it (a whole number, checked against the unit table), and the symbol
// written after its number: a name the unit lookup finds the unit by.
struct MixedPart {
    UnitCode unit = 0;
    std::uint32_t inLast = 1;
    std::string_view symbol;
};

inline constexpr std::size_t kMaxMixedParts = 3;
inline constexpr std::size_t kMaxMixedTargets = 3;

struct MixedFamily {
    std::string_view name; // "foot+inch"
    std::array<MixedPart, kMaxMixedParts> part{};
    std::uint8_t partCount = 0;
    // The To units whose results this family writes; each is one of its parts.
    std::array<UnitCode, kMaxMixedTargets> target{};

    std::span<const MixedPart> parts() const { return {part.data(), partCount}; }
};

std::span<const MixedFamily> mixedFamilies();

// The family a To row's results are written in (a preset row counts as the
// unit it converts into), or nullptr for a row outside every family.
const MixedFamily* mixedFamilyOf(UnitCode to);

// The last part's form: 0 for at most two decimals, or a denominator 2 to 64,
// a power of two, for the nearest multiple of 1/N.
inline constexpr int kDecimalLastPart = 0;
inline constexpr int kMaxFractionDenominator = 64;
constexpr bool isFractionDenominator(int n)
{
    return n == kDecimalLastPart || (n >= 2 && n <= kMaxFractionDenominator && (n & (n - 1)) == 0);
}

} // namespace quantaro
