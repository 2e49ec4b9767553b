// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/conversion_request.h"
#include "catalogue/quantity_text.h"
#include "catalogue/unit_names.h"
#include "catalogue/unit_search.h"

#include <string>
#include <string_view>
#include <vector>

namespace quantaro {

// A conversion asked in plain words, one reader for every way of asking: the
// command line, the window program's arguments and the desktop's search.
//
//   QUERY = [blanks] ["convert" blanks] NUMBER [blanks] UNIT [blanks [CONNECTOR blanks] UNIT] [blanks] ["?"]
//         | "how many" blanks UNIT blanks ("in" | "are in" | "is") blanks NUMBER blanks UNIT ["?"]
//   CONNECTOR = "to" | "in" | "into" | "as" | "->" | "=" | "=>" | ">" | "→"
//
// NUMBER is read as the input field reads it ("1e3", "-40", ".5", "+2");
// the blank after it may be left out ("5in cm", "70kg to lb"). A UNIT is
// one of the names people type for a unit, kept as data beside the labels
// (see readUnitName): one or more words, but never a list index; a word of
// digits is no unit. The symbol connectors need no blanks around them.
// Where the words split into two units in more than one way, whole names
// win over beginnings, then a split at a connector wins; so "5 in in cm" is
// inch into centimetre and "3 ft in m" foot into metre.
//
// A name several rows share is decided by the other unit's quantity ("F" in
// "40 ºC in F"), then, for the British and US variants of one unit, by the
// measure of the user's locale; only then is it ambiguous. A unit alone
// converts into its partner given with its names (kg into pound, litre into
// the locale's gallon).

// Whose measure a name shared by a British and a US unit follows, and
// whether a comma in a number is the decimal point (decimalCommaForLocale).
struct QueryContext {
    MeasureSystem measure = MeasureSystem::British;
    bool decimalComma = false;
};

// The measure of a locale: US where the first non-empty of the three names
// a territory that measures as the US does (en_US, es_US, en_LR, my_MM),
// British otherwise.
MeasureSystem measureSystemForLocale(std::string_view lcMeasurement, std::string_view lcAll, std::string_view lang);

// How a query's words name a unit.
enum class NameMatch {
    Whole,     // an abbreviation (with or without its final dot) or the name
    Beginning, // only the beginning of one unit's name
};

// A search result's relevance for a match: 1 for whole names, less for
// beginnings.
double relevance(NameMatch match);

// What a query asks for: the request, From and To unit rows both, its form
// and fraction left to the caller; and how well the words named its units.
struct QueryConversion {
    ConversionRequest request;
    NameMatch match = NameMatch::Whole; // the weaker of the two names' matches

    friend bool operator==(const QueryConversion&, const QueryConversion&) = default;
};

enum class QueryOutcome {
    Conversion,    // the query can be answered
    NoNumber,      // the text does not begin with a number (empty and blank texts too)
    NoUnit,        // a number and nothing after it
    UnknownUnit,   // no unit matches `word`
    AmbiguousUnit, // `word` matches several units: `candidates`
    NoPartner,     // a unit alone whose partner rule leaves the other list on no unit
    Inconvertible, // the two units measure different quantities
    BadQuantity,   // the quantity cannot be read, or its terms do not add up
};

// A unit that an ambiguous name may mean.
struct QueryCandidate {
    int index = -1;    // its list index
    std::string label; // its From label without the leading blanks
    std::string group; // the label of the header row it stands under

    friend bool operator==(const QueryCandidate&, const QueryCandidate&) = default;
};

struct QueryReading {
    QueryOutcome outcome = QueryOutcome::NoNumber;
    QueryConversion conversion;             // outcome Conversion
    std::string message;                    // the reason, one line; empty for a conversion
    std::string word;                       // UnknownUnit, AmbiguousUnit: the words as typed
    std::vector<QueryCandidate> candidates; // AmbiguousUnit, in list order

    // How names were read where the words did not say it plainly: a
    // beginning of a name, a variant picked by the locale ("read \"gal\" as
    // US gallon"); empty otherwise. For the answer to say which unit it read.
    std::string note;
    // UnknownUnit: names close in spelling ("did you mean kph (kilometers per
    // hour)?"), empty for none.
    std::string suggestion;

    // Whether the text reads as a query, not as a number with other text
    // after it: it begins with a number, a word after it names a unit (alone
    // or among others), and no word after the number is itself a number. The
    // command line takes its arguments as a query only then, so that
    // "1 2 3", "5" and "5 apples" keep converting as texts.
    bool isQuery = false;
};

// Reads a query text (UTF-8; any bytes are safe, and a text far longer than
// any query is answered with a reason without being read through).
QueryReading readQuery(std::string_view text, const QueryContext& context = {});

// Every conversion the query can mean, best first: its conversion, then the
// same with the other variant of a name the locale decided; for an ambiguous
// name one per candidate that the other unit converts with (in list order);
// nothing when it cannot be answered. No two have the same rows.
std::vector<QueryConversion> queryConversions(std::string_view text, const QueryContext& context = {});

// How Find Unit ranks a row it found for some words (unit and preset rows):
// rows whose own unit the words name whole, then rows whose own unit's name
// begins with them, then rows that only mention them (a preset's "(to …)"
// part, a word inside a name).
enum class RowRank { Names, Begins, Mentions };
RowRank rankRow(int index, std::string_view words);

// The rows Find Unit shows for a query: those findUnitRows finds and those
// whose unit the words name or begin a name of ("lbs" finds pound), by rank;
// among rows that name or begin a name, unit rows before presets (a preset
// fixes a partner nobody asked for); then in list order. So "inch" puts
// "inch (in.)", then "inch (in.) (to millimetre (mm))", before
// "millimetre (mm) (to inch (in.))".
std::vector<FoundRow> findRankedUnitRows(ListSide side, std::string_view query);

} // namespace quantaro
