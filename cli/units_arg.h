// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/unit_names.h"

#include <string>
#include <string_view>
#include <vector>

namespace quantaro::cli {

// What --from and --to name, each when given. A name several rows share is
// decided by the other option's quantity first, then by the locale.
struct UnitArguments {
    UnitLookup from;
    UnitLookup to;
};
UnitArguments lookUpUnitArguments(bool fromGiven, std::string_view from, bool toGiven, std::string_view to,
                                  MeasureSystem measure);

// What went wrong with a UNIT argument, for an error message (several lines
// for an ambiguous one, names close in spelling for an unknown one); empty
// when it was found.
std::string lookupProblem(std::string_view argument, const UnitLookup& lookup);

// A row named for messages: its index and its label without the leading
// blanks, or what kind of row it is when it has no readable label.
std::string describeRow(int index, ListSide side);

// Why the rows at these list indices cannot be converted into one another
// (both named), or an empty text when they can.
std::string pairProblem(int fromIndex, int toIndex);

} // namespace quantaro::cli
