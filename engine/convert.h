// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "engine/unit_code.h"

#include <span>
#include <string>
#include <string_view>

namespace quantaro {

// What one conversion shows: the result field, the window title and the info
// line. An empty input gives "", "Velkor Quantaro" and "".
struct Conversion {
    std::string result;
    std::string title;
    std::string info;
};

// How the result field and the title write the value: the seventeen
// significant digits the window has always shown; the shortest text that
// reads back as the same number; the Exact form, the true value of the
// number as typed; the Mixed form, the parts of a family of units ("5 ft
// 6.93 in"). The Exact and Mixed forms are computed by the exact part
// (exact/conversion.h); this engine's double path writes a value it is asked
// for in those forms as they fall back: Exact as seventeen digits, Mixed as
// the shortest text.
enum class ResultForm { SeventeenDigits, Shortest, Exact, Mixed };

// A quantity as typed: a number in a unit (the From row's code).
struct Term {
    std::string_view number;
    UnitCode unit = kNoRow;
};

// A conversion request as the engine reads it, without owning its texts:
// the quantity, the To unit, and the form of the result. The front ends hold
// the request itself (catalogue/conversion_request.h, rows by list index)
// and hand the engine this view of it, so that a keystroke or a line of
// standard input converts without a copy of its text. `fraction` is the
// Mixed form's last part: 0 for two decimals, else a denominator 2 to 64, a
// power of two.
//
// A quantity of several terms ("5 ft 11 in", "10 mm + 0.5 in") or of an
// amount worked out ("1 1/2 in", "1920*1080*3 bytes") is given as `terms`,
// which then stand for `term` (best kept as the first term, for the
// caller's info line); their numbers are amounts as the query reader writes
// them (ASCII digits, ".", an exponent, "+", "-", "*", "/" and parentheses).
// Such a request goes only through the exact part's entry point
// (exact/conversion.h), in every form: the sum is worked out exactly, and
// the seventeen digits and the shortest text write the double nearest to
// it. A sum has no one listed order of double steps that the window shows
// (each term into the To unit, then added, rounds once per term and once
// per addition, and "1/3" would round before it is converted); one rounding
// of the true value is the sound double, it is the same however the terms
// are ordered or grouped, and it agrees with the Exact form by construction.
struct RequestView {
    Term term;
    UnitCode to = kNoRow;
    ResultForm form = ResultForm::SeventeenDigits;
    int fraction = 0;
    std::span<const Term> terms{};
};

// The converter's one computation, a pure function of the input text and the
// codes of the two selected rows (kNoRow for a list without a current row).
// The overload with `out` reuses its buffers, for callers that convert often.
Conversion Convert(std::string_view input, UnitCode from, UnitCode to,
                   ResultForm form = ResultForm::SeventeenDigits);
void Convert(std::string_view input, UnitCode from, UnitCode to, Conversion& out,
             ResultForm form = ResultForm::SeventeenDigits);

// The result alone, appended to `out`: Convert's `result` without the work of
// the title and the info line, for callers that show nothing else. Nothing
// for an empty input.
void AppendResult(std::string_view input, UnitCode from, UnitCode to, std::string& out,
                  ResultForm form = ResultForm::SeventeenDigits);

} // namespace quantaro
