// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

// The Exact form of a result: the true value of the number as typed, taken
// through the unit table's definitions with rational arithmetic, so that
// 3 ft. to m is 0.9144 and not the double product 0.9144000000000001.
// Callers: the window, the command line and the desktop search all go
// through ConvertExact, so the form is the same everywhere.

#include "engine/convert.h"
#include "engine/unit_code.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quantaro {

// What Convert gives, with the result field and the title in the Exact form;
// the info line is Convert's. The result is written in the plain layout (no
// exponent, no trailing zeros, never "-0"):
// - a terminating decimal of at most 40 significant digits in full ("0.9144");
// - any other value rounded half to even to 17 significant digits and
//   followed by kMoreDigits ("37.777777777777778…");
// - Convert's own texts where its result is not a finite number ("inf",
//   "-inf", "nan", an empty input) or where the typed number lies beyond the
//   double range (its double reading is infinite, or zero although it is not).
// Each table constant counts as the decimal it is written as, except the few
// that are rounded fractions (5/9, 1/3.6, 1/3600, 1/60, 1/12), which count as
// those fractions. Out of the base, a unit's toBase steps are undone (divided
// by its constants); size rows use their own formulas in both directions.
// Work and memory grow with the input's length, never faster than the
// big-number arithmetic on a number of that many digits.
void ConvertExact(std::string_view input, UnitCode from, UnitCode to, Conversion& out);
Conversion ConvertExact(std::string_view input, UnitCode from, UnitCode to);

// The result alone, for callers that show no title or info line: appends
// the Exact result to `out` and returns true, or returns false and leaves
// `out` as it is where the Exact form is today's text (resultText of the
// converted value).
bool appendExactResult(std::string_view input, UnitCode from, UnitCode to, std::string& out);

// The Mixed form of the result alone, appended to `out`: the exact value in
// the parts of the To row's family (catalogue/mixed_families.h), every part
// but the last a whole number, the last rounded half to even to two decimals
// (denominator 0) or to a multiple of 1/denominator, written reduced ("5 ft
// 6 15/16 in"); the rounding carries upwards, so no part below the first
// reaches its unit. Parts before the first that is not zero are left out; a
// negative value takes one leading minus, a value that rounds to zero none.
// Returns false, `out` unchanged, where the To row has no family or the
// Exact form has no text of its own (see appendExactResult). A denominator
// out of range counts as 0.
bool appendMixedResult(std::string_view input, UnitCode from, UnitCode to, int denominator, std::string& out);

// The sum of a request's terms (engine/convert.h, Term) in the To
// unit, written in `form` and appended to `out`: the Exact and Mixed forms
// as above, the seventeen digits and the shortest text of the double nearest
// to the exact sum. The Mixed form falls back to the Shortest where the To
// row has no family. Returns the form written, or nothing (`out` unchanged)
// where an amount cannot be worked out: not in the reader's form, a division
// by zero, more digits or a larger power of ten than any typed quantity.
// Terms of units that do not add (temperatures, sizes) are the caller's to
// refuse; each term is converted into the To unit on its own.
std::optional<ResultForm> appendTermsResult(std::span<const Term> terms, UnitCode to, ResultForm form,
                                            int denominator, std::string& out);

// The mark after a rounded Exact result: more digits follow (U+2026).
inline constexpr std::string_view kMoreDigits = "\u2026";

// The number a result text stands for, as Copy Result copies it: the text
// without a final kMoreDigits.
std::string_view resultNumber(std::string_view result);

} // namespace quantaro
