// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "exact/one_number.h"

#include "engine/unit_definitions.h"
#include "exact/exact_result.h"

#include <algorithm>
#include <vector>

namespace quantaro {

bool makeOneNumber(ConversionRequest& request)
{
    if (request.terms.empty())
        return true;
    std::vector<Term> terms;
    viewOf(request, terms);
    std::vector<int> units;
    for (const RequestTerm& term : request.terms)
        if (std::find(units.begin(), units.end(), term.index) == units.end())
            units.push_back(term.index);
    // The smallest unit first: the one a mixed quantity ends in.
    std::stable_sort(units.begin(), units.end(),
                     [&](int a, int b) { return convertValue(1.0, rowCode(a), rowCode(b)) < 1.0; });
    units.push_back(request.toIndex);
    for (const int unit : units) {
        std::string text;
        if (!appendTermsResult(terms, rowCode(unit), ResultForm::Exact, 0, text) || text.ends_with(kMoreDigits)
            || text == "inf" || text == "-inf" || text == "nan")
            continue;
        request.number = std::move(text);
        request.fromIndex = unit;
        request.terms.clear();
        return true;
    }
    return false;
}

} // namespace quantaro
