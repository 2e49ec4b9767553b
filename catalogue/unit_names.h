// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/catalogue.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quantaro {

// Which of two units that share a name (gallon, pint, ton, ...) a person
// means: the British one, or the US one where the locale measures as the US
// does.
enum class MeasureSystem { British, US };

// The names a person may type for one unit row, beside the label the window
// shows. `names` are '|'-separated and compare without letter case; the
// first is the unit's own name. `caseNames` compare with their case as
// written ("Mb" a megabit, "MB" a megabyte). A unit alone converts into
// `partner` (a unit code; 0 for none). `distinct` names the unit where
// another row shares its name ("US gallon"); empty where the first name does.
struct UnitNameRow {
    int index;     // the unit row's list index
    UnitCode code; // its code, which the row at `index` carries
    UnitCode partner;
    std::string_view distinct;
    std::string_view names;
    std::string_view caseNames;
};

// Every unit row's names, in list order, one entry per unit row.
std::span<const UnitNameRow> unitNameRows();

// Two rows, British and US, of a unit that a name of both may mean; the
// locale decides between them.
struct MeasureVariants {
    UnitCode british;
    UnitCode us;
};
std::span<const MeasureVariants> measureVariants();

// Names that several rows of one quantity share on purpose, and that no rule
// decides: a unit alone with such a name gets the candidates.
std::span<const std::string_view> ambiguousNames();

// The form in which names are compared: ASCII letters in lower case, blanks
// collapsed and trimmed, "°", "˚" and "º" alike, "μ" as "µ", "²" and "³" as
// "2" and "3", "^" before a digit left out ("ft^2"). Dots stay; lookups
// also compare without them.
std::string foldedName(std::string_view text);

// What the words of a unit name, as typed, name: the rows of the best kind
// of match (a whole name, with its dots; a whole name without them; a name
// whose letter case matters typed in another case; the beginning of one
// row's names, only when no whole name fits and only one row's names begin
// so), in list order.
struct NameReading {
    enum class Fit { Whole, Beginning, None };
    Fit fit = Fit::None;
    std::vector<int> rows;
};
NameReading readUnitName(std::string_view words);

// Of rows that one name may mean, the one the locale picks when they are the
// two variants of one unit; nothing otherwise.
std::optional<int> pickByMeasure(std::span<const int> rows, MeasureSystem measure);

// The other variant of a British or US row (the list index), -1 for none.
int otherVariant(int index);

// The row a unit alone converts into, the variant by the locale; -1 for none.
int partnerRow(int index, MeasureSystem measure);

// What a unit's name, as a user gives it, names.
struct UnitLookup {
    enum class Outcome { Found, NoMatch, Ambiguous, OutOfRange };
    Outcome outcome = Outcome::NoMatch;
    int index = -1;              // Found: the list index
    std::vector<int> candidates; // Ambiguous: the list indices, in list order
    bool beginning = false;      // Found by the beginning of a name
    bool byMeasure = false;      // Found among two variants by the locale
};

// A list index (digits only), else the unit row the name names (see
// readUnitName). Where it names several rows, those of `other`'s quantity
// (when given), then the locale's variant, decide.
UnitLookup lookUpUnit(std::string_view argument, MeasureSystem measure = MeasureSystem::British,
                      Quantity other = Quantity::None);

// How a unit's name, as a user gives it, names the unit of the row at
// `index`: whole (one of its names), by the beginning of one of them, or not
// at all. A preset row's unit is the one it converts from.
enum class NameFit { Whole, Beginning, None };
NameFit nameFit(int index, std::string_view argument);

// A unit's name as a user gives it, folded once, for judging it against many
// rows (Find Unit ranks every row by it on each keystroke).
struct TypedName {
    explicit TypedName(std::string_view argument);
    std::string folded; // letter case kept; empty where no name can fit
};
NameFit nameFit(int index, const TypedName& name);

// The names lookUpUnit finds exactly one unit by (the locale deciding
// between variants), each once, in list order: the words shell completion
// offers. With a quantity, only the names of its units.
std::vector<std::string> acceptedUnitNames(MeasureSystem measure = MeasureSystem::British,
                                           Quantity only = Quantity::None);

// The unit a unit or preset row stands for, by its own name: "inch" for both
// "  inch (in.)" and the preset "  inch (in.) (to millimetre (mm))".
std::string unitName(int index);

// The unit's name, told apart from the rows that share it: "British pint",
// "US liquid pint", "US gallon"; its plain name otherwise ("inch").
std::string distinctUnitName(int index);

// Up to `most` names close in spelling to a word that names no unit, the
// closest first, one per unit: each with the unit row it names.
struct NameSuggestion {
    std::string name;
    int index = -1;

    friend bool operator==(const NameSuggestion&, const NameSuggestion&) = default;
};
std::vector<NameSuggestion> suggestUnitNames(std::string_view word, std::size_t most = 3);

// "did you mean km/h (kilometers per hour)?"; empty without suggestions.
std::string suggestionText(std::string_view word);

} // namespace quantaro
