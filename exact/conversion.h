// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

// The one entry point for a conversion in any result form: the engine's
// double path for the seventeen digits and the shortest text, the exact part
// straight away for the Exact and Mixed forms (no double text first).

#include "catalogue/conversion_request.h"
#include "engine/convert.h"

#include <string>

namespace quantaro {

// The result field, the title and the info line of a request. The Mixed form
// writes a To row outside every family, and a value without an exact text
// of its own, in the Shortest form; the info line is the engine's in every
// form. Returns the form the result is in: the request's, or Shortest where
// the Mixed form fell back.
ResultForm Convert(const RequestView& request, Conversion& out);
Conversion Convert(const RequestView& request);

// The result alone, appended to `out`, for callers that show nothing else.
// Nothing for an empty number.
void AppendResult(const RequestView& request, std::string& out);

// The same for a request as the front ends hold it, through its view.
ResultForm Convert(const ConversionRequest& request, Conversion& out);
Conversion Convert(const ConversionRequest& request);

} // namespace quantaro
