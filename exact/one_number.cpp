// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "exact/one_number.h"

#include "engine/unit_definitions.h"
#include "exact/exact_result.h"

#include <algorithm>
#include <vector>

namespace quantaro {

bool makeOneNumber(QueryConversion& conversion)
{
    if (conversion.terms.empty())
        return true;
    const auto rows = catalogueRows();
    auto codeOf = [&rows](int index) { return rows[static_cast<std::size_t>(index)].code; };
    std::vector<Term> terms;
    std::vector<int> units;
    for (const QueryTerm& term : conversion.terms) {
        terms.push_back({term.number, codeOf(term.index)});
        if (std::find(units.begin(), units.end(), term.index) == units.end())
            units.push_back(term.index);
    }
    // The smallest unit first: the one a mixed quantity ends in.
    std::stable_sort(units.begin(), units.end(),
                     [&](int a, int b) { return convertValue(1.0, codeOf(a), codeOf(b)) < 1.0; });
    units.push_back(conversion.toIndex);
    for (const int unit : units) {
        std::string text;
        if (!appendTermsResult(terms, codeOf(unit), ResultForm::Exact, 0, text) || text.ends_with(kMoreDigits)
            || text == "inf" || text == "-inf" || text == "nan")
            continue;
        conversion.number = std::move(text);
        conversion.fromIndex = unit;
        conversion.terms.clear();
        return true;
    }
    return false;
}

} // namespace quantaro
