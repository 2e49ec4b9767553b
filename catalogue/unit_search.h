#pragma once

#include "catalogue/catalogue.h"

#include <string_view>
#include <vector>

namespace quantaro {

// A unit or preset row that a search found, and the header row of the group
// it stands in.
struct FoundRow {
    int index;
    int headerIndex;

    friend bool operator==(const FoundRow&, const FoundRow&) = default;
};

// The unit and preset rows, in list order, whose label on this side contains
// every blank-separated word of the query (UTF-8). Letters compare without
// case and dots count for nothing, so "us gal" finds "gallon U.S. (gal)";
// what keyboards type stands for the labels' own characters: "°" for "º",
// "μ" for "µ", "2" and "3" for "²" and "³". A query without words finds
// every unit and preset row.
std::vector<FoundRow> findUnitRows(ListSide side, std::string_view query);

} // namespace quantaro
