// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/conversion_request.h"

#include "catalogue/catalogue.h"

namespace quantaro {

UnitCode rowCode(int index)
{
    if (index < 0 || index >= kCatalogueRowCount)
        return kNoRow;
    return catalogueRows()[static_cast<std::size_t>(index)].code;
}

RequestView viewOf(const ConversionRequest& request, std::string_view number, std::vector<Term>& terms)
{
    terms.clear();
    for (const RequestTerm& term : request.terms)
        terms.push_back({term.number, rowCode(term.index)});
    return {{number, rowCode(request.fromIndex)}, rowCode(request.toIndex), request.form, request.fraction, terms};
}

RequestView viewOf(const ConversionRequest& request, std::vector<Term>& terms)
{
    return viewOf(request, request.number, terms);
}

} // namespace quantaro
