// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "engine/convert.h"

#include <string>
#include <vector>

namespace quantaro {

// One term of a quantity: an amount and the list index of its unit row. The
// amount is written for the exact part to work out: ASCII digits, ".", an
// exponent, "+", "-", "*", "/" and parentheses ("1+1/2", "1920*1080*3",
// "-(2+3)*4", "1500").
struct RequestTerm {
    std::string number{};
    int index = -1;

    friend bool operator==(const RequestTerm&, const RequestTerm&) = default;
};

// One conversion request, as every front end holds it: the query reader's
// reading, a desktop search answer, the window's state and the command
// line's run. Rows are list indices, as the window's lists and the command
// line name them (-1 for a list without a current row); the engine reads it
// through its view (viewOf).
struct ConversionRequest {
    int fromIndex = -1;
    int toIndex = -1;
    // The number as typed, without the blanks around it ("70", "-40", ".5",
    // "1e3"), which converts exactly as the input field converts it.
    std::string number{};
    // A quantity of several terms or a worked-out amount ("5 ft 11 in",
    // "1 1/2 in", "6/3 m"), as typed from left to right; `number` is then
    // empty and `fromIndex` the first term's unit. Empty for a plain number.
    std::vector<RequestTerm> terms{};
    ResultForm form = ResultForm::SeventeenDigits;
    // The Mixed form's last part: 0 for two decimals, else 1/N.
    int fraction = 0;

    friend bool operator==(const ConversionRequest&, const ConversionRequest&) = default;
};

// The unit code of a list row; kNoRow for an index outside the lists.
UnitCode rowCode(int index);

// The engine's view of `request`, with `number` as its number text (the
// request's own, or a text the caller holds: the input field's, a line of
// standard input) and the rows as their codes. `terms` holds the view's
// terms; a caller that keeps it from one call to the next allocates only
// for a quantity with more terms than before. The view lives as long as
// the request, the text and `terms` stay as they are.
RequestView viewOf(const ConversionRequest& request, std::string_view number, std::vector<Term>& terms);
RequestView viewOf(const ConversionRequest& request, std::vector<Term>& terms);

} // namespace quantaro
