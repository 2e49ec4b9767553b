// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "engine/unit_code.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quantaro {

// A size formula: the value in, the value out. The factor never sees it.
using SizeFunction = double (*)(double);

enum class StepKind : std::uint8_t {
    Multiply, // value and factor times the constant
    Add,      // value and factor plus the constant (temperature)
    Subtract, // value and factor minus the constant (temperature)
    Size,     // value only, through the size formula
};

// One arithmetic operation, rounded to double before the next one.
struct Step {
    StepKind kind = StepKind::Multiply;
    double constant = 0;
    SizeFunction size = nullptr;
};

// The longest list of one side: the millennium's way out of the second.
inline constexpr std::size_t kMaxSteps = 7;

// An ordered list of steps, run in order and never folded.
struct Steps {
    std::array<Step, kMaxSteps> step{};
    std::uint8_t count = 0;

    constexpr const Step* begin() const { return step.data(); }
    constexpr const Step* end() const { return step.data() + count; }
    constexpr bool empty() const { return count == 0; }
};

// No infoPrefix or suffix is longer than this, so callers can build an info
// line in a fixed buffer.
inline constexpr std::size_t kMaxInfoTextLength = 64;

// What the converter knows of one unit: how a number goes into its quantity's
// base unit and out of it again, and the texts of the info line.
struct UnitDefinition {
    UnitCode code = 0;
    Steps toBase;
    std::string_view infoPrefix; // begins the info line when this unit is the source
    Steps fromBase;
    std::string_view suffix;     // ends the info line when this unit is the target
    bool showsFactor = true;     // false for the size rows: no number on their info line
};

// The definition of a unit or preset code; nullptr for header codes, 0, kNoRow
// and every other code without one. A preset code yields its unit's definition.
const UnitDefinition* findDefinition(UnitCode code);

// The number `value` taken through the source's toBase steps and the target's
// fromBase steps (a side without a definition changes nothing): the value
// behind the result field.
double convertValue(double value, UnitCode from, UnitCode to);


// Runs one side's steps on the value and (except size steps) on the factor.
void applySteps(const Steps& steps, double& value, double& factor);

} // namespace quantaro
