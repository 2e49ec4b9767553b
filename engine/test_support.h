// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

// Test support: what the tests, the fuzz targets and the benchmarks ask of the
// engine beyond what the programs use. The texts come from the same writers
// as the programs' own; only the string around them is added here. Linked
// from quantaro_engine_test_support, which no program links.

#include "engine/unit_definitions.h"

#include <span>
#include <string>
#include <string_view>

namespace quantaro {

// writeNineteenDecimal as a string.
std::string nineteenDecimal(double value);

// writeResultText as a string, and appended to one.
std::string resultText(double value);
void appendResultText(double value, std::string& out);

// writeShortestResultText as a string.
std::string shortestResultText(double value);

// roundFactorTextInPlace on a copy of the text.
std::string roundFactorText(std::string_view text);

// Every unit definition, one per unit code, in the order of the lists.
std::span<const UnitDefinition> allDefinitions();

} // namespace quantaro
