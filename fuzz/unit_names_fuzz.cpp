// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The unit names on any bytes: a reading names unit rows in list order, a
// beginning only one; a lookup decided by the locale picks one of two
// variants; the row a name is found for says the name fits it; completion's
// names each find their row.

#include "catalogue/unit_names.h"
#include "fuzz_support.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using quantaro::fuzz::check;
using quantaro::fuzz::shown;
using namespace quantaro;

bool isUnit(int index)
{
    return index >= 0 && index < kCatalogueRowCount
           && catalogueRows()[static_cast<std::size_t>(index)].kind == RowKind::Unit;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const NameReading reading = readUnitName(text);
    check(std::is_sorted(reading.rows.begin(), reading.rows.end())
              && std::adjacent_find(reading.rows.begin(), reading.rows.end()) == reading.rows.end(),
          "rows out of list order or twice", shown(text));
    check(std::all_of(reading.rows.begin(), reading.rows.end(), isUnit), "a row that is no unit", shown(text));
    check((reading.fit == NameReading::Fit::None) == reading.rows.empty(), "a fit without rows", shown(text));
    if (reading.fit == NameReading::Fit::Beginning)
        check(reading.rows.size() == 1, "a beginning read as several units", shown(text));
    for (const int index : reading.rows)
        check(nameFit(index, text) != NameFit::None, "a row found by a name that does not fit it", shown(text));

    for (const MeasureSystem measure : {MeasureSystem::British, MeasureSystem::US}) {
        const UnitLookup lookup = lookUpUnit(text, measure);
        if (lookup.outcome == UnitLookup::Outcome::Found) {
            check(lookup.index >= 0 && lookup.index < kCatalogueRowCount, "an index out of the list", shown(text));
            if (lookup.byMeasure) {
                check(otherVariant(lookup.index) >= 0, "a variant without its other", shown(text));
                check(std::find(reading.rows.begin(), reading.rows.end(), lookup.index) != reading.rows.end(),
                      "the locale picked a row the name does not name", shown(text));
            }
        } else if (lookup.outcome == UnitLookup::Outcome::Ambiguous) {
            check(lookup.candidates.size() >= 2 && lookup.candidates == reading.rows,
                  "candidates that are not the rows the name names", shown(text));
        }
    }
    return 0;
}
