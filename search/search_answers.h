// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/conversion_request.h"
#include "catalogue/query.h"
#include "engine/convert.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quantaro::search {

// One conversion offered for a query typed into the desktop's search: its
// request, with the texts it shows.
struct Answer {
    // List rows, as the window's From and To lists hold them, and the number
    // as the query wrote it (a quantity of terms as one number). The form is
    // Exact, or Mixed for the answer that follows one whose To unit has a
    // family of units ("5 ft 6.93 in" after "5.5774278215223097… ft."),
    // with two decimals in its last part.
    ConversionRequest request{.form = ResultForm::Exact};
    std::string text;     // the Exact result, the To unit's suffix and, where
                          // a name fits several rows, the row: "12.7 cm",
                          // "37.777777777777778… ºC", "0.568261 l: pint (…)"
    std::string info;     // the window's info line: "1 in. = 2.54 cm"
    std::string result;   // the bare number, for the clipboard: "12.7", "37.777777777777778";
                          // the Mixed form's whole text: "5 ft 6.93 in"
    double relevance = 0; // 1 when both units were named whole, less for beginnings
};

// The Mixed answer's share of its plain answer's relevance: it sorts right
// after it, and still above any answer to a name only begun.
inline constexpr double kMixedRelevance = 0.99;

// The conversions a query asks for, best first: one, or one per candidate
// when a unit name fits several, each followed by its Mixed form where the
// To unit has a family; none for a query that asks none or that cannot be
// answered. No two of them read the same: where a name fits
// several rows, each answer says which row it took.
std::vector<Answer> answersFor(std::string_view query, const QueryContext& context = {});

// The text that names an answer to the desktop and comes back when it is
// chosen ("from:to:number", "from:to:number:mixed" for the Mixed form), and
// the rows, number and form such a text names
// again, with the answer's texts as a query naming only these rows would
// show them; nothing for a text the service could not have given out.
std::string answerId(const Answer& answer);
std::optional<Answer> answerForId(std::string_view id);

// The window program's arguments that open it on exactly this answer's rows
// and number, in the form the answer shows:
// "--exact --from 31 --to 21 -- 5", "--mixed --from 21 --to 34 -- 170".
std::vector<std::string> windowArguments(const Answer& answer);

// The answers of the last few queries, so that the calls that follow a
// search (the metas of its results, the one chosen) find what the search
// showed instead of working it out again from the identifier.
class AnswerCache {
public:
    // The context is the service's for its whole life, so a query's text
    // alone names its answers.
    explicit AnswerCache(const QueryContext& context = {}, std::size_t queries = 8)
        : context_(context)
        , capacity_(queries > 0 ? queries : 1)
    {
    }

    // The query's answers, worked out only when it is not among the kept
    // ones; valid until the next call.
    const std::vector<Answer>& answersFor(std::string_view query);
    // The identifiers of the answers the last answersFor gave (answerId of
    // each, in their order), kept with them; empty before the first.
    const std::vector<std::string>& lastIds() const;

    // The answer with this identifier among the kept queries' (the newest
    // first), or nothing.
    const Answer* find(std::string_view id) const;

    // How many times answersFor had to work a query out: for the tests.
    std::size_t computed() const { return computed_; }

private:
    struct Entry {
        std::string query;
        std::vector<Answer> answers;
        std::vector<std::string> ids;
    };
    QueryContext context_;
    std::size_t capacity_;
    std::deque<Entry> entries_; // newest first
    std::size_t computed_ = 0;
};

} // namespace quantaro::search
