// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "exact/conversion.h"

#include "exact/exact_result.h"

#include <vector>

namespace quantaro {

namespace {

// A quantity of terms: the info line and the title's end are the engine's
// for one of the first term's unit; the result is the terms' sum, "nan"
// where an amount has no value (a division by zero the reader could not
// see, an amount not in its form).
ResultForm convertTerms(const RequestView& request, Conversion& out)
{
    const ResultForm doubleForm =
        request.form == ResultForm::SeventeenDigits ? ResultForm::SeventeenDigits : ResultForm::Shortest;
    Convert("1", request.terms.front().unit, request.to, out, doubleForm);
    std::string text;
    std::optional<ResultForm> written =
        appendTermsResult(request.terms, request.to, request.form, request.fraction, text);
    if (!written)
        text = "nan";
    out.title.replace(0, out.result.size(), text);
    out.result = std::move(text);
    return written.value_or(doubleForm);
}

} // namespace

ResultForm Convert(const RequestView& request, Conversion& out)
{
    if (!request.terms.empty())
        return convertTerms(request, out);
    switch (request.form) {
    case ResultForm::SeventeenDigits:
    case ResultForm::Shortest:
        Convert(request.term.number, request.term.unit, request.to, out, request.form);
        return request.form;
    case ResultForm::Exact:
        ConvertExact(request.term.number, request.term.unit, request.to, out);
        return request.form;
    case ResultForm::Mixed:
        break;
    }
    // The info line and the title's end are the engine's; only the result
    // (and so the title's beginning) is the mixed text where there is one.
    std::string mixed;
    if (!appendMixedResult(request.term.number, request.term.unit, request.to, request.fraction, mixed)) {
        Convert(request.term.number, request.term.unit, request.to, out, ResultForm::Shortest);
        return ResultForm::Shortest;
    }
    Convert(request.term.number, request.term.unit, request.to, out, ResultForm::Shortest);
    out.title.replace(0, out.result.size(), mixed);
    out.result.assign(mixed);
    return ResultForm::Mixed;
}

Conversion Convert(const RequestView& request)
{
    Conversion out;
    Convert(request, out);
    return out;
}

void AppendResult(const RequestView& request, std::string& out)
{
    if (!request.terms.empty()) {
        if (!appendTermsResult(request.terms, request.to, request.form, request.fraction, out))
            out += "nan";
        return;
    }
    switch (request.form) {
    case ResultForm::SeventeenDigits:
    case ResultForm::Shortest:
        break;
    case ResultForm::Exact:
        if (appendExactResult(request.term.number, request.term.unit, request.to, out))
            return;
        break;
    case ResultForm::Mixed:
        if (appendMixedResult(request.term.number, request.term.unit, request.to, request.fraction, out))
            return;
        break;
    }
    AppendResult(request.term.number, request.term.unit, request.to, out, request.form);
}

ResultForm Convert(const ConversionRequest& request, Conversion& out)
{
    std::vector<Term> terms;
    return Convert(viewOf(request, terms), out);
}

Conversion Convert(const ConversionRequest& request)
{
    Conversion out;
    Convert(request, out);
    return out;
}

} // namespace quantaro
