// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quantaro::search {

// One conversion offered for a query typed into the desktop's search.
struct Answer {
    int fromIndex = -1;   // list rows, as the window's From and To lists hold them
    int toIndex = -1;
    std::string number;   // the number as the query wrote it
    std::string text;     // the Exact result and the To unit's suffix: "12.7 cm", "37.777777777777778… ºC"
    std::string info;     // the window's info line: "1 in. = 2.54 cm"
    std::string result;   // the bare number, for the clipboard: "12.7", "37.777777777777778"
    double relevance = 0; // 1 when both units were named whole, less for beginnings
};

// The conversions a query asks for, best first: one, or one per candidate
// when a unit name fits several; none for a query that asks none or that
// cannot be answered.
std::vector<Answer> answersFor(std::string_view query);

// The text that names an answer to the desktop and comes back when it is
// chosen ("from:to:number"), and the answer such a text names again; nothing
// for a text the service did not give out.
std::string answerId(const Answer& answer);
std::optional<Answer> answerForId(std::string_view id);

// A query that the query reader reads back as this answer's rows and
// number ("5 in. to cm"), built from the rows' own names.
std::string windowQuery(const Answer& answer);

// The window program's arguments that open it on this answer: the query.
std::vector<std::string> windowArguments(const Answer& answer);

} // namespace quantaro::search
