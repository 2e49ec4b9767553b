// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quantaro {

// What a unit's name, as a user gives it, names.
struct UnitLookup {
    enum class Outcome { Found, NoMatch, Ambiguous, OutOfRange };
    Outcome outcome = Outcome::NoMatch;
    int index = -1;              // Found: the list index
    std::vector<int> candidates; // Ambiguous: the list indices, in list order
};

// A list index (digits only), else a unit row matched case-insensitively, in
// this order: an abbreviation in the label's parentheses, as written, then
// without its final dot; the unit's name; a unique beginning of the name. The
// first of these that matches any row decides. "°" matches "º", "μ" matches
// "µ", and "2" and "3" match "²" and "³".
UnitLookup lookUpUnit(std::string_view argument);

// The abbreviations and names lookUpUnit finds exactly one unit by, each
// once, in list order, as the labels write them but without parentheses
// ("Imp. gal.", "statute mile", "mile"): the words shell completion offers
// for a unit. Indices and beginnings of names are not among them.
std::vector<std::string> acceptedUnitNames();

// The unit a unit or preset row stands for, by its name without the
// abbreviations: "inch" for both "  inch (in.)" and the preset
// "  inch (in.) (to millimetre (mm))".
std::string unitName(int index);

} // namespace quantaro
