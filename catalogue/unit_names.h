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

// How a unit's name, as a user gives it, names the unit of the row at
// `index`, by the rules of lookUpUnit: whole (an abbreviation or the name),
// by the beginning of the name, or not at all. A preset row's unit is the one
// it converts from, not the one its "(to …)" part names; other rows name no
// unit.
enum class NameFit { Whole, Beginning, None };
NameFit nameFit(int index, std::string_view argument);

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

namespace quantaro {

// The unit a unit row stands for, told apart from the other rows of the same
// name by its group where another row shares the name.
std::string distinctUnitName(int index); // "British pint", "US liquid pint", "US gallon"; plain otherwise ("inch")

} // namespace quantaro
