// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

// A query's quantity of terms as one number in one unit, for the front ends
// that hold one number: the window's input field ("quantaro 5 ft 11 in to
// cm" opens on 71 inches) and a desktop search answer, whose identifier
// brings the number back.

#include "catalogue/conversion_request.h"

namespace quantaro {

// Makes `request` a plain one where it has terms: the exact sum in the
// unit of one of its terms, the smallest first, where it is written in full
// there (a decimal of at most 40 significant digits: "71" inches for 5 ft
// 11 in, "90" minutes for 1 h 30 min), else in the To unit itself (11 st
// 4 lb in kg: 71.66755948 kg); `fromIndex` then names that unit. Returns
// false, `request` unchanged, where no unit writes it in full. A plain
// request stays as it is.
bool makeOneNumber(ConversionRequest& request);

} // namespace quantaro
