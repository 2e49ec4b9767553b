// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "cli/json.h"
#include "cli/number_prefix.h"
#include "catalogue/conversion_request.h"
#include "cli/options.h"
#include "engine/convert.h"
#include "exact/conversion.h"
#include "engine/unit_code.h"

#include <string>
#include <string_view>
#include <vector>

namespace quantaro::cli {

// Writes the output line of one input text, exactly as the window shows that
// text for the run's request (its rows, form and fraction; its number is
// each text in turn): the result; with Info the result, a tab and the info
// line; with Json one object with the input, the indices and the three texts.
// The result form applies to the result and the title, as in the window.
// With the Mixed form, Json adds "mixed": the mixed text, or null where the
// To row has none (and the result is in the Shortest form).
//
// A text too long to hold is given in pieces between beginLong and endLong;
// its number is kept by a NumberPrefix, and in Json its input is written out
// as it comes, so it costs constant memory.
class LineConverter {
public:
    // A request with a quantity of several terms converts it for every
    // text (the text is only the input that --json repeats).
    LineConverter(ConversionRequest request, OutputForm form);
    // The engine's view points into the converter's own request.
    LineConverter(const LineConverter&) = delete;
    LineConverter& operator=(const LineConverter&) = delete;

    void convert(std::string_view text, std::string& out);

    void beginLong(std::string& out);
    void feedLong(std::string_view piece, std::string& out);
    void endLong(std::string& out);

private:
    void appendResultFields(std::string_view text, std::string& out);

    ConversionRequest request_;
    std::vector<Term> terms_;   // the view's terms, into request_
    RequestView view_;          // request_ as the engine reads it, but for its number
    OutputForm form_;
    std::string info_;          // the info line of every non-empty input
    std::string infoJson_;      // info_ as a JSON string
    std::string jsonIndices_;   // ,"from":N,"to":M,"result":
    Conversion conversion_;
    NumberPrefix prefix_;
    JsonStringWriter inputWriter_;
};

} // namespace quantaro::cli
