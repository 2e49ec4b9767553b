// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "exact/conversion.h"

#include "exact/exact_result.h"

namespace quantaro {

ResultForm Convert(const ConversionRequest& request, Conversion& out)
{
    switch (request.form) {
    case ResultForm::SeventeenDigits:
    case ResultForm::Shortest:
        Convert(request.number, request.from, request.to, out, request.form);
        return request.form;
    case ResultForm::Exact:
        ConvertExact(request.number, request.from, request.to, out);
        return request.form;
    case ResultForm::Mixed:
        break;
    }
    // The info line and the title's end are the engine's; only the result
    // (and so the title's beginning) is the mixed text where there is one.
    std::string mixed;
    if (!appendMixedResult(request.number, request.from, request.to, request.fraction, mixed)) {
        Convert(request.number, request.from, request.to, out, ResultForm::Shortest);
        return ResultForm::Shortest;
    }
    Convert(request.number, request.from, request.to, out, ResultForm::Shortest);
    out.title.replace(0, out.result.size(), mixed);
    out.result.assign(mixed);
    return ResultForm::Mixed;
}

Conversion Convert(const ConversionRequest& request)
{
    Conversion out;
    Convert(request, out);
    return out;
}

void AppendResult(const ConversionRequest& request, std::string& out)
{
    switch (request.form) {
    case ResultForm::SeventeenDigits:
    case ResultForm::Shortest:
        break;
    case ResultForm::Exact:
        if (appendExactResult(request.number, request.from, request.to, out))
            return;
        break;
    case ResultForm::Mixed:
        if (appendMixedResult(request.number, request.from, request.to, request.fraction, out))
            return;
        break;
    }
    AppendResult(request.number, request.from, request.to, out, request.form);
}

} // namespace quantaro
