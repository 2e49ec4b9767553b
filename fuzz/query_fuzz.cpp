// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The query reader on any bytes: it reads only the text it is given, gives the
// same reading twice, and every reading keeps its promises: a conversion
// between two unit rows of one quantity whose number reads as the text's
// beginning does, or a reason of one bounded line; Find Unit's ranked rows are
// the rows the search finds and the rows whose names fit, ordered by rank.

#include "catalogue/query.h"
#include "engine/number_text.h"
#include "exact/conversion.h"
#include "fuzz_support.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using quantaro::fuzz::check;
using quantaro::fuzz::shown;
using namespace quantaro;

bool isUnitRow(int index)
{
    if (index < 0 || index >= kCatalogueRowCount)
        return false;
    const RowKind kind = catalogueRows()[static_cast<std::size_t>(index)].kind;
    return kind == RowKind::Unit || kind == RowKind::Preset;
}

bool sameReading(const QueryReading& a, const QueryReading& b)
{
    return a.outcome == b.outcome && a.conversion == b.conversion && a.message == b.message && a.word == b.word
           && a.candidates == b.candidates && a.isQuery == b.isQuery;
}

// A quantity of terms ("5 ft 11 in", "1 1/2 in"): each term an amount in the
// reader's ASCII form and a unit row of the To row's quantity, and the exact
// part gives every form of it an answer (a number, "inf" or "nan") at once.
void checkTerms(const ConversionRequest& c, std::string_view text)
{
    const auto rows = catalogueRows();
    check(c.number.empty() && c.fromIndex == c.terms.front().index, "a quantity of terms with a number of its own",
          shown(text));
    std::vector<Term> terms;
    for (const RequestTerm& term : c.terms) {
        check(isUnitRow(term.index)
                  && sameQuantity(rows[static_cast<std::size_t>(term.index)].code,
                                  rows[static_cast<std::size_t>(c.toIndex)].code),
              "a term that is no unit of the To row's quantity", shown(text));
        check(!term.number.empty() && term.number.find_first_not_of("0123456789.eE+-*/()") == std::string::npos,
              "an amount not in the reader's form", shown(text) + " gave " + shown(term.number));
        terms.push_back({term.number, rows[static_cast<std::size_t>(term.index)].code});
    }
    const UnitCode to = rows[static_cast<std::size_t>(c.toIndex)].code;
    for (const ResultForm form : {ResultForm::SeventeenDigits, ResultForm::Shortest, ResultForm::Exact, ResultForm::Mixed}) {
        const Conversion conversion = Convert(RequestView{{"", terms.front().unit}, to, form, 16, terms});
        check(!conversion.result.empty(), "a quantity of terms without a result", shown(text));
    }
}

void checkConversion(const ConversionRequest& c, std::string_view text)
{
    check(isUnitRow(c.fromIndex) && isUnitRow(c.toIndex), "a conversion between rows that are no units", shown(text));
    const auto rows = catalogueRows();
    check(sameQuantity(rows[static_cast<std::size_t>(c.fromIndex)].code, rows[static_cast<std::size_t>(c.toIndex)].code),
          "a conversion between two quantities", shown(text));
    if (!c.terms.empty()) {
        checkTerms(c, text);
        return;
    }
    check(numberTextLength(c.number) == c.number.size(), "the number text holds more than the number", shown(c.number));
    // Digit grouping ("1,500") and parentheses ("(3) m") make a plain number
    // of what the text writes otherwise.
    if (text.find(',') != std::string_view::npos || numberTextLength(text) == 0)
        return;
    check(!c.number.empty() && text.find(c.number) != std::string_view::npos, "the number is not the text's",
          shown(text) + " gave " + shown(c.number));
    check(readNumber(c.number) == readNumber(text),
          "the number converts otherwise than the text's beginning", shown(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const QueryReading reading = readQuery(text);

    // Only the view counts: the same text with more in memory after it.
    std::string longer(text);
    longer += " kg to lb";
    check(sameReading(readQuery(std::string_view(longer.data(), size)), reading), "readQuery looked past its text",
          shown(text));

    // The same text where the locale writes a decimal comma: its own promises.
    const QueryContext comma{MeasureSystem::British, true};
    const QueryReading commaReading = readQuery(text, comma);
    if (commaReading.outcome == QueryOutcome::Conversion)
        checkConversion(commaReading.conversion.request, text);
    else
        check(!commaReading.message.empty() && commaReading.message.size() <= 300, "a reason that is empty or too long",
              shown(text));
    if (reading.outcome == QueryOutcome::Conversion) {
        check(reading.message.empty() && reading.candidates.empty(), "a conversion with a reason", shown(text));
        checkConversion(reading.conversion.request, text);
    } else {
        check(!reading.message.empty() && reading.message.size() <= 300, "a reason that is empty or too long",
              shown(text) + " gave " + shown(reading.message));
        check(reading.message.find('\n') == std::string::npos, "a reason of more than one line", shown(text));
        check((reading.outcome == QueryOutcome::AmbiguousUnit) == (reading.candidates.size() >= 2),
              "candidates without an ambiguous name, or fewer than two", shown(text));
        for (const QueryCandidate& candidate : reading.candidates)
            check(isUnitRow(candidate.index) && !candidate.label.empty() && !candidate.group.empty(),
                  "a candidate that is no unit row", shown(text));
    }

    const std::vector<QueryConversion> conversions = queryConversions(text);
    if (reading.outcome == QueryOutcome::Conversion)
        // Its conversion first, then the other variants of names the locale decided.
        check(!conversions.empty() && conversions.size() <= 4 && conversions.front() == reading.conversion,
              "the conversions of an answerable query do not begin with its conversion", shown(text));
    else if (reading.outcome != QueryOutcome::AmbiguousUnit)
        check(conversions.empty(), "conversions for a query that cannot be answered", shown(text));
    for (const QueryConversion& c : conversions)
        checkConversion(c.request, text);
    for (std::size_t i = 0; i < conversions.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            check(conversions[i].request.fromIndex != conversions[j].request.fromIndex
                      || conversions[i].request.toIndex != conversions[j].request.toIndex,
                  "two conversions with the same rows", shown(text));
    // The US measure reads the same text as the British one, only another variant.
    const QueryReading us = readQuery(text, {MeasureSystem::US});
    check(us.outcome == reading.outcome, "the locale changed whether a query can be answered", shown(text));

    // Find Unit: the search's rows and those whose names fit, each once, by
    // rank, unit rows before presets where names fit, in list order within.
    for (const ListSide side : {ListSide::From, ListSide::To}) {
        const std::vector<FoundRow> found = findUnitRows(side, text);
        const std::vector<FoundRow> ranked = findRankedUnitRows(side, text);
        for (const FoundRow& row : found)
            check(std::count(ranked.begin(), ranked.end(), row) == 1, "a row found is not ranked once", shown(text));
        for (const FoundRow& row : ranked)
            check(std::count(found.begin(), found.end(), row) == 1 || nameFit(row.index, text) != NameFit::None,
                  "a ranked row that neither the search nor a name finds", shown(text));
        const auto preset = [](int index) { return catalogueRows()[static_cast<std::size_t>(index)].kind == RowKind::Preset; };
        for (std::size_t i = 1; i < ranked.size(); ++i) {
            const int a = ranked[i - 1].index, b = ranked[i].index;
            const RowRank before = rankRow(a, text), after = rankRow(b, text);
            const bool byKind = before != RowRank::Mentions && preset(a) != preset(b);
            check(before < after || (before == after && (byKind ? !preset(a) : a < b)), "ranked rows out of order",
                  shown(text));
        }
    }
    return 0;
}
